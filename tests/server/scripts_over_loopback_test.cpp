// The scripted matches against the real listener over 127.0.0.1, with Qt sockets as
// the clients: as written, and with every byte in its own write; and the faults a
// broken or hostile client brings: a silent seat, a peer that never reads.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtTest/QTest>
#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

#include "server/client_listener.h"
#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"

namespace tarvel::server::testing {
namespace {

constexpr int kWaitMs = 5000;

struct ScriptedClient {
    std::unique_ptr<QTcpSocket> socket = std::make_unique<QTcpSocket>();
    protocol::MessageSplitter splitter;
    std::vector<std::string> received;
};

class ScriptsOverLoopback : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "scripts_over_loopback_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    void Run(const Script& script, bool byteByByte, SocketSetKind sockets = SocketSetKind::Best) {
        SCOPED_TRACE(script.name);
        RecordingLog log;
        ZeroRandom random;
        ClientListener listener(log, random, 1, nullptr, sockets);
        QString error;
        ASSERT_TRUE(listener.StartListening(0, &error)) << error.toStdString();
        std::map<int, ScriptedClient> clients;
        std::uint64_t sent = 0;
        std::size_t logSeen = 0;

        for (std::size_t i = 0; i < script.steps.size(); ++i) {
            const ScriptStep& step = script.steps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            const std::size_t logWanted = logSeen + step.log.size();
            switch (step.kind) {
                case ScriptStep::Kind::Connect: {
                    ScriptedClient& client = clients[step.client];
                    QObject::connect(client.socket.get(), &QTcpSocket::readyRead, [&client] {
                        const QByteArray bytes = client.socket->readAll();
                        auto split = client.splitter.Feed(std::string_view(bytes.constData(), bytes.size()));
                        client.received.insert(client.received.end(), split.messages.begin(),
                                               split.messages.end());
                    });
                    client.socket->connectToHost(QStringLiteral("127.0.0.1"), listener.ListeningPort());
                    break;
                }
                case ScriptStep::Kind::Disconnect:
                    clients.at(step.client).socket->disconnectFromHost();
                    break;
                case ScriptStep::Kind::Send: {
                    QTcpSocket& socket = *clients.at(step.client).socket;
                    for (const auto& m : step.messages) {
                        const std::string bytes = protocol::EncodeForWire(m);
                        if (!byteByByte) {
                            socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
                            sent += bytes.size();
                            continue;
                        }
                        for (char c : bytes) {
                            socket.write(&c, 1);
                            socket.flush();
                            ++sent;
                            // The server reads each byte before the next goes out.
                            ASSERT_TRUE(
                                QTest::qWaitFor([&] { return listener.BytesReceived() == sent; }, kWaitMs));
                        }
                    }
                    socket.flush();
                    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.BytesReceived() == sent; }, kWaitMs));
                    break;
                }
                case ScriptStep::Kind::Expect: {
                    auto& received = clients.at(step.client).received;
                    ASSERT_TRUE(
                        QTest::qWaitFor([&] { return received.size() >= step.messages.size(); }, kWaitMs))
                        << "client " << step.client << " got " << received.size();
                    const std::vector<std::string> first(
                        received.begin(), received.begin() + static_cast<long>(step.messages.size()));
                    EXPECT_EQ(first, step.messages);
                    received.erase(received.begin(),
                                   received.begin() + static_cast<long>(step.messages.size()));
                    break;
                }
                case ScriptStep::Kind::ExpectClosed: {
                    QTcpSocket& socket = *clients.at(step.client).socket;
                    EXPECT_TRUE(QTest::qWaitFor(
                        [&] { return socket.state() == QAbstractSocket::UnconnectedState; }, kWaitMs));
                    break;
                }
            }
            // The server's own lines may run ahead of what a client has read; they are
            // checked after the step that causes them.
            if (step.kind == ScriptStep::Kind::Expect) continue;
            ASSERT_TRUE(QTest::qWaitFor([&] { return log.lines.size() >= logWanted; }, kWaitMs))
                << "log has " << log.lines.size() << " lines, wanted " << logWanted;
            std::vector<std::string> added;
            for (; logSeen < log.lines.size(); ++logSeen)
                added.push_back(WithoutPortNumber(log.lines[logSeen]));
            EXPECT_EQ(added, step.log);
        }
        QTest::qWait(20);
        for (const auto& [number, client] : clients) {
            EXPECT_EQ(client.received, std::vector<std::string>{}) << "client " << number;
        }
    }
};

