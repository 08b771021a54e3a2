// The server program's move checking: on unless tarvelsvr.ini says "checkmoves=0", and
// a file written before stays as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes.h"
#include "server_settings.h"
#include "server_window.h"

namespace tarvel::server {
namespace {

class ServerMoveCheckTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "server_move_check_window_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
    QString IniPath() const { return QDir(folder.path()).filePath("tarvelsvr.ini"); }
    void WriteIni(const QByteArray& text) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray IniBytes() {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    testing::ZeroRandom random;
};

TEST_F(ServerMoveCheckTest, MovesAreCheckedUnlessTheFileSaysNo) {
    EXPECT_TRUE(ReadServerSettings(IniPath()).checkMoves);
    for (const auto& [text, on] : {std::pair{"checkmoves=0", false}, std::pair{"checkmoves=1", true},
                                   std::pair{"checkmoves=x", true}}) {
        WriteIni(QByteArray("[server]\nport=0\nconnectatstartup=0\n") + text + "\n");
        EXPECT_EQ(ReadServerSettings(IniPath()).checkMoves, on) << text;
        ServerWindow window(folder.path(), random);
        EXPECT_EQ(window.Listener().Game().ChecksMoves(), on) << text;
    }
    // The settings dialog's keys leave it alone, and never add it.
    WriteIni("[server]\nport=1412\n");
    WriteConnectionSettings(IniPath(), ServerSettings{});
    EXPECT_FALSE(IniBytes().contains("checkmoves"));
}

}  // namespace
}  // namespace tarvel::server
