// A server of several tables under attack over real sockets from several loopback
// addresses (127.0.0.2 to .6), while a pair of described clients from 127.0.0.10 and .11
// plays its whole scripted match beside them: they must hear exactly what they would hear
// on a quiet server.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <map>
#include <memory>

#include "server/client_listener.h"
#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"

namespace tarvel::server::testing {
namespace {

constexpr int kWaitMs = 5000;

// A client that connects from a loopback address of its own and keeps what it hears.
class Peer {
  public:
    Peer(const std::string& from, quint16 port) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
            if (deaf_) return;
            const QByteArray bytes = socket_.readAll();
            auto split = splitter_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            received.insert(received.end(), split.messages.begin(), split.messages.end());
        });
        socket_.bind(QHostAddress(QString::fromStdString(from)));
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void Send(const Lines& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
        SendRaw(bytes);
    }
    void SendRaw(const std::string& bytes) { socket_.write(bytes.data(), static_cast<qint64>(bytes.size())); }
    std::size_t Count(const std::string& message) const {
        return static_cast<std::size_t>(std::count(received.begin(), received.end(), message));
    }
    std::size_t CountStarting(const std::string& prefix) const {
        return static_cast<std::size_t>(std::count_if(received.begin(), received.end(),
                                                      [&](const std::string& m) { return m.starts_with(prefix); }));
    }
    bool WaitFor(const std::string& message) {
        return QTest::qWaitFor([&] { return Count(message) > 0; }, kWaitMs);
    }
    void Close() { socket_.disconnectFromHost(); }
    // Reads no more: what the server sends stays with the systems of both ends.
    void StopReading() {
        deaf_ = true;
        socket_.setReadBufferSize(4096);
    }
    // Sends `bytes` again and again, as fast as the server takes them.
    void Flood(const std::string& bytes) {
        const auto more = [this, bytes] {
            while (socket_.state() == QAbstractSocket::ConnectedState && socket_.bytesToWrite() < 64 * 1024) {
                SendRaw(bytes);
            }
        };
        QObject::connect(&socket_, &QTcpSocket::bytesWritten, more);
        more();
    }
    // Sends `bytes` every `ms` milliseconds.
    void SendEvery(const std::string& bytes, int ms) {
        QObject::connect(&pace_, &QTimer::timeout, [this, bytes] {
            if (Connected()) SendRaw(bytes);
        });
        pace_.start(ms);
    }
    bool Connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }

    Lines received;

  private:
    QTcpSocket socket_;
    protocol::MessageSplitter splitter_;
    bool deaf_ = false;
    QTimer pace_;
};

// On both kinds of sockets: the epoll set and Qt's own.
class AbuseOverLoopback : public ::testing::TestWithParam<SocketSetKind> {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "abuse_over_loopback_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    std::unique_ptr<Peer> Connect(const std::string& from) {
        return std::make_unique<Peer>(from, listener.ListeningPort());
    }
    // Two clients from the given addresses agree at the named table and are dealt.
    void SeatPair(Peer& a, Peer& b, const std::string& table) {
        a.Send({"join=" + table});
        b.Send({"join=" + table});
        ASSERT_TRUE(a.WaitFor("req settings"));
        a.Send(SettingsMessages(0, "útok " + table, "m"));
        ASSERT_TRUE(b.WaitFor("req settings"));
        b.Send(SettingsMessages(1, "terč " + table, "z"));
        ASSERT_TRUE(a.WaitFor("oksettings"));
        a.Send({"req startcard0"});
        b.Send({"req startcard1"});
        ASSERT_TRUE(b.WaitFor("startcard done"));
    }

    // A pair of described clients from 127.0.0.10 and .11, no table named: their scripted
    // whole match, message for message.
    void PlayTheDescribedMatch() {
        std::map<int, std::unique_ptr<Peer>> pair;
        const Script match = AllScripts().front();
        for (const auto& step : match.steps) {
            switch (step.kind) {
                case ScriptStep::Kind::Connect:
                    pair[step.client] = Connect(step.client == 0 ? "127.0.0.10" : "127.0.0.11");
                    if (step.client == 0) QTest::qWait(20);  // the first comes first
                    break;
                case ScriptStep::Kind::Disconnect:
                    pair.at(step.client)->Close();
                    break;
                case ScriptStep::Kind::Send:
                    pair.at(step.client)->Send(step.messages);
                    break;
                case ScriptStep::Kind::Expect: {
                    Lines& received = pair.at(step.client)->received;
                    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= step.messages.size(); }, kWaitMs))
                        << "client " << step.client << " got " << received.size();
                    const Lines first(received.begin(), received.begin() + static_cast<long>(step.messages.size()));
                    EXPECT_EQ(first, step.messages);
                    received.erase(received.begin(), received.begin() + static_cast<long>(step.messages.size()));
                    break;
                }
                case ScriptStep::Kind::ExpectClosed:
                    break;
            }
        }
    }
    bool Logged(const std::string& part) const {
        return std::any_of(log.lines.begin(), log.lines.end(),
                           [&](const std::string& line) { return line.find(part) != std::string::npos; });
    }

    RecordingLog log;
    ZeroRandom random;
    ClientListener listener{log, random, 12, nullptr, GetParam()};
};

