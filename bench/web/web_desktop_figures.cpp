// A browser player and a desktop player at one table of the server program: starts
// tarvelsvr and tarvelweb (its tabs' server the first), opens one tab at the WebSocket
// level and one desktop session (the session the desktop window plays on, here without
// its window), both at the table "bench". Then MOVES times each way, the player whose
// turn it is lays the first card that is taken (else draws): the time from the key that
// moved to the first phrase event at the other end (the desktop's phrase played, the
// tab's sentence frame of the opponent's move). Prints p50 and p99 each way.
//   web_desktop_figures TARVELWEB TARVELSVR [MOVES]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "session/session.h"

namespace {

using namespace tarvel;

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(share * static_cast<double>(values.size())))];
}

// Waits for `done` in the event loop, woken by the sockets themselves (a poll would add
// its own period to every figure).
bool WaitFor(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    QTimer deadline;  // wakes the loop to see the time run out
    deadline.start(50);
    while (!done()) {
        if (waited.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The desktop's side: its settings in memory, each phrase counted as it is played.
class Desktop final : public session::SessionOutput, public session::SettingsStore {
  public:
    explicit Desktop(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 heardAt = -1;  // the first phrase since it was cleared

    // The browser's player is a woman: her voice is her moves (the desktop's own drawn
    // cards, said as they come, are not).
    void Play(const session::Phrase& phrase) override {
        if (heardAt < 0 && phrase.voice == "z") heardAt = clock_.nsecsElapsed();
    }
    void Replay(const std::optional<Announcement>&) override {}
    void TableChanged(const GameEvent&) override {}
    void MessageLineChanged(std::string_view) override {}
    void AnswerEnded(const session::Answer&) override {}
    void Tell(std::string_view message) override { std::fprintf(stderr, "desktop: %.*s\n", int(message.size()), message.data()); }
    void WaitingChanged(session::Waiting) override {}
    void ShowScoreTable(const session::ScoreTableSight&) override {}
    void MessageReceived(std::string_view) override {}
    void MatchAgreed() override {}
    void EndProgram() override {}

    // A match until the end command: the two never have to meet again.
    GameOptions LoadGameOptions() override {
        GameOptions options;
        options.numberofgames = 0;
        return options;
    }
    NetSettings LoadNetSettings() override { return net; }
    session::Environment LoadEnvironment() override { return {}; }
    std::optional<std::string> SaveGameOptions(const GameOptions&) override { return std::nullopt; }
    std::optional<std::string> SaveNetSettings(const NetSettings&) override { return std::nullopt; }
    std::optional<std::string> SaveEnvironment(const GameOptions&, const session::Environment&) override {
        return std::nullopt;
    }

    NetSettings net;

  private:
    const QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: web_desktop_figures TARVELWEB TARVELSVR [MOVES]\n");
        return 2;
    }
    const int moves = argc > 3 ? std::atoi(argv[3]) : 100;
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("web"));
    QDir(folder.path()).mkpath(QStringLiteral("server"));
    if (!Write(folder.filePath(QStringLiteral("web/index.html")), "<!doctype html><title>Tarvel</title>")) return 1;

    // The server, on a port below the kernel's range for outgoing connections; another
    // when that one is taken.
    const QString serverFolder = folder.filePath(QStringLiteral("server"));
    QFile::copy(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath(), serverFolder + "/tarvelsvr");
    QProcess server;
    server.setWorkingDirectory(serverFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    server.setProcessEnvironment(environment);
    int serverPort = 0;
    for (int attempt = 0; attempt < 10 && serverPort == 0; ++attempt) {
        const int port = QRandomGenerator::global()->bounded(20000, 32000);
        if (!Write(serverFolder + "/tarvelsvr.ini",
                   "[server]\nport=" + QByteArray::number(port) + "\nconnectatstartup=1\ntables=4\n")) {
            return 1;
        }
        server.start(serverFolder + "/tarvelsvr", {});
        QByteArray output;
        (void)QTest::qWaitFor([&] {
            output += server.readAllStandardOutput();
            return output.contains("Port serveru") || output.contains("Nelze naslouchat");
        }, 10'000);
        if (output.contains("Port serveru") && !output.contains("Nelze naslouchat")) {
            serverPort = port;
        } else {
            server.kill();
            server.waitForFinished();
        }
    }
    if (serverPort == 0) {
        std::fprintf(stderr, "web_desktop_figures: the server program found no port\n");
        return 1;
    }
    // Its log is not read from here on; it goes nowhere.
    server.setStandardOutputFile(QProcess::nullDevice());

    if (!Write(folder.filePath(QStringLiteral("tarvelweb.ini")),
               "[web]\nserver=127.0.0.1:" + QByteArray::number(serverPort) + "\n")) {
        return 1;
    }
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 1;
    const QString webPort = QString::number(probe.serverPort());
    probe.close();
    QProcess web;
    web.setWorkingDirectory(folder.path());
    web.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    web.start(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(), {QStringLiteral("--port"), webPort});
    if (!web.waitForStarted() || !web.waitForReadyRead(10'000)) {
        std::fprintf(stderr, "web_desktop_figures: tarvelweb did not start\n");
        return 1;
    }

    QElapsedTimer clock;
    clock.start();

    // The browser's side: its answers, the table it was last shown, and when it last heard
    // the opponent's move.
    QWebSocket tab(QStringLiteral("http://127.0.0.1:") + webPort);
    int tabSentences = 0;
    bool tabTurn = false;
    bool tabInMatch = false;
    bool tabChoosingSuit = false;
    QString tabHand;
    qint64 tabHeardOpponentAt = -1;
    bool tabListening = false;
    QObject::connect(&tab, &QWebSocket::connected, [&] {
        tab.sendTextMessage(QStringLiteral(R"({"type":"hello","language":"cs"})"));
        tab.sendTextMessage(QStringLiteral(
            R"({"type":"settings","pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":false,)"
            R"("numberOfGames":0,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"z","useTable":false,)"
            R"("computerLevel":0})"));
        tab.sendTextMessage(QStringLiteral(R"({"type":"networkMatch","table":"bench"})"));
    });
    QObject::connect(&tab, &QWebSocket::textMessageReceived, [&](const QString& text) {
        if (text.contains(QLatin1String(R"("type":"sentence")"))) {
            ++tabSentences;
            // While the desktop moves the tab sends nothing: what it hears is the move.
            if (tabListening && tabHeardOpponentAt < 0 && !text.contains(QLatin1String(R"("phrases":[])"))) {
                tabHeardOpponentAt = clock.nsecsElapsed();
            }
        }
        if (text.contains(QLatin1String(R"("type":"table")"))) {
            tabTurn = text.contains(QLatin1String(R"("playerTurn":true)"));
            tabChoosingSuit = !text.contains(QLatin1String(R"("suits":[])"));
            tabHand = text.section(QStringLiteral(R"("selected")"), 0, 0);
        }
        if (text.contains(QLatin1String(R"("type":"network")"))) tabInMatch = text.contains(QLatin1String(R"("match":true)"));
    });
    tab.open(QUrl(QStringLiteral("ws://127.0.0.1:") + webPort + QStringLiteral("/ws")));
    const auto key = [&](const char* command) {
        // tarvelweb lets a page send 20 commands a second: a person's pace.
        QTest::qWait(55);
        const int answered = tabSentences;
        const qint64 at = clock.nsecsElapsed();
        tab.sendTextMessage(QStringLiteral(R"({"type":"command","name":"%1"})").arg(QLatin1String(command)));
        (void)WaitFor([&] { return tabSentences > answered; }, 5'000);
        return at;
    };

    Desktop desktop(clock);
    desktop.net.ipaddress = "127.0.0.1";
    desktop.net.port = serverPort;
    desktop.net.table = "bench";
    session::SessionSetup setup;
    setup.output = &desktop;
    setup.settings = &desktop;
    setup.userName = "desktop bench";
    setup.nameRecordings = false;
    session::Session session(std::move(setup));
    session.Handle(session::Command::NewNetworkMatch);
    const GameState& table = session.Table();
    const auto desktopReady = [&] {
        const auto& net = session.GameEngine().Net();
        return session.NetworkMatch() && table.running && net.waiting == NetworkWait::None && !net.awaitingCards;
    };

    std::vector<double> toDesktop;
    std::vector<double> toBrowser;
    const auto enough = [&] { return toDesktop.size() >= std::size_t(moves) && toBrowser.size() >= std::size_t(moves); };
    for (int step = 0; step < 20 * moves && !enough(); ++step) {
        if (!WaitFor([&] { return desktopReady() && tabInMatch && (tabTurn || table.PlayerTurn()); }, 20'000)) {
            // A match that ended gives the figures it had; one that never began, none.
            std::fprintf(stderr, "web_desktop_figures: the match ended after %zu and %zu moves\n", toDesktop.size(),
                         toBrowser.size());
            break;
        }
        // The first card that is taken, else a draw; the time from the key that moved.
        qint64 moved = -1;
        if (tabTurn) {
            desktop.heardAt = -1;
            if (tabChoosingSuit) {
                moved = key("play");
            } else {
                const QString before = tabHand;
                const int cards = static_cast<int>(before.count(QStringLiteral("picture")));
                key("first");
                for (int tried = 0; tried < cards && moved < 0; ++tried) {
                    const qint64 at = key("play");
                    if (tabHand != before || !tabTurn) moved = at;
                    else key("right");
                }
                if (moved < 0) moved = key("draw");
            }
            if (WaitFor([&] { return desktop.heardAt >= 0 || (tabTurn && tabChoosingSuit); }, 1'500) &&
                desktop.heardAt > moved) {
                toDesktop.push_back(static_cast<double>(desktop.heardAt - moved) / 1e6);
            }
        } else {
            tabHeardOpponentAt = -1;
            tabListening = true;
            if (table.SuitChoiceActive()) {
                moved = clock.nsecsElapsed();
                session.Handle(session::Command::Play);
            } else {
                session.Handle(session::Command::SelectFirst);
                for (std::size_t i = 0; i < table.playerHand.size() && moved < 0; ++i) {
                    const std::size_t held = table.playerHand.size();
                    const qint64 at = clock.nsecsElapsed();
                    session.Handle(session::Command::Play);
                    if (table.playerHand.size() != held || !table.PlayerTurn()) moved = at;
                    else session.Handle(session::Command::SelectNext);
                }
                if (moved < 0) {
                    moved = clock.nsecsElapsed();
                    session.Handle(session::Command::DrawOrStand);
                }
            }
            if (WaitFor([&] { return tabHeardOpponentAt >= 0 || table.SuitChoiceActive(); }, 1'500) &&
                tabHeardOpponentAt > moved) {
                toBrowser.push_back(static_cast<double>(tabHeardOpponentAt - moved) / 1e6);
            }
            tabListening = false;
        }
    }
    if (toDesktop.empty() || toBrowser.empty()) {
        std::fprintf(stderr, "web_desktop_figures: no move went across\n");
        return 1;
    }
    std::printf("a browser tab and a desktop session at one table, each laying the first card taken, over loopback:\n");
    std::printf("  browser key -> desktop phrase: p50 %.2f ms, p99 %.2f ms (%zu moves)\n", Percentile(toDesktop, 0.5),
                Percentile(toDesktop, 0.99), toDesktop.size());
    std::printf("  desktop key -> browser phrase: p50 %.2f ms, p99 %.2f ms (%zu moves)\n", Percentile(toBrowser, 0.5),
                Percentile(toBrowser, 0.99), toBrowser.size());
    session.Close();
    tab.abort();
    web.kill();
    web.waitForFinished();
    server.kill();
    server.waitForFinished();
    return 0;
}