TEST_F(ScriptsOverLoopback, EachScript) {
    for (const auto& script : AllScripts()) Run(script, false);
}

// Qt's sockets carry the server on systems without epoll: the same matches, the same bytes.
TEST_F(ScriptsOverLoopback, EachScriptOverQtSockets) {
    for (const auto& script : AllScripts()) Run(script, false, SocketSetKind::QtSockets);
}

TEST_F(ScriptsOverLoopback, StoppingClosesEveryConnectionAndEndsTheGame) {
    RecordingLog log;
    ZeroRandom random;
    ClientListener listener(log, random);
    ASSERT_TRUE(listener.StartListening(0));
    QTcpSocket first;
    QTcpSocket second;
    first.connectToHost(QStringLiteral("127.0.0.1"), listener.ListeningPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.Game().PlayerCount() == 1; }, kWaitMs));
    second.connectToHost(QStringLiteral("127.0.0.1"), listener.ListeningPort());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return listener.Game().Step() == SetupStep::AwaitingSettings0; }, kWaitMs));
    listener.StopListening();
    EXPECT_FALSE(listener.IsListening());
    EXPECT_EQ(listener.Game().PlayerCount(), 0u);
    EXPECT_EQ(listener.Game().Step(), SetupStep::Idle);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return first.state() == QAbstractSocket::UnconnectedState &&
                   second.state() == QAbstractSocket::UnconnectedState;
        },
        kWaitMs));
}

// A client that keeps what it receives and can be told to stop reading.
class LoopbackClient {
  public:
    explicit LoopbackClient(quint16 port) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
            if (!reading_) return;
            const QByteArray bytes = socket_.readAll();
            auto split = splitter_.Feed(std::string_view(bytes.constData(), bytes.size()));
            received_.insert(received_.end(), split.messages.begin(), split.messages.end());
        });
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
    }

    // What is not read stays with the system, which then holds back the sender.
    void StopReading() {
        reading_ = false;
        socket_.setReadBufferSize(1);
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
    bool WaitUntilClosed() {
        return QTest::qWaitFor([&] { return socket_.state() == QAbstractSocket::UnconnectedState; }, kWaitMs);
    }
    QTcpSocket& Socket() { return socket_; }
    const Lines& ReceivedSoFar() const { return received_; }

  private:
    QTcpSocket socket_;
    protocol::MessageSplitter splitter_;
    Lines received_;
    bool reading_ = true;
};

bool Logged(const RecordingLog& log, const std::string& line) {
    return std::find(log.lines.begin(), log.lines.end(), line) != log.lines.end();
}

// The two players agree and are dealt their cards.
void PlayTillDealt(LoopbackClient& first, LoopbackClient& second) {
    first.Send(SettingsMessages(0, "Jana", "z"));
    second.Send(SettingsMessages(1, "Petr", "m"));
    ASSERT_TRUE(first.WaitFor("firstplayer=0"));
    first.Send({"req startcard0"});
    second.Send({"req startcard1"});
    ASSERT_TRUE(first.WaitFor("startcard done"));
}

