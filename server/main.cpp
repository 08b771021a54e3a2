// tarvelsvr: the hub of a network game of Tarvel.
#include <sys/resource.h>

#include <QApplication>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <memory>

#include "common/random_source.h"
#include "common/version.h"
#include "server/server_arguments.h"
#include "server/server_window.h"

namespace {

// A server often runs where there is no desktop (a service, a remote shell): without a
// display to open its window on it takes Qt's offscreen platform instead of failing.
void RunOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// Offscreen (a service) nothing needs GLib's main loop, which only an integration with the
// desktop does: Qt's own is a little quicker to wake up for each move. Set before the
// application is made; a value already given is kept.
void UseQtsOwnEventLoopOffscreen() {
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && !qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // A reader of standard output that goes away must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    // Every player is a connection: a server of many tables needs far more open files
    // than the usual soft limit, so it takes all the system lets it.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    RunOffscreenWithoutDisplay();
    UseQtsOwnEventLoopOffscreen();
    QApplication app(argc, argv);
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
    std::string error;
    const std::optional<tarvel::server::ServerArguments> parsed = tarvel::server::ParseServerArguments(arguments, error);
    if (!parsed) {
        std::fprintf(stderr, "tarvelsvr: %s\n%s", error.c_str(), tarvel::server::ServerUsage().c_str());
        return 2;
    }
    if (parsed->help) {
        std::fputs(tarvel::server::ServerUsage().c_str(), stdout);
        return 0;
    }
    if (parsed->version) {
        std::fputs(tarvel::VersionText("tarvelsvr").c_str(), stdout);
        return 0;
    }
    // Deals nobody can foresee; only tests hand the server a seeded source.
    tarvel::SystemRandom random;
    std::unique_ptr<tarvel::server::ServerWindow> window;
    if (parsed->settingsFile.empty()) {
        window = std::make_unique<tarvel::server::ServerWindow>(QCoreApplication::applicationDirPath(), random);
    } else {
        const QString file = QFileInfo(QString::fromStdString(parsed->settingsFile)).absoluteFilePath();
        window = std::make_unique<tarvel::server::ServerWindow>(tarvel::server::ServerWindow::SettingsFile{file},
                                                                random);
    }
    // Offscreen nobody sees the window, and drawing it would only take time from the relays.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window->show();
    return app.exec();
}
