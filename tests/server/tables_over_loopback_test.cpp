// A server of several tables against real sockets over 127.0.0.1: pairs by arrival and
// by name, relays, chat and a lost player kept at their table, a freed table taken
// again and "busy" when every table is taken.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtTest/QTest>
#include <algorithm>
#include <chrono>
#include <memory>

#include "server/client_listener.h"
#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"

namespace tarvel::server::testing {
namespace {

constexpr int kWaitMs = 5000;
// Shorter than a real server's TableHall::kDefaultJoinWait, long enough for a loaded machine
// (client and server share one event loop here).
constexpr std::chrono::milliseconds kJoinWait{300};

class Player {
  public:
    // Connects and, with a table's name, names it at once as a client of tables does.
    Player(quint16 port, const std::string& table = {}) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = socket_.readAll();
            auto split = splitter_.Feed(std::string_view(bytes.constData(), bytes.size()));
            received_.insert(received_.end(), split.messages.begin(), split.messages.end());
        });
        if (!table.empty()) {
            QObject::connect(&socket_, &QTcpSocket::connected, [this, table] { Send({"join=" + table}); });
        }
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void Send(const Lines& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
        socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    bool Received(const std::string& message) const {
        return std::find(received_.begin(), received_.end(), message) != received_.end();
    }
    bool WaitFor(const std::string& message) {
        return QTest::qWaitFor([&] { return Received(message); }, kWaitMs);
    }
    // The number the server gave this client, once it has come.
    int Number() {
        if (!QTest::qWaitFor([&] { return Received("yournumber=0") || Received("yournumber=1"); }, kWaitMs)) return -1;
        return Received("yournumber=0") ? 0 : 1;
    }
    void Leave() { socket_.disconnectFromHost(); }
    Lines TakeReceived() { return std::exchange(received_, {}); }
    quint16 LocalPort() const { return socket_.localPort(); }

  private:
    QTcpSocket socket_;
    protocol::MessageSplitter splitter_;
    Lines received_;
};

class TablesOverLoopback : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "tables_over_loopback_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    void Listen(int tables) {
        listener_ = std::make_unique<ClientListener>(log_, random_, tables);
        listener_->SetJoinWait(kJoinWait);
        ASSERT_TRUE(listener_->StartListening(0));
    }
    quint16 Port() const { return listener_->ListeningPort(); }

    // The table (from 1) whose log line says it seated the player.
    int TableOf(const Player& player) {
        int table = 0;
        const bool seated = QTest::qWaitFor(
            [&] {
                // The port is known once the connection is open.
                const std::string tail =
                    ": Klient připojen z adresy 127.0.0.1 přes port " + std::to_string(player.LocalPort());
                for (const auto& line : log_.lines) {
                    if (line.rfind("stůl ", 0) == 0 && line.size() > tail.size() &&
                        line.compare(line.size() - tail.size(), tail.size(), tail) == 0) {
                        table = std::stoi(line.substr(std::string("stůl ").size()));
                        return true;
                    }
                }
                return false;
            },
            kWaitMs);
        return seated ? table : 0;
    }
    bool WaitForLog(const std::string& line) {
        return QTest::qWaitFor(
            [&] { return std::find(log_.lines.begin(), log_.lines.end(), line) != log_.lines.end(); }, kWaitMs);
    }

    // The pair agrees and is dealt its cards; the players in their numbers' order.
    static void PlayTillDealt(Player& first, Player& second) {
        ASSERT_TRUE(first.WaitFor("req settings"));
        first.Send(SettingsMessages(0, "Jana" + std::to_string(first.LocalPort()), "z"));
        ASSERT_TRUE(second.WaitFor("req settings"));
        second.Send(SettingsMessages(1, "Petr" + std::to_string(second.LocalPort()), "m"));
        ASSERT_TRUE(first.WaitFor("firstplayer=0"));
        first.Send({"req startcard0"});
        second.Send({"req startcard1"});
        ASSERT_TRUE(first.WaitFor("startcard done"));
        ASSERT_TRUE(second.WaitFor("startcard done"));
        first.TakeReceived();
        second.TakeReceived();
    }

    RecordingLog log_;
    ZeroRandom random_;
    std::unique_ptr<ClientListener> listener_;
};

