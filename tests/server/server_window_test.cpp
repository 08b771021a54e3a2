// The window and its dialogs under the offscreen platform, the settings file, and the
// program itself run without a desktop.
#include "server/server_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "common/version.h"
#include "server/about_box.h"
#include "tests/server/fakes.h"
#include "server/language_dialog.h"
#include "tests/net/server_program.h"
#include "tests/server/server_ini_folder.h"
#include "server/server_settings.h"
#include "server/settings_dialog.h"

// Fontconfig, loaded by Qt for the widgets' fonts, keeps a cache it never frees; the
// leak checker of the sanitizer build is told to look past it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tarvel::server {
namespace {

class ServerWindowTest : public ServerIniFolderTest {
  protected:
    QString Caption(ServerWindow& window, const char* name) {
        return window.findChild<QPushButton*>(name)->text();
    }
    // The start-up lines wait for the host's address from the resolver; the list fills
    // where the window is shown.
    QListWidget* LogOnceStarted(ServerWindow& window) {
        window.show();
        auto* log = window.findChild<QListWidget*>("logList");
        const bool started = QTest::qWaitFor(
            [&] { return !log->findItems(QStringLiteral("Port serveru: "), Qt::MatchStartsWith).isEmpty(); },
            10000);
        EXPECT_TRUE(started);
        return log;
    }
    QStringList Menus(ServerWindow& window) {
        QStringList titles;
        for (QAction* action : window.menuBar()->actions()) titles << action->text();
        return titles;
    }
};

TEST_F(ServerWindowTest, SettingsFileDefaultsAndValues) {
    const ServerSettings none = ReadServerSettings(IniPath());
    EXPECT_EQ(none.port, 1412);
    EXPECT_TRUE(none.connectAtStartup);
    EXPECT_EQ(none.language, 1000);
    EXPECT_TRUE(none.trustedAddresses.empty());

    WriteIni("[server]\nport=14x\nconnectatstartup=5\ntrustedaddresses=127.0.0.1, ::1\n[environment]\nlanguage=2000\n");
    const ServerSettings read = ReadServerSettings(IniPath());
    EXPECT_EQ(read.port, 1412);
    EXPECT_TRUE(read.connectAtStartup);
    EXPECT_EQ(read.language, 2000);
    EXPECT_EQ(read.trustedAddresses, (std::vector<std::string>{"127.0.0.1", "::1"}));

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
    EXPECT_EQ(Caption(window, "listenButton"), "&Deaktivovat");
    EXPECT_EQ(Caption(window, "settingsButton"), "&Nastavení");
    EXPECT_FALSE(window.findChild<QPushButton*>("settingsButton")->isEnabled());
    EXPECT_EQ(Menus(window), (QStringList{"&Server", "&Nápověda"}));

    auto* log = LogOnceStarted(window);
    ASSERT_EQ(log->count(), 3);
    EXPECT_TRUE(log->item(0)->text().startsWith("IP serveru: "));
    EXPECT_TRUE(log->item(1)->text().startsWith("jméno serveru: "));
    EXPECT_EQ(log->item(2)->text(), "Port serveru: 0");

    window.findChild<QPushButton*>("listenButton")->click();
    EXPECT_FALSE(window.Listener().IsListening());
    EXPECT_EQ(Caption(window, "listenButton"), "&Aktivovat");
    EXPECT_TRUE(window.findChild<QPushButton*>("settingsButton")->isEnabled());
}

TEST_F(ServerWindowTest, StaysQuietWhenSoSetAndSpeaksEnglishWhenChosen) {
    WriteIni("[server]\nport=0\nconnectatstartup=0\n[environment]\nlanguage=2000\n");
    ServerWindow window(folder.path(), random);
    EXPECT_FALSE(window.Listener().IsListening());
    EXPECT_EQ(Caption(window, "listenButton"), "&Activate");
    EXPECT_EQ(Caption(window, "settingsButton"), "&Settings");
    EXPECT_EQ(Menus(window), (QStringList{"&Server", "&Help"}));
    // The log stays Czech.
    EXPECT_EQ(LogOnceStarted(window)->item(2)->text(), "Port serveru: 0");
}

TEST_F(ServerWindowTest, ThePortListenedOnIsTakenIsLoggedAndTheServerGoesOn) {
    WriteIni("[server]\nport=0\n");
    ServerWindow first(folder.path(), random);
    WriteIni("[server]\nport=" + QByteArray::number(first.Listener().ListeningPort()) + "\n");
    ServerWindow second(folder.path(), random);
    second.show();
    EXPECT_FALSE(second.Listener().IsListening());
    EXPECT_EQ(Caption(second, "listenButton"), "&Aktivovat");
    auto* log = second.findChild<QListWidget*>("logList");
    EXPECT_TRUE(log->item(0)->text().startsWith("Nelze naslouchat na portu "));
}

TEST_F(ServerWindowTest, TheHostIsLookedUpWithoutHoldingTheWindow) {
    WriteIni("[server]\nport=0\n");
    ServerWindow window(folder.path(), random);
    window.show();
    // Built and listening before any answer: the lines come from the event loop, in order.
    EXPECT_TRUE(window.Listener().IsListening());
    auto* log = window.findChild<QListWidget*>("logList");
    EXPECT_EQ(log->count(), 0);
    LogOnceStarted(window);
    ASSERT_EQ(log->count(), 3);
    EXPECT_TRUE(log->item(0)->text().startsWith("IP serveru: "));
    EXPECT_TRUE(log->item(1)->text().startsWith("jméno serveru: "));
}

TEST_F(ServerWindowTest, TheLogListKeepsTheRecentLinesAndShortensLongOnes) {
    WriteIni("[server]\nport=0\nconnectatstartup=0\n");
    ServerWindow window(folder.path(), random);
    auto* log = LogOnceStarted(window);
    // A run of lines that overflows the list more than twice over between two of its
    // turns, then a few that push out older ones.
    for (int i = 0; i < 12000; ++i) window.Log("řádek " + std::to_string(i));
    ASSERT_TRUE(QTest::qWaitFor([&] { return log->item(log->count() - 1)->text() == "řádek 11999"; }, 5000));
    EXPECT_EQ(log->count(), 5000);
    EXPECT_EQ(log->item(0)->text(), "řádek 7000");
    for (int i = 12000; i < 12100; ++i) window.Log("řádek " + std::to_string(i));
    window.Log("hráč 0 říká: " + std::string(1000, 'x'));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return log->item(log->count() - 1)->text().startsWith("hráč 0"); }, 5000));
    EXPECT_EQ(log->count(), 5000);
    EXPECT_EQ(log->item(0)->text(), "řádek 7101");
    const QString shortened = log->item(log->count() - 1)->text();
    EXPECT_EQ(shortened.size(), 300);
    EXPECT_TRUE(shortened.endsWith(QChar(0x2026)));

    // Long lines: fewer are kept, up to half a million characters.
    for (int i = 0; i < 3000; ++i) window.Log(std::to_string(1000 + i) + ": " + std::string(1000, 'x'));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return log->item(log->count() - 1)->text().startsWith("3999: "); }, 5000));
    EXPECT_EQ(log->count(), 500'000 / 300);
    EXPECT_TRUE(log->item(0)->text().startsWith(QString::number(4000 - 500'000 / 300) + ": "));

    // An empty line stays a line; a control character a client sent shows as its code.
    window.Log("");
    window.Log("hráč 0: \x1b[2J\a");
    ASSERT_TRUE(QTest::qWaitFor([&] { return log->item(log->count() - 1)->text().startsWith("hráč 0: "); }, 5000));
    EXPECT_EQ(log->item(log->count() - 1)->text(), "hráč 0: \\x1B[2J\\x07");
    EXPECT_EQ(log->item(log->count() - 2)->text(), "");

    // Hidden (a service's window), the list is left alone; shown again, it has the lines.
    window.hide();
    window.Log("řádek skrytého okna");
    QTest::qWait(600);  // past a turn of the list's timer
    EXPECT_EQ(log->item(log->count() - 1)->text(), "hráč 0: \\x1B[2J\\x07");
    window.show();
    EXPECT_EQ(log->item(log->count() - 1)->text(), "řádek skrytého okna");
}

TEST_F(ServerWindowTest, APortFieldThatIsNoPortIsRefusedInTheDialogsLanguage) {
    for (const auto& [language, refusal] :
         {std::pair{1000, QStringLiteral("„14a“ není číslo portu (0 až 65535).")},
          std::pair{2000, QStringLiteral("\"14a\" is not a port number (0 to 65535).")}}) {
        SettingsDialog dialog(language);
        dialog.Load(1412, true);
        dialog.findChild<QLineEdit*>("portEdit")->setText("14a");
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        dialog.accept();
        EXPECT_EQ(shown, refusal);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);  // the dialog stays open
    }
}

TEST_F(ServerWindowTest, LanguagePickedInTheDialogHoldsAtOnceEvenIfCancelled) {
    int language = 1000;
    LanguageDialog dialog(language);
    EXPECT_EQ(dialog.windowTitle(), "Nastavení prostředí");
    dialog.Pick(1);
    EXPECT_EQ(language, 2000);
    EXPECT_EQ(dialog.windowTitle(), "environment settings");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("languageGroup")->title(), "&Language");
    dialog.reject();
    EXPECT_EQ(language, 2000);
}

TEST_F(ServerWindowTest, TheAboutBoxShowsTheProgramsVersionInEitherLanguage) {
    const QString number = QString::fromUtf8(ProgramVersion().data(), static_cast<qsizetype>(ProgramVersion().size()));
    for (const auto& [language, caption] : {std::pair{1000, "O programu"}, std::pair{2000, "About program"}}) {
        AboutBox box(language);
        EXPECT_EQ(box.windowTitle(), caption);
        EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), number + " verze");
    }
}

TEST_F(ServerWindowTest, ThePortFieldTakesOnlyAPortNumber) {
    SettingsDialog dialog(1000);
    auto* field = dialog.findChild<QLineEdit*>("portEdit");
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

TEST_F(ServerWindowTest, StandardOutputGetsALongLineWhole) {
    tarvel::testing::ServerProgram server;
    ASSERT_TRUE(server.Listening()) << server.Output();
    // A lone client's chat goes to nobody, but that it came is logged all the same.
    QTcpSocket client;
    client.connectToHost(QStringLiteral("127.0.0.1"), server.port);
    client.write("iwanttosay0=" + QByteArray(1000, 'x') + "\\");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return server.Logged("hráč 0 poslal zprávu (délka 1000, zkrácena na 512)\n") == 1; }, 10000))
        << server.Output();
}

}  // namespace
}  // namespace tarvel::server