TEST_P(AbuseOverLoopback, ADescribedPairPlaysItsWholeMatchBesideEveryAttack) {
    // Long enough for the name sent after the terminators below to arrive in time on a
    // loaded machine under the sanitizers: seated as anyone, that newcomer would take
    // the described pair's first player.
    listener.SetJoinWait(std::chrono::milliseconds(1000));
    listener.SetConnectionLimits(16, 0);
    ASSERT_TRUE(listener.StartListening(0));

    // 127.0.0.2 opens twenty silent connections: four more than one address may hold.
    std::vector<std::unique_ptr<Peer>> silent;
    for (int i = 0; i < 20; ++i) silent.push_back(Connect("127.0.0.2"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return std::count_if(silent.begin(), silent.end(), [](const auto& p) { return p->Count("busy") == 1; }) ==
                   4;
        },
        kWaitMs));

    // 127.0.0.3 holds a newcomer that sends nothing but terminators, then names a table.
    auto terminators = Connect("127.0.0.3");
    for (int i = 0; i < 4; ++i) terminators->SendRaw(std::string(64 * 1024, '\\'));
    terminators->Send({"join=noc"});

    // 127.0.0.4 floods its opponent at 127.0.0.5 with chat.
    auto flooder = Connect("127.0.0.4");
    auto flooded = Connect("127.0.0.5");
    SeatPair(*flooder, *flooded, "hluk");
    for (int i = 0; i < 20; ++i) flooder->Send(Lines(100, "iwanttosay0=" + std::string(400, 'x')));

    // Every newcomer is seated before the described pair comes, so they meet each other.
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.Hall().WaitingForName() == 0; }, kWaitMs));
    const TableHall& hall = listener.Hall();
    bool namedTableTaken = false;
    for (int i = 0; i < hall.TableCount(); ++i) {
        namedTableTaken |= hall.TableName(i) == "noc" && hall.TableGame(i)->PlayerCount() == 1;
    }
    ASSERT_TRUE(namedTableTaken) << "the newcomer that sent terminators was not seated at its table";

    PlayTheDescribedMatch();

    // The flood reached the flooded player only as far as a player may chat.
    EXPECT_LE(flooded->CountStarting("sayit="), static_cast<std::size_t>(ChatLimit::kBurst + 10));
    // What a client said never reached the log.
    for (const auto& line : log.lines) EXPECT_EQ(line.find(std::string(400, 'x')), std::string::npos) << line;
}