TEST_F(TablesOverLoopback, PairsByArrivalAndByNameEachPlayingItsOwnMatch) {
    Listen(3);
    Player friendA(Port(), "Přátelé");
    ASSERT_EQ(TableOf(friendA), 1);
    // Two clients of the described protocol come between the friends.
    Player first(Port());
    ASSERT_EQ(TableOf(first), 2);
    Player second(Port());
    Player friendB(Port(), "Přátelé");
    EXPECT_EQ(TableOf(friendB), 1);
    EXPECT_EQ(TableOf(second), 2);
    EXPECT_EQ(friendA.Number(), 0);
    EXPECT_EQ(friendB.Number(), 1);
    EXPECT_EQ(first.Number(), 0);
    EXPECT_EQ(second.Number(), 1);

    PlayTillDealt(friendA, friendB);
    PlayTillDealt(first, second);
    friendA.Send({"sendcard0=eso pikové", "iwanttosay0=ahoj"});
    first.Send({"sendcard0=7 srdcová"});
    EXPECT_TRUE(friendB.WaitFor("sayit=ahoj"));
    EXPECT_TRUE(second.WaitFor("deckcard=7 srdcová"));
    QTest::qWait(20);
    EXPECT_EQ(friendB.TakeReceived(), (Lines{"deckcard=eso pikové", "sayit=ahoj"}));
    EXPECT_EQ(second.TakeReceived(), (Lines{"deckcard=7 srdcová"}));
    EXPECT_EQ(friendA.TakeReceived(), Lines{});
    EXPECT_EQ(first.TakeReceived(), Lines{});
    EXPECT_TRUE(WaitForLog("stůl 1: hráči 1 zaslána karta eso pikové"));
    EXPECT_TRUE(WaitForLog("stůl 2: hráči 1 zaslána karta 7 srdcová"));
}

TEST_F(TablesOverLoopback, ALostPlayerEndsOnlyItsTableWhichIsThenTakenAgain) {
    Listen(2);
    Player a(Port(), "A");
    Player b(Port(), "A");
    Player c(Port(), "B");
    Player d(Port(), "B");
    ASSERT_EQ(TableOf(d), 2);
    PlayTillDealt(a, b);
    PlayTillDealt(c, d);

    b.Leave();
    ASSERT_TRUE(a.WaitFor("forcedendofgame"));
    c.Send({"standing0"});
    EXPECT_TRUE(d.WaitFor("i stand"));
    EXPECT_FALSE(c.Received("forcedendofgame"));
    EXPECT_EQ(listener_->Hall().TableGame(1)->Step(), SetupStep::Playing);

    a.Leave();
    ASSERT_TRUE(WaitForLog("stůl 1: stůl je volný"));
    Player e(Port());
    Player f(Port());
    EXPECT_EQ(TableOf(e), 1);
    EXPECT_EQ(TableOf(f), 1);
    PlayTillDealt(e, f);
    EXPECT_EQ(listener_->Hall().TableGame(0)->Step(), SetupStep::Playing);
}

TEST_F(TablesOverLoopback, EveryTableTakenMeansBusy) {
    Listen(2);
    Player a(Port());
    Player b(Port());
    Player c(Port(), "C");
    Player d(Port(), "C");
    // The friends sit down at once, the others once the wait for a name has run out.
    ASSERT_EQ(TableOf(d), 1);
    ASSERT_EQ(TableOf(b), 2);
    Player late(Port());
    Player lateFriend(Port(), "C");
    EXPECT_TRUE(late.WaitFor("busy"));
    EXPECT_TRUE(lateFriend.WaitFor("busy"));
    EXPECT_TRUE(WaitForLog("Klient z adresy 127.0.0.1 přes port " + std::to_string(late.LocalPort()) +
                           " odpojen, příliš mnoho klientů"));
    EXPECT_EQ(a.Number(), 0);
    EXPECT_EQ(b.Number(), 1);
}

}  // namespace
}  // namespace tarvel::server::testing
