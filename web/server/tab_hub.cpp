#include "web/server/tab_hub.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QWebSocket>
#include <algorithm>

#include "web/messages/page_request.h"
#include "web/messages/server_event.h"

namespace tarvel::web {
namespace {

// 128 bits from the system's random source: a session cannot be guessed or taken over.
std::string NewSecret() {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string secret;
    for (int i = 0; i < 4; ++i) {
        quint32 word = QRandomGenerator::system()->generate();
        for (int j = 0; j < 8; ++j, word >>= 4) secret += kDigits[word & 0xF];
    }
    return secret;
}

// The close codes a page hears (RFC 6455): what it sent broke the rules or the server
// has no room (the reason tells which), or it was not text.
constexpr auto kPolicy = QWebSocketProtocol::CloseCodePolicyViolated;
constexpr auto kNotText = QWebSocketProtocol::CloseCodeDatatypeNotSupported;

}  // namespace

struct TabHub::Session {
    std::string secret;
    QHostAddress address;
    std::unique_ptr<TabGame> game;
    QWebSocket* socket = nullptr;  // the tab attached, if any
    QTimer expiry;                 // runs while no tab is attached
};

struct TabHub::Connection {
    QWebSocket* socket = nullptr;
    QHostAddress address;
    Session* session = nullptr;  // after its hello
    QTimer helloWait;
    double tokens = 0;
    QElapsedTimer sinceRefill;
};

TabHub::TabHub(TabGameFactory factory, HubLimits limits, QObject* parent)
    : QObject(parent),
      factory_(std::move(factory)),
      limits_(limits),
      server_(QStringLiteral("tarvelweb"), QWebSocketServer::NonSecureMode) {
    server_.setHandshakeTimeout(std::chrono::milliseconds(limits_.helloWaitMs));
    connect(&server_, &QWebSocketServer::newConnection, this, &TabHub::Accept);
}

TabHub::~TabHub() {
    for (auto& [socket, connection] : connections_) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

bool TabHub::AcceptsMoreFrom(const QHostAddress& address) const {
    if (sessions_.size() >= static_cast<std::size_t>(limits_.sessions)) return false;
    int count = 0;
    for (const auto& [socket, connection] : connections_) count += connection->address.isEqual(address) ? 1 : 0;
    for (const auto& [secret, session] : sessions_) {
        count += session->socket == nullptr && session->address.isEqual(address) ? 1 : 0;
    }
    return count < limits_.connectionsPerAddress;
}

void TabHub::TakeConnection(QTcpSocket* socket, const QHostAddress& player) {
    // An answer is several small frames, the sentence last; an opponent's move comes
    // unasked. Held back for the page's acknowledgement (Nagle's algorithm against a
    // delayed ACK), the sentence would come some 40 ms late.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const std::pair<QString, quint16> key{socket->peerAddress().toString(), socket->peerPort()};
    // A handshake that fails deletes its socket; its entry goes with it.
    const QMetaObject::Connection forget =
        connect(socket, &QObject::destroyed, this, [this, key] { upgrading_.erase(key); });
    upgrading_[key] = Upgrading{player, forget};
    server_.handleConnection(socket);
}

void TabHub::Accept() {
    while (QWebSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(static_cast<quint64>(limits_.messageBytes));
        socket->setMaxAllowedIncomingMessageSize(static_cast<quint64>(limits_.messageBytes));
        auto connection = std::make_unique<Connection>();
        connection->socket = socket;
        connection->address = socket->peerAddress();
        const auto upgraded = upgrading_.find({socket->peerAddress().toString(), socket->peerPort()});
        if (upgraded != upgrading_.end()) {
            connection->address = upgraded->second.player;
            disconnect(upgraded->second.forget);
            upgrading_.erase(upgraded);
        }
        connection->tokens = limits_.commandBurst;
        connection->sinceRefill.start();
        connection->helloWait.setSingleShot(true);
        connect(&connection->helloWait, &QTimer::timeout, this,
                [this, socket] { Close(socket, kPolicy, "no hello came"); });
        connection->helloWait.start(limits_.helloWaitMs);
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) { Receive(socket, text); });
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, socket](const QByteArray&) { Close(socket, kNotText, "messages are text"); });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { Drop(socket); });
        connections_.emplace(socket, std::move(connection));
    }
}

