// tarvel: the card game played by ear. The window, its engine and everything it needs
// are made by MainWindow; this only starts them.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "client/app/client_arguments.h"
#include "client/app/display_check.h"
#include "client/app/main_window.h"
#include "common/version.h"

int main(int argc, char* argv[]) {
    // Help and version are answered before anything needs a display.
    const tarvel::ClientArguments asked =
        tarvel::ParseClientArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (asked.help || asked.version) {
        std::fputs(asked.help ? tarvel::ClientUsage().c_str() : tarvel::VersionText("tarvel").c_str(), stdout);
        return 0;
    }
    if (const std::string missing = tarvel::MissingDisplay(); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    QApplication application(argc, argv);
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
    // What is left after Qt took its own options is a mistake: said, and nothing started.
    if (const std::optional<std::string> unknown = tarvel::ParseClientArguments(arguments).unknown) {
        std::fprintf(stderr, "tarvel: unknown argument \"%s\"\n%s", unknown->c_str(), tarvel::ClientUsage().c_str());
        return 2;
    }
    std::string problem;
    std::optional<tarvel::ClientSetup> setup = tarvel::SetupFromEnvironment(problem);
    if (!setup) {
        std::fprintf(stderr, "tarvel: %s\n", problem.c_str());
        // Started from the menu nobody reads standard error.
        QMessageBox::critical(nullptr, QStringLiteral("Tarvel"), QString::fromStdString(problem));
        return 1;
    }
    tarvel::MainWindow window(std::move(*setup));
    // The whole screen even where no window manager maximises it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    // A game just started takes the keys once; on a display without a window manager
    // nothing else would give them to it, and a blind player cannot click it.
    window.activateWindow();
    return application.exec();
}
