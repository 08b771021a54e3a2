// The window and its dialogs under the offscreen platform, the settings file, and the
// program itself run without a desktop.
#include "server_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "fakes.h"
#include "language_dialog.h"
#include "server_settings.h"
#include "settings_dialog.h"

// Fontconfig, loaded by Qt for the widgets' fonts, keeps a cache it never frees; the
// leak checker of the sanitizer build is told to look past it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tarvel::server {
namespace {

class ServerWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "server_window_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    void WriteIni(const QByteArray& text) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString IniPath() const { return QDir(folder.path()).filePath("tarvelsvr.ini"); }
    QString Caption(ServerWindow& window, const char* name) {
        return window.findChild<QPushButton*>(name)->text();
    }
    QStringList Menus(ServerWindow& window) {
        QStringList titles;
        for (QAction* action : window.menuBar()->actions()) titles << action->text();
        return titles;
    }

    QTemporaryDir folder;
    testing::ZeroRandom random;
};

TEST_F(ServerWindowTest, SettingsFileDefaultsAndValues) {
    const ServerSettings none = ReadServerSettings(IniPath());
    EXPECT_EQ(none.port, 1412);
    EXPECT_TRUE(none.connectAtStartup);
    EXPECT_EQ(none.language, 1000);

    WriteIni("[server]\nport=14x\nconnectatstartup=5\n[environment]\nlanguage=2000\n");
    const ServerSettings read = ReadServerSettings(IniPath());
    EXPECT_EQ(read.port, 1412);
    EXPECT_TRUE(read.connectAtStartup);
    EXPECT_EQ(read.language, 2000);

    ServerSettings changed;
    changed.port = 2345;
    changed.connectAtStartup = false;
    WriteConnectionSettings(IniPath(), changed);
    WriteLanguageSetting(IniPath(), 1000);
    const ServerSettings back = ReadServerSettings(IniPath());
    EXPECT_EQ(back.port, 2345);
    EXPECT_FALSE(back.connectAtStartup);
    EXPECT_EQ(back.language, 1000);
}

TEST_F(ServerWindowTest, ListensAtStartUpAndTheButtonsFollowTheState) {
    WriteIni("[server]\nport=0\n");
    ServerWindow window(folder.path(), random);
    EXPECT_TRUE(window.Listener().IsListening());
    EXPECT_EQ(window.windowTitle(), "Tarvel server");
    EXPECT_EQ(Caption(window, "aktivacebtn"), "&Deaktivovat");
    EXPECT_EQ(Caption(window, "nastavenibtn"), "&Nastavení");
    EXPECT_FALSE(window.findChild<QPushButton*>("nastavenibtn")->isEnabled());
    EXPECT_EQ(Menus(window), (QStringList{"&Server", "&Nápověda"}));

    auto* log = window.findChild<QListWidget*>("protocollist");
    ASSERT_EQ(log->count(), 3);
    EXPECT_TRUE(log->item(0)->text().startsWith("IP serveru: "));
    EXPECT_TRUE(log->item(1)->text().startsWith("jméno serveru: "));
    EXPECT_EQ(log->item(2)->text(), "Port serveru: 0");

    window.findChild<QPushButton*>("aktivacebtn")->click();
    EXPECT_FALSE(window.Listener().IsListening());
    EXPECT_EQ(Caption(window, "aktivacebtn"), "&Aktivovat");
    EXPECT_TRUE(window.findChild<QPushButton*>("nastavenibtn")->isEnabled());
}

TEST_F(ServerWindowTest, StaysQuietWhenSoSetAndSpeaksEnglishWhenChosen) {
    WriteIni("[server]\nport=0\nconnectatstartup=0\n[environment]\nlanguage=2000\n");
    ServerWindow window(folder.path(), random);
    EXPECT_FALSE(window.Listener().IsListening());
    EXPECT_EQ(Caption(window, "aktivacebtn"), "&Activate");
    EXPECT_EQ(Caption(window, "nastavenibtn"), "&Settings");
    EXPECT_EQ(Menus(window), (QStringList{"&Server", "&Help"}));
    // The log stays Czech.
    EXPECT_EQ(window.findChild<QListWidget*>("protocollist")->item(2)->text(), "Port serveru: 0");
}

TEST_F(ServerWindowTest, ThePortListenedOnIsTakenIsLoggedAndTheServerGoesOn) {
    WriteIni("[server]\nport=0\n");
    ServerWindow first(folder.path(), random);
    WriteIni("[server]\nport=" + QByteArray::number(first.Listener().ListeningPort()) + "\n");
    ServerWindow second(folder.path(), random);
    EXPECT_FALSE(second.Listener().IsListening());
    EXPECT_EQ(Caption(second, "aktivacebtn"), "&Aktivovat");
    auto* log = second.findChild<QListWidget*>("protocollist");
    EXPECT_TRUE(log->item(0)->text().startsWith("Nelze naslouchat na portu "));
}

TEST_F(ServerWindowTest, LanguagePickedInTheDialogHoldsAtOnceEvenIfCancelled) {
    int language = 1000;
    LanguageDialog dialog(language);
    EXPECT_EQ(dialog.windowTitle(), "Nastavení prostředí");
    dialog.Pick(1);
    EXPECT_EQ(language, 2000);
    EXPECT_EQ(dialog.windowTitle(), "environment settings");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("jazykrgroup")->title(), "&Language");
    dialog.reject();
    EXPECT_EQ(language, 2000);
}

TEST_F(ServerWindowTest, ThePortFieldTakesOnlyAPortNumber) {
    SettingsDialog dialog(1000);
    auto* field = dialog.findChild<QLineEdit*>("portedit");
    dialog.Load(1412, true);
    EXPECT_EQ(field->text(), "1412");
    EXPECT_EQ(dialog.Port(), 1412);
    for (const char* bad : {"", "14a", "-1", "+80", " 80", "65536"}) {
        field->setText(bad);
        EXPECT_EQ(dialog.Port(), std::nullopt) << bad;
    }
}

TEST_F(ServerWindowTest, TheProgramRunsWithoutADesktopAndLogsToStandardOutput) {
    // The program reads its settings beside itself: run a copy in a folder of its own.
    const QString program = QDir(folder.path()).filePath("tarvelsvr");
    ASSERT_TRUE(QFile::copy(TARVELSVR_PATH, program));
    WriteIni("[server]\nport=0\n");
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    server.setProcessEnvironment(environment);
    server.start(program, {});
    ASSERT_TRUE(server.waitForStarted(5000));
    QByteArray out;
    const bool started = QTest::qWaitFor(
        [&] {
            out += server.readAllStandardOutput();
            return out.contains("Port serveru: 0\n");
        },
        10000);
    server.kill();
    server.waitForFinished(5000);
    ASSERT_TRUE(started) << out.toStdString();
    const QList<QByteArray> lines = out.split('\n');
    EXPECT_TRUE(lines[0].startsWith("IP serveru: "));
    EXPECT_TRUE(lines[1].startsWith("jméno serveru: "));
}

}  // namespace
}  // namespace tarvel::server