bool TabHub::Allow(Connection& connection) {
    const double seconds = static_cast<double>(connection.sinceRefill.restart()) / 1000.0;
    connection.tokens = std::min(limits_.commandBurst, connection.tokens + seconds * limits_.commandsPerSecond);
    if (connection.tokens < 1) return false;
    connection.tokens -= 1;
    return true;
}

void TabHub::Receive(QWebSocket* socket, const QString& text) {
    const auto found = connections_.find(socket);
    if (found == connections_.end()) return;
    Connection& connection = *found->second;
    if (!Allow(connection)) {
        Close(socket, kPolicy, "too many messages");
        return;
    }
    const ParsedRequest parsed = ParsePageRequest(text.toUtf8());
    if (!parsed.request) {
        Close(socket, kPolicy, "malformed message: " + parsed.error);
        return;
    }
    if (const auto* hello = std::get_if<HelloRequest>(&*parsed.request)) {
        if (connection.session != nullptr) {
            Close(socket, kPolicy, "hello came twice");
            return;
        }
        Greet(connection, *hello);
        return;
    }
    if (connection.session == nullptr) {
        Close(socket, kPolicy, "the first message must be hello");
        return;
    }
    connection.session->game->Handle(*parsed.request);
}

void TabHub::Greet(Connection& connection, const HelloRequest& hello) {
    connection.helloWait.stop();
    QWebSocket* socket = connection.socket;
    // A tab that reloads asks for its session back; a second tab with the same secret
    // (a duplicated tab) gets a session of its own instead of taking the first one's.
    if (!hello.resume.empty()) {
        const auto found = sessions_.find(hello.resume);
        if (found != sessions_.end() && found->second->socket == nullptr &&
            found->second->address.isEqual(connection.address)) {
            Session& session = *found->second;
            session.expiry.stop();
            session.socket = socket;
            connection.session = &session;
            Send(socket, FormatWelcome(session.secret, true));
            for (const QByteArray& frame : session.game->Snapshot()) Send(socket, frame);
            return;
        }
    }
    if (!factory_) {
        Close(socket, kPolicy, "this tarvelweb has no game to play yet");
        return;
    }
    if (sessions_.size() >= static_cast<std::size_t>(limits_.sessions)) {
        Close(socket, kPolicy, "no room for another game, try later");
        return;
    }
    auto session = std::make_unique<Session>();
    session->secret = NewSecret();
    session->address = connection.address;
    session->socket = socket;
    session->expiry.setSingleShot(true);
    const std::string secret = session->secret;
    // Freed after the timer's own signal has returned, and only if no tab came back meanwhile.
    connect(&session->expiry, &QTimer::timeout, this, [this, secret] {
        QMetaObject::invokeMethod(this, [this, secret] { Expire(secret); }, Qt::QueuedConnection);
    });
    Session* raw = session.get();
    session->game = factory_(hello.language, [this, raw](const QByteArray& frame) {
        if (raw->socket != nullptr) Send(raw->socket, frame);
    });
    connection.session = raw;
    sessions_.emplace(secret, std::move(session));
    Send(socket, FormatWelcome(secret, false));
}

void TabHub::Send(QWebSocket* socket, const QByteArray& frame) {
    // A page that stops reading would have its frames pile up here without end.
    if (socket->bytesToWrite() > limits_.unreadBytes) {
        socket->abort();
        return;
    }
    socket->sendTextMessage(QString::fromUtf8(frame));
}

void TabHub::Close(QWebSocket* socket, QWebSocketProtocol::CloseCode code, const std::string& reason) {
    // A close reason may hold 123 bytes. A peer that does not answer the close is cut off.
    socket->close(code, QString::fromStdString(reason.substr(0, 123)));
    QTimer::singleShot(limits_.closeWaitMs, socket, [socket] { socket->abort(); });
}

void TabHub::Expire(const std::string& secret) {
    const auto found = sessions_.find(secret);
    if (found != sessions_.end() && found->second->socket == nullptr) sessions_.erase(found);
}

void TabHub::Drop(QWebSocket* socket) {
    const auto found = connections_.find(socket);
    if (found == connections_.end()) return;
    if (Session* session = found->second->session; session != nullptr && session->socket == socket) {
        session->socket = nullptr;
        session->expiry.start(limits_.resumeWaitMs);
    }
    connections_.erase(found);
    socket->deleteLater();
}

}  // namespace tarvel::web
