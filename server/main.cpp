// tarvelsvr: the hub of a network game of Tarvel.
#include <QApplication>
#include <csignal>

#include "random_source.h"
#include "server_window.h"

int main(int argc, char* argv[]) {
    // A reader of standard output that goes away must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    tarvel::StandardRandom random;  // seeded from the clock
    tarvel::server::ServerWindow window(QCoreApplication::applicationDirPath(), random);
    window.show();
    return app.exec();
}
