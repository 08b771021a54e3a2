// Many tabs at once at the WebSocket level: starts tarvelweb over a scratch folder, opens
// SESSIONS WebSockets from this one thread, starts a match against the computer in each,
// then for ROUNDS rounds sends one command from every tab at once. Prints command → first
// phrase event (the "sentence" frame) p50 and p99, and tarvelweb's resident memory per
// session (its game included).
//   web_figures TARVELWEB [SESSIONS] [ROUNDS]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

long ResidentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(share * static_cast<double>(values.size())))];
}

struct Tab {
    QWebSocket socket;
    int sentences = 0;
    bool welcomed = false;
    qint64 sentAt = -1;
    explicit Tab(const QString& origin) : socket(origin) {}
    ~Tab() { socket.abort(); }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: web_figures TARVELWEB [SESSIONS] [ROUNDS]\n");
        return 2;
    }
    const int sessions = argc > 2 ? std::atoi(argv[2]) : 200;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 20;
    // tarvelweb wants its page in the folder it serves; the figures need no more of it.
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("web"));
    QFile page(folder.filePath(QStringLiteral("web/index.html")));
    if (!page.open(QIODevice::WriteOnly) || page.write("<!doctype html><title>Tarvel</title>") < 0) return 1;
    page.close();
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 1;
    const QString port = QString::number(probe.serverPort());
    probe.close();
    QProcess server;
    server.setWorkingDirectory(folder.path());
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(),
                 {QStringLiteral("--port"), port, QStringLiteral("--tabs-per-address"), QString::number(sessions + 10),
                  QStringLiteral("--seed"), QStringLiteral("1")});
    if (!server.waitForStarted() || !server.waitForReadyRead(10'000)) {
        std::fprintf(stderr, "web_figures: tarvelweb did not start\n");
        return 1;
    }
    const QString origin = QStringLiteral("http://127.0.0.1:") + port;
    const QUrl address(QStringLiteral("ws://127.0.0.1:") + port + QStringLiteral("/ws"));
    QTest::qWait(200);
    const long before = ResidentKiB(server.processId());

    QElapsedTimer clock;
    clock.start();
    std::vector<double> latencies;
    std::vector<std::unique_ptr<Tab>> tabs;
    for (int i = 0; i < sessions; ++i) {
        auto tab = std::make_unique<Tab>(origin);
        Tab* raw = tab.get();
        QObject::connect(&raw->socket, &QWebSocket::connected, [raw] {
            raw->socket.sendTextMessage(QStringLiteral(R"({"type":"hello","language":"cs"})"));
        });
        QObject::connect(&raw->socket, &QWebSocket::textMessageReceived, [raw, &latencies, &clock](const QString& text) {
            if (text.contains(QLatin1String(R"("type":"welcome")"))) raw->welcomed = true;
            if (!text.contains(QLatin1String(R"("type":"sentence")"))) return;
            ++raw->sentences;
            if (raw->sentAt >= 0) latencies.push_back(static_cast<double>(clock.nsecsElapsed() - raw->sentAt) / 1e6);
            raw->sentAt = -1;
        });
        raw->socket.open(address);
        tabs.push_back(std::move(tab));
    }
    const auto all = [&](auto condition) {
        return QTest::qWaitFor([&] { return std::all_of(tabs.begin(), tabs.end(), [&](auto& t) { return condition(*t); }); },
                               60'000);
    };
    if (!all([](Tab& t) { return t.welcomed; })) {
        std::fprintf(stderr, "web_figures: not every session was welcomed\n");
        return 1;
    }
    for (auto& tab : tabs) tab->socket.sendTextMessage(QStringLiteral(R"({"type":"command","name":"newMatch"})"));
    if (!all([](Tab& t) { return t.sentences >= 1; })) return 1;
    const long after = ResidentKiB(server.processId());
    for (int round = 0; round < rounds; ++round) {
        for (auto& tab : tabs) {
            tab->sentAt = clock.nsecsElapsed();
            tab->socket.sendTextMessage(round % 2 == 0 ? QStringLiteral(R"({"type":"command","name":"right"})")
                                                       : QStringLiteral(R"({"type":"command","name":"left"})"));
        }
        if (!all([round](Tab& t) { return t.sentences >= round + 2; })) {
            std::fprintf(stderr, "web_figures: round %d did not come back\n", round + 1);
            return 1;
        }
    }
    std::printf("%d sessions, %d rounds of one command from every session at once, over loopback:\n", sessions, rounds);
    std::printf("  command -> first phrase event: p50 %.2f ms, p99 %.2f ms (%zu commands)\n", Percentile(latencies, 0.5),
                Percentile(latencies, 0.99), latencies.size());
    std::printf("  server resident memory: %ld KiB before, %ld KiB with the sessions: %.1f KiB per session\n", before,
                after, static_cast<double>(after - before) / sessions);
    tabs.clear();
    server.kill();
    server.waitForFinished();
    return 0;
}
