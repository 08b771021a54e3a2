// tarvelsvr: the hub of a network game of Tarvel.
#include <sys/resource.h>

#include <QApplication>
#include <csignal>

#include "random_source.h"
#include "server_window.h"

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
    QApplication app(argc, argv);
    tarvel::StandardRandom random;  // seeded from the clock
    tarvel::server::ServerWindow window(QCoreApplication::applicationDirPath(), random);
    window.show();
    return app.exec();
}
