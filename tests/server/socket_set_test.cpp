// The socket sets alone, over 127.0.0.1: what is written reaches the peer whole and in
// order, whether written in answer to a read or from a timer, and a close never costs
// the peer the last bytes, even when they are more than the system takes at once.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <map>
#include <string>

#include "server/socket_set.h"

namespace tarvel::server::testing {
namespace {

constexpr int kWaitMs = 10000;

// Echoes every read twice, as two writes: a move's answer is several messages.
class EchoTwice final : public SocketSet::Events {
  public:
    SocketSet* sockets = nullptr;
    std::map<ConnectionId, bool> open;

    std::map<ConnectionId, std::uint16_t> peerPorts;
    std::function<void(ConnectionId)> beforeAnswer;  // a look at the peers, if set

    void Accepted(ConnectionId id, const std::string&, std::uint16_t port) override {
        open[id] = true;
        peerPorts[id] = port;
    }
    std::size_t received = 0;
    int drained = 0;

    void Received(ConnectionId id, std::string_view bytes) override {
        if (beforeAnswer) beforeAnswer(id);
        received += bytes.size();
        sockets->Write(id, bytes);
        sockets->Write(id, bytes);
    }
    void Ended(ConnectionId id) override { open[id] = false; }
    void Drained(ConnectionId) override { ++drained; }
    void AcceptFailed(const std::string&) override {}
};

struct Kind {
    const char* name;
    SocketSetKind kind;
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.name;
}

class SocketSets : public ::testing::TestWithParam<Kind> {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "socket_set_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    void SetUp() override {
        sockets_ = MakeSocketSet(GetParam().kind, events_);
        events_.sockets = sockets_.get();
        std::string error;
        ASSERT_TRUE(sockets_->Listen(0, &error)) << error;
        peer_.connectToHost(QStringLiteral("127.0.0.1"), sockets_->Port());
        ASSERT_TRUE(peer_.waitForConnected(kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !events_.open.empty(); }, kWaitMs));
        id_ = events_.open.begin()->first;
    }

    // Reads until `bytes` have come or the server closed.
    std::string ReadUpTo(std::size_t bytes) {
        std::string got;
        (void)QTest::qWaitFor(
            [&] {
                got += peer_.readAll().toStdString();
                return got.size() >= bytes || peer_.state() != QAbstractSocket::ConnectedState;
            },
            kWaitMs);
        got += peer_.readAll().toStdString();
        return got;
    }

    EchoTwice events_;
    std::unique_ptr<SocketSet> sockets_;
    QTcpSocket peer_;
    ConnectionId id_ = 0;
};

TEST_P(SocketSets, WritesInAnswerToAReadArriveWholeAndInOrder) {
    for (const std::string& message : {std::string("hraj\r\n"), std::string("tah 7 srdce\r\n"), std::string(3000, 'x')}) {
        peer_.write(message.data(), static_cast<qint64>(message.size()));
        EXPECT_EQ(ReadUpTo(2 * message.size()), message + message);
    }
}

// A timer's writes (a wait run out, say), then a close right after more of them, with
// more bytes than the system's buffers hold: all of it arrives, then the end.
TEST_P(SocketSets, ATimersWritesAndACloseRightAfterLoseNothing) {
    std::string sent;
    for (int i = 0; sent.size() < 4 * 1024 * 1024; ++i) sent += "zprava " + std::to_string(i) + "\r\n";
    const std::size_t half = sent.size() / 2;
    QTimer::singleShot(0, [&] {
        sockets_->Write(id_, std::string_view(sent).substr(0, half / 2));
        sockets_->Write(id_, std::string_view(sent).substr(half / 2, half - half / 2));
    });
    std::string got = ReadUpTo(half);
    ASSERT_EQ(got.size(), half) << "a timer's writes waited for something else to happen";
    QTimer::singleShot(0, [&] {
        sockets_->Write(id_, std::string_view(sent).substr(half));
        sockets_->CloseWhenSent(id_);
        // Once closing, nothing more is taken.
        EXPECT_EQ(sockets_->Write(id_, "pozde\r\n"), 0u);
    });
    got += ReadUpTo(sent.size() - half + 1);
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent) << "the bytes arrived changed or out of order";
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer_.state() != QAbstractSocket::ConnectedState; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !events_.open[id_]; }, kWaitMs));
}

// A connection not read leaves what it sends with the system (the set holds no more than
// one read of it), and gets all of it handled once read again.
TEST_P(SocketSets, AConnectionNotReadIsHeldByTheSystemUntilReadAgain) {
    sockets_->PauseReading(id_);
    const std::string sent(1024 * 1024, 'x');
    peer_.write(sent.data(), static_cast<qint64>(sent.size()));
    QTest::qWait(300);
    EXPECT_EQ(events_.received, 0u);
    EXPECT_LE(sockets_->BytesHeld(), kReadChunkBytes);
    events_.drained = 0;
    sockets_->ResumeReading(id_);
    EXPECT_EQ(ReadUpTo(2 * sent.size()).size(), 2 * sent.size());
    EXPECT_EQ(events_.received, sent.size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return events_.drained > 0 && sockets_->BytesHeld() == 0; }, kWaitMs))
        << "what was written went out, and nobody was told";
}

// Connections ready at one wake-up, as at a busy server: each one's answer is on its way
// before the next one is read, so no move waits for every other table's.
TEST_P(SocketSets, AnAnswerLeavesBeforeTheNextConnectionIsRead) {
    QTcpSocket second;
    second.connectToHost(QStringLiteral("127.0.0.1"), sockets_->Port());
    ASSERT_TRUE(second.waitForConnected(kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return events_.open.size() == 2; }, kWaitMs));
    int answersWaiting = 0;
    events_.beforeAnswer = [&](ConnectionId id) {
        QTcpSocket& other = events_.peerPorts[id] == peer_.localPort() ? second : peer_;
        char byte = 0;
        if (recv(static_cast<int>(other.socketDescriptor()), &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 1) {
            ++answersWaiting;
        }
    };
    // Both moves are with the system before the set is next woken.
    for (QTcpSocket* socket : {&peer_, &second}) {
        socket->write("tah\r\n");
        ASSERT_TRUE(socket->waitForBytesWritten(kWaitMs));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return events_.received == 10; }, kWaitMs));
    events_.beforeAnswer = nullptr;
    EXPECT_EQ(answersWaiting, 1) << "the first connection's answer waited for the second's read";
}

INSTANTIATE_TEST_SUITE_P(BothKinds, SocketSets,
                         ::testing::Values(Kind{"Best", SocketSetKind::Best},
                                           Kind{"QtSockets", SocketSetKind::QtSockets}),
                         [](const ::testing::TestParamInfo<Kind>& param) { return param.param.name; });

}  // namespace
}  // namespace tarvel::server::testing
