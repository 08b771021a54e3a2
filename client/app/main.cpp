// tarvel: the card game played by ear. The window, its engine and everything it needs
// are made by MainWindow; this only starts them.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

#include "client/app/display_check.h"
#include "client/app/main_window.h"

int main(int argc, char* argv[]) {
    if (const std::string missing = tarvel::MissingDisplay(); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    QApplication application(argc, argv);
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
