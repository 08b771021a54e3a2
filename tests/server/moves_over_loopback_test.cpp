// The real listener with move checking on, over 127.0.0.1 with Qt sockets as the
// clients: each move the rules refuse never reaches the other player, and a player's
// second one in a game breaks off the match for both.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtTest/QTest>
#include <algorithm>
#include <array>
#include <memory>

#include "server/client_listener.h"
#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"
#include "tests/server/refused_moves.h"

namespace tarvel::server::testing {
namespace {

constexpr int kWaitMs = 5000;
using Messages = std::vector<std::string>;

struct LoopbackClient {
    std::unique_ptr<QTcpSocket> socket = std::make_unique<QTcpSocket>();
    protocol::MessageSplitter splitter;
    Messages received;

    void Send(const Messages& messages) {
        for (const auto& m : messages) {
            const std::string bytes = protocol::EncodeForWire(m);
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        socket->flush();
    }
    bool Got(const std::string& message) const {
        return std::find(received.begin(), received.end(), message) != received.end();
    }
};

// A listener checking moves and two clients that have agreed and been dealt.
struct LoopbackTable {
    LoopbackTable() {
        listener.SetMoveChecking(true);
        started = listener.StartListening(0) && Deal();
    }

    bool Deal() {
        for (std::size_t i = 0; i < clients.size(); ++i) {
            LoopbackClient& client = clients[i];
            QObject::connect(client.socket.get(), &QTcpSocket::readyRead, [&client] {
                const QByteArray bytes = client.socket->readAll();
                const auto split = client.splitter.Feed(std::string_view(bytes.constData(), bytes.size()));
                client.received.insert(client.received.end(), split.messages.begin(), split.messages.end());
            });
            client.socket->connectToHost(QStringLiteral("127.0.0.1"), listener.ListeningPort());
            if (!QTest::qWaitFor([&] { return listener.Game().PlayerCount() == i + 1; }, kWaitMs))
                return false;
        }
        if (!WaitFor(0, "req settings")) return false;
        clients[0].Send(SettingsMessages(0, "Jana", "z"));
        if (!WaitFor(1, "req settings")) return false;
        clients[1].Send(SettingsMessages(1, "Petr", "m"));
        // Only a request after the agreement counts.
        if (!WaitFor(0, "firstplayer=0") || !WaitFor(1, "firstplayer=0")) return false;
        clients[0].Send({"req startcard0"});
        clients[1].Send({"req startcard1"});
        if (!WaitFor(0, "startcard done") || !WaitFor(1, "startcard done")) return false;
        for (auto& client : clients) client.received.clear();
        return true;
    }
    bool WaitFor(int client, const std::string& message) {
        return QTest::qWaitFor([&] { return clients[static_cast<std::size_t>(client)].Got(message); },
                               kWaitMs);
    }
    bool Logged(const std::string& line) const {
        return std::find(log.lines.begin(), log.lines.end(), line) != log.lines.end();
    }

    RecordingLog log;
    ZeroRandom random;
    ClientListener listener{log, random};
    std::array<LoopbackClient, 2> clients;
    bool started = false;
};

class MovesOverLoopback : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "moves_over_loopback_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }
};

// Each refused move is followed by a chat line from the same player: the other player
// gets the chat line alone, so the move before it was kept back.
TEST_F(MovesOverLoopback, ARefusedMoveNeverReachesTheOtherPlayer) {
    for (const RefusedMove& c : RefusedMoves()) {
        SCOPED_TRACE(c.move);
        LoopbackTable table;  // a table of its own: the second refusal would end the match
        ASSERT_TRUE(table.started);
        const std::size_t sender = static_cast<std::size_t>(c.player);
        const std::size_t other = 1 - sender;
        table.clients[0].Send(c.player0First);
        ASSERT_TRUE(QTest::qWaitFor([&] { return table.clients[1].received.size() == c.player0First.size(); },
                                    kWaitMs));
        table.clients[1].received.clear();
        const std::string chat = "iwanttosay" + std::to_string(c.player) + "=dál";
        table.clients[sender].Send({c.move, chat});
        ASSERT_TRUE(table.WaitFor(static_cast<int>(other), "sayit=dál"));
        EXPECT_EQ(table.clients[other].received, Messages{"sayit=dál"});
        EXPECT_TRUE(table.Logged(RefusalLine(c.player, c.reason, c.move)));
        EXPECT_EQ(table.listener.Game().Step(), SetupStep::Playing);
    }
}

TEST_F(MovesOverLoopback, TheSecondRefusedMoveBreaksOffTheMatchForBoth) {
    LoopbackTable table;
    ASSERT_TRUE(table.started);
    auto& clients = table.clients;
    clients[1].Send({"sendcard1=král křížový"});  // not his turn
    clients[0].Send({"sendcard0=eso křížové"});
    ASSERT_TRUE(table.WaitFor(1, "deckcard=eso křížové"));
    EXPECT_EQ(clients[1].received, Messages{"deckcard=eso křížové"});
    clients[1].Send({"sendcard1=král pikový"});  // an ace is owed
    ASSERT_TRUE(table.WaitFor(0, "forcedendofgame"));
    EXPECT_EQ(clients[0].received, Messages{"forcedendofgame"});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return clients[1].socket->state() == QAbstractSocket::UnconnectedState; }, kWaitMs));
    EXPECT_TRUE(table.Logged(RefusalLine(1, "musí hrát eso, nebo stát", "sendcard1=král pikový")));
    EXPECT_TRUE(table.Logged("hráč 1 poslal ve hře druhý tah, který nelze zahrát, spojení uzavřeno"));
    EXPECT_EQ(table.listener.Game().Step(), SetupStep::Idle);
}

}  // namespace
}  // namespace tarvel::server::testing
