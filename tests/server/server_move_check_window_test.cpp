// The server program's move checking: on unless tarvelsvr.ini says "checkmoves=0", and
// a file written before stays as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/server/fakes.h"
#include "tests/server/server_ini_folder.h"
#include "server/server_settings.h"
#include "server/server_window.h"

namespace tarvel::server {
namespace {

using ServerMoveCheckTest = ServerIniFolderTest;

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
