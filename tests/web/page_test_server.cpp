// tarvelweb's server parts over a game folder, with the scripted stand-in game, for the
// page's browser tests. Prints the port it serves on, then serves until killed.
//   tarvel_page_test_server GAME_FOLDER [CONNECTIONS_PER_ADDRESS]
//   tarvel_page_test_server --list-recordings
// The bench raises the connections one address may have: all its tabs come from loopback.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "tests/web/scripted_game.h"
#include "web/server/tab_hub.h"
#include "web/server/web_listener.h"

using namespace tarvel::web;

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--list-recordings") {
        for (const std::string& name : testing::ScriptedGame::RecordingNames()) std::printf("%s\n", name.c_str());
        return 0;
    }
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: tarvel_page_test_server GAME_FOLDER [CONNECTIONS_PER_ADDRESS] | --list-recordings\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    HubLimits limits;
    limits.resumeWaitMs = 10'000;
    if (argc == 3) limits.connectionsPerAddress = std::atoi(argv[2]);
    TabHub hub(
        [](const std::string&, std::function<void(const QByteArray&)> send) {
            return std::make_unique<testing::ScriptedGame>(std::move(send));
        },
        limits);
    WebListener listener(StaticFiles(QDir(QString::fromLocal8Bit(argv[1]))), OriginPolicy(0, ""), hub);
    if (!listener.Listen(QHostAddress::LocalHost, 0)) return 1;
    // The page's origin carries the port, known only now.
    listener.SetOrigins(OriginPolicy(listener.Port(), ""));
    std::printf("%u\n", listener.Port());
    std::fflush(stdout);
    return app.exec();
}