// A tarvelweb brings every player of its page from its own address: listed as trusted,
// it brings more than one address may hold, also after the settings dialog made a new
// hall of tables; any other address keeps its limit.
TEST_P(AbuseOverLoopback, ATrustedAddressBringsMorePlayersThanOneAddressMayHold) {
    listener.SetConnectionLimits(2, 0);
    listener.SetTrustedAddresses({"127.0.0.9"});
    listener.SetTables(12);
    ASSERT_TRUE(listener.StartListening(0));
    std::vector<std::unique_ptr<Peer>> page, other;
    for (int i = 0; i < 4; ++i) {
        page.push_back(Connect("127.0.0.9"));
        other.push_back(Connect("127.0.0.8"));
    }
    const auto busy = [](const std::vector<std::unique_ptr<Peer>>& peers) {
        return std::count_if(peers.begin(), peers.end(), [](const auto& p) { return p->Count("busy") == 1; });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return busy(other) == 2; }, kWaitMs));
    QTest::qWait(50);
    EXPECT_EQ(busy(page), 0);
}

TEST_P(AbuseOverLoopback, TheEndOfAMatchSentInTheMiddleOfAGameLeavesNobodyWaiting) {
    listener.SetMoveChecking(true);
    ASSERT_TRUE(listener.StartListening(0));
    auto quitter = Connect("127.0.0.6");
    auto stayer = Connect("127.0.0.7");
    SeatPair(*quitter, *stayer, "konec");
    quitter->Send({"sendcard0=eso křížové", "end of game0"});
    ASSERT_TRUE(stayer->WaitFor("deckcard=eso křížové"));
    // Refused, so its sender's going is a loss in the middle of the match: the other is told.
    quitter->Close();
    EXPECT_TRUE(stayer->WaitFor("forcedendofgame"));
}

// One client sends chat as fast as loopback takes it; another never reads the cards its
// opponent sends it, fast but no faster than a client may. The server holds back both
// senders, holds a few hundred KiB for them all, cuts off the flooder and the one that does
// not read with a line in the log each, and a described pair at another table plays its
// match.
TEST_P(AbuseOverLoopback, FloodersAreHeldBackThenCutOffWhileAnotherTablePlays) {
    const ConnectionFlow::Limits limits{1024 * 1024, 1024 * 1024, 64 * 1024, std::chrono::seconds(1)};
    listener.SetFlowLimits(limits);
    listener.SetJoinWait(std::chrono::milliseconds(100));
    ASSERT_TRUE(listener.StartListening(0));

    auto flooder = Connect("127.0.0.4");
    auto flooded = Connect("127.0.0.5");
    SeatPair(*flooder, *flooded, "hluk");
    auto deaf = Connect("127.0.0.6");
    auto sender = Connect("127.0.0.7");
    SeatPair(*deaf, *sender, "hluchý");
    deaf->StopReading();

    std::size_t mostHeld = 0;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] { mostHeld = std::max(mostHeld, listener.BytesHeld()); });
    sample.start(5);
    flooder->Flood(protocol::EncodeForWire("iwanttosay0=" + std::string(400, 'x')));
    // 800 KiB a second: within what a client may send, far more than one who never reads takes.
    std::string cards;
    while (cards.size() < 8 * 1024) cards += protocol::EncodeForWire("sendcard1=král pikový");
    sender->SendEvery(cards, 10);

    PlayTheDescribedMatch();

    EXPECT_TRUE(QTest::qWaitFor([&] { return Logged("posílá rychleji než 1024 KiB/s déle než 1 s"); }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Logged("neodesláno přes 64 KiB déle než 1 s"); }, kWaitMs));
    EXPECT_TRUE(flooded->WaitFor("forcedendofgame"));
    EXPECT_TRUE(sender->WaitFor("forcedendofgame"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !flooder->Connected(); }, kWaitMs));
    // The reads of one flooder and one sender that it holds back, and what waits for the deaf
    // one: far below the megabyte a connection that never reads may be owed.
    EXPECT_LE(mostHeld, 512u * 1024u);
    EXPECT_FALSE(Logged("neodesláno přes 1 MiB"));
}

INSTANTIATE_TEST_SUITE_P(BothKinds, AbuseOverLoopback,
                         ::testing::Values(SocketSetKind::Best, SocketSetKind::QtSockets),
                         [](const ::testing::TestParamInfo<SocketSetKind>& kind) {
                             return kind.param == SocketSetKind::Best ? "Best" : "QtSockets";
                         });

}  // namespace
}  // namespace tarvel::server::testing