TEST_F(ScriptsOverLoopback, ASilentSeatIsDroppedAndANewPairPlays) {
    RecordingLog log;
    ZeroRandom random;
    ClientListener listener(log, random);
    listener.SetSettingsTimeout(std::chrono::milliseconds(200));
    ASSERT_TRUE(listener.StartListening(0));
    LoopbackClient silent(listener.ListeningPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.Game().PlayerCount() == 1; }, kWaitMs));
    LoopbackClient kept(listener.ListeningPort());
    ASSERT_TRUE(silent.WaitFor("req settings"));

    ASSERT_TRUE(kept.WaitFor("forcedendofgame"));
    EXPECT_EQ(kept.ReceivedSoFar(), (Lines{"yournumber=1", "forcedendofgame"}));
    EXPECT_TRUE(silent.WaitUntilClosed());
    EXPECT_TRUE(Logged(log, "Hráč 0 neodpověděl včas na požadavek na nastavení, spojení uzavřeno"));
    EXPECT_TRUE(Logged(log, "Hráč 0 se odpojil během hry, soupeři zasláno ukončení hry"));

    LoopbackClient newcomer(listener.ListeningPort());
    ASSERT_TRUE(newcomer.WaitFor("yournumber=1"));
    ASSERT_TRUE(kept.WaitFor("req settings"));
    PlayTillDealt(kept, newcomer);
    kept.Send({"sendcard0=eso křížové"});
    EXPECT_TRUE(newcomer.WaitFor("deckcard=eso křížové"));
    EXPECT_EQ(listener.Game().Step(), SetupStep::Playing);
}

TEST_F(ScriptsOverLoopback, APeerThatNeverReadsIsDroppedAndItsOpponentToldTheGameIsOver) {
    RecordingLog log;
    ZeroRandom random;
    ClientListener listener(log, random);
    ConnectionFlow::Limits limits;
    limits.overLimitCut = std::chrono::seconds(1);
    listener.SetFlowLimits(limits);
    ASSERT_TRUE(listener.StartListening(0));
    LoopbackClient talker(listener.ListeningPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.Game().PlayerCount() == 1; }, kWaitMs));
    LoopbackClient deaf(listener.ListeningPort());
    ASSERT_TRUE(talker.WaitFor("req settings"));
    PlayTillDealt(talker, deaf);
    deaf.StopReading();

    // Cards relayed as they come (this listener does not check moves), enough to fill what
    // the system buffers for the deaf peer and then the mark past which the talker is no
    // longer read; chat would be held back by the pace a player may chat at.
    std::string chat;
    for (int i = 0; i < 3000; ++i) chat += protocol::EncodeForWire("sendcard0=eso pikové");
    std::uint64_t sent = 0;
    const bool toldOver = QTest::qWaitFor(
        [&] {
            while (!talker.Received("forcedendofgame") && talker.Socket().bytesToWrite() < (1 << 20)) {
                talker.Socket().write(chat.data(), static_cast<qint64>(chat.size()));
                sent += chat.size();
            }
            return talker.Received("forcedendofgame");
        },
        30'000);
    ASSERT_TRUE(toldOver) << sent << " bytes sent";
    EXPECT_TRUE(Logged(log, "Klient z adresy 127.0.0.1 přes port " +
                                std::to_string(deaf.Socket().localPort()) +
                                " nepřijímá data, neodesláno přes 256 KiB déle než 1 s, spojení uzavřeno"));
    EXPECT_TRUE(Logged(log, "Hráč 1 se odpojil během hry, soupeři zasláno ukončení hry"));
    EXPECT_EQ(listener.Game().PlayerCount(), 1u);
    EXPECT_EQ(listener.Game().Step(), SetupStep::Idle);

    // Reading again, the deaf peer finds its connection closed by the server.
    QObject::connect(&deaf.Socket(), &QTcpSocket::readyRead, [&] { deaf.Socket().readAll(); });
    deaf.Socket().setReadBufferSize(0);
    deaf.Socket().readAll();
    EXPECT_TRUE(deaf.WaitUntilClosed());
}

TEST_F(ScriptsOverLoopback, EveryByteInItsOwnWrite) {
    for (const auto& script : AllScripts()) {
        if (script.name == "WholeMatch" || script.name == "ThirdClientAndEarlyEnd" ||
            script.name == "OneReadAndForeignDigits") {
            Run(script, true);
        }
    }
}

}  // namespace
}  // namespace tarvel::server::testing
