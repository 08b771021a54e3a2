// tarvelweb: serves Tarvel to web browsers from the game folder, one session per tab.
#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

#include "common/version.h"
#include "web/game/session_game.h"
#include "web/server/tab_hub.h"
#include "web/server/web_listener.h"
#include "web/server/web_settings.h"

using namespace tarvel::web;

namespace {

// Each tab meets the game server under a name of its own: the server turns away a second
// player of one name, and every tab comes from this one program.
std::string TabUserName() {
    return "web " + QString::number(QRandomGenerator::system()->generate64(), 16).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    std::string error;
    const auto settings = ReadWebSettings("tarvelweb.ini", arguments, error);
    if (!settings) {
        std::fprintf(stderr, "tarvelweb: %s\n%s", error.c_str(), WebUsage().c_str());
        return 2;
    }
    if (settings->help || settings->version) {
        std::fputs((settings->help ? WebUsage() : tarvel::VersionText("tarvelweb")).c_str(), stdout);
        return 0;
    }
#ifdef TARVEL_INSTALLED_DATA_DIR
    const QDir gameFolder(QStringLiteral(TARVEL_INSTALLED_DATA_DIR));
#else
    const QDir gameFolder = QDir::current();
#endif
    StaticFiles files(gameFolder);
    if (!files.HasPage()) {
        std::fprintf(stderr, "tarvelweb: the page is missing: no web/index.html in %s\n",
                     qPrintable(gameFolder.absolutePath()));
        return 1;
    }
    if (files.RecordingCount() == 0) {
        std::fprintf(stderr, "tarvelweb: zvuky/ holds no Opus or MP3 recordings; the page can be played with a "
                             "screen reader only\n");
    }
    // The tabs' tables of best results live as long as their sessions, here.
    QTemporaryDir scores;
    if (!scores.isValid()) {
        std::fprintf(stderr, "tarvelweb: cannot make a folder for the tables of best results: %s\n",
                     qPrintable(scores.errorString()));
        return 1;
    }
    std::uint64_t tabs = 0;
    TabHub hub(
        [&](const std::string& language, std::function<void(const QByteArray&)> send) {
            SessionGameSetup setup;
            setup.language = language;
            setup.seed = settings->seed;
            setup.scoreFile = scores.filePath(QStringLiteral("tab%1.tab").arg(++tabs)).toStdString();
            setup.serverHost = settings->serverHost;
            setup.serverPort = settings->serverPort;
            setup.userName = TabUserName();
            return std::make_unique<SessionGame>(std::move(setup), std::move(send));
        },
        [&] {
            HubLimits limits;
            limits.connectionsPerAddress = settings->tabsPerAddress;
            return limits;
        }());
    WebListener listener(std::move(files), OriginPolicy(settings->port, settings->origins), hub);
    listener.SetBehindProxy(settings->behindProxy);
    if (!listener.Listen(QHostAddress::LocalHost, static_cast<quint16>(settings->port))) {
        std::fprintf(stderr, "tarvelweb: cannot serve on port %d: %s\n", settings->port,
                     qPrintable(listener.ErrorString()));
        return 1;
    }
    std::printf("Tarvel is served: open http://127.0.0.1:%d/ in your web browser.\n", settings->port);
    std::fflush(stdout);
    return app.exec();
}
