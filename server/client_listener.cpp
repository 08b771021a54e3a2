#include "server/client_listener.h"

#include <sys/resource.h>

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace tarvel::server {
namespace {

// A peer that stops reading could hold a closing connection open for ever.
constexpr int kCloseGraceMs = 5000;

// What the socket takes from the system before the game has handled it. A client's
// messages are a few dozen bytes; a flood stays with the system, which slows its
// sender, instead of piling up here.
constexpr qint64 kReadChunkBytes = 64 * 1024;

// Files the process keeps for itself below the open-files limit: the program, Qt and the
// libraries it loads, the listening socket, the log. Connections never take them.
constexpr int kFilesKeptFree = 64;
// Room between the connections admitted and those the listener takes at all: a newcomer
// past the limits is still taken long enough to be told "busy".
constexpr int kRoomForRefusals = 64;
// After the system refuses a connection (out of files), accepting pauses this long.
constexpr int kAcceptPauseMs = 1000;

int OpenFilesLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur == RLIM_INFINITY) return 1 << 20;
    return static_cast<int>(std::min<rlim_t>(files.rlim_cur, 1 << 20));
}

// Dotted decimal even when the socket reports an IPv4-mapped address.
std::string DottedAddress(const QHostAddress& address) {
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return (isIpv4 ? QHostAddress(ipv4) : address).toString().toStdString();
}

// A single-shot QTimer; what it runs goes with it.
class EventLoopTimer final : public SetupTimer {
  public:
    explicit EventLoopTimer(std::function<void()> onExpiry) : onExpiry_(std::move(onExpiry)) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { onExpiry_(); });
    }
    void Start(std::chrono::milliseconds duration) override { timer_.start(duration); }
    void Stop() override { timer_.stop(); }

  private:
    std::function<void()> onExpiry_;
    QTimer timer_;
};

}  // namespace

ClientListener::ClientListener(EventLog& log, RandomSource& random, int tables, QObject* parent)
    : QObject(parent), log_(log), random_(random) {
    connect(&server_, &QTcpServer::newConnection, this, &ClientListener::ServerSocketClientConnect);
    connect(&server_, &QTcpServer::acceptError, this, &ClientListener::AcceptFailed);
    socketCap_ = std::max(4, OpenFilesLimit() - kFilesKeptFree);
    connectionCap_ = std::max(2, socketCap_ - kRoomForRefusals);
    SetTables(tables);
}

void ClientListener::SetTables(int tables) {
    if (server_.isListening() || !sockets_.empty()) return;
    hall_ = std::make_unique<TableHall>(tables, *this, log_, random_, *this);
    hall_->SetSettingsTimeout(settingsTimeout_);
    hall_->SetJoinWait(joinWait_);
    hall_->SetMoveChecking(checkMoves_);
    hall_->SetReturnWait(reconnectWait_);
    hall_->SetIdleWait(idleWait_);
    hall_->SetConnectionLimits(perAddress_, connectionCap_);
}

void ClientListener::SetIdleWait(std::chrono::seconds wait) {
    idleWait_ = wait;
    hall_->SetIdleWait(wait);
}

void ClientListener::SetConnectionLimits(int perAddress, int total) {
    perAddress_ = std::max(1, perAddress);
    const int fromFiles = std::max(2, socketCap_ - kRoomForRefusals);
    connectionCap_ = total > 0 ? std::min(total, fromFiles) : fromFiles;
    hall_->SetConnectionLimits(perAddress_, connectionCap_);
}

void ClientListener::AcceptFailed(QAbstractSocket::SocketError) {
    // Qt stops accepting after such an error; without this nobody could connect again.
    log_.Log("Nelze přijmout spojení (" + server_.errorString().toStdString() + "), další přijímám za " +
             std::to_string(kAcceptPauseMs / 1000) + " s");
    server_.pauseAccepting();
    acceptPaused_ = true;
    QTimer::singleShot(kAcceptPauseMs, this, [this] { ResumeAcceptingWhenRoom(); });
}

void ClientListener::ResumeAcceptingWhenRoom() {
    if (!acceptPaused_ || static_cast<int>(sockets_.size()) >= socketCap_) return;
    acceptPaused_ = false;
    server_.resumeAccepting();
}

void ClientListener::SetReconnectWait(std::chrono::seconds wait) {
    reconnectWait_ = wait;
    hall_->SetReturnWait(wait);
}

void ClientListener::SetSettingsTimeout(std::chrono::milliseconds timeout) {
    settingsTimeout_ = timeout;
    hall_->SetSettingsTimeout(timeout);
}

void ClientListener::SetJoinWait(std::chrono::milliseconds wait) {
    joinWait_ = wait;
    hall_->SetJoinWait(wait);
}

void ClientListener::SetMoveChecking(bool on) {
    checkMoves_ = on;
    hall_->SetMoveChecking(on);
}

std::unique_ptr<SetupTimer> ClientListener::MakeTimer(std::function<void()> onExpiry) {
    return std::make_unique<EventLoopTimer>(std::move(onExpiry));
}

ClientListener::~ClientListener() {
    // Sockets are children of the server object; their signals must not reach a half-destroyed game.
    for (auto& [id, socket] : sockets_) socket->disconnect(this);
}

bool ClientListener::StartListening(quint16 port, QString* error) {
    if (server_.listen(QHostAddress::AnyIPv4, port)) return true;
    if (error != nullptr) *error = server_.errorString();
    return false;
}

void ClientListener::StopListening() {
    server_.close();
    std::vector<ConnectionId> ids;
    for (const auto& [id, socket] : sockets_) ids.push_back(id);
    for (ConnectionId id : ids) {
        sockets_.at(id)->abort();
        ServerSocketClientDisconnect(id);  // at once: the game hears of it before listening may start again
    }
}

void ClientListener::Write(ConnectionId id, std::string_view bytes) {
    // A socket already gone whose disconnect is still queued takes nothing, nor does one
    // that is being dropped for not reading.
    auto it = sockets_.find(id);
    if (it == sockets_.end() || it->second->state() != QAbstractSocket::ConnectedState ||
        notReading_.count(id) != 0) {
        return;
    }
    QTcpSocket* socket = it->second;
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Out to the system now, before the window repaints its log; flush never blocks.
    socket->flush();
    if (socket->bytesToWrite() > static_cast<qint64>(kMaxUnsentBytes)) {
        notReading_.insert(id);
        // Later, from the event loop: the game must never be re-entered from its own call.
        QMetaObject::invokeMethod(
            this, [this, id] { DropClientNotReading(id); }, Qt::QueuedConnection);
    }
}

void ClientListener::DropClientNotReading(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    hall_->ClientNotReading(id);
    // What waits for this client is thrown away at once rather than after the close's grace time.
    socket->abort();
    ServerSocketClientDisconnect(id);
}

void ClientListener::Close(ConnectionId id, std::chrono::milliseconds after) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    // Later, from the event loop: the game must never be re-entered from its own call.
    QTimer::singleShot(after, socket, [socket] { socket->disconnectFromHost(); });
    QTimer::singleShot(after + std::chrono::milliseconds(kCloseGraceMs), socket, [socket] { socket->abort(); });
}

void ClientListener::ServerSocketClientConnect() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const ConnectionId id = nextId_++;
        sockets_[id] = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setReadBufferSize(kReadChunkBytes);
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { ServerSocketClientRead(id); });
        // Queued: a failed write can abort the socket from inside a send of the game, and the
        // game must never be re-entered from its own call.
        connect(
            socket, &QTcpSocket::disconnected, this, [this, id] { ServerSocketClientDisconnect(id); },
            Qt::QueuedConnection);
        hall_->ClientConnected(id, DottedAddress(socket->peerAddress()), socket->peerPort());
        if (static_cast<int>(sockets_.size()) >= socketCap_ && !acceptPaused_) {
            // Full: further connections wait with the system until one of these goes.
            server_.pauseAccepting();
            acceptPaused_ = true;
        }
        // Data or a close that came before the signals were connected.
        if (socket->state() != QAbstractSocket::ConnectedState) {
            ServerSocketClientDisconnect(id);
        } else if (socket->bytesAvailable() > 0) {
            ServerSocketClientRead(id);
        }
    }
}

void ClientListener::ServerSocketClientRead(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    const QByteArray bytes = it->second->readAll();
    bytesReceived_ += static_cast<std::uint64_t>(bytes.size());
    hall_->ClientRead(id, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void ClientListener::ServerSocketClientDisconnect(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    // What a client wrote just before closing ("end of game0") is still handled.
    if (socket->bytesAvailable() > 0) {
        ServerSocketClientRead(id);
        it = sockets_.find(id);
        if (it == sockets_.end()) return;
    }
    sockets_.erase(it);
    notReading_.erase(id);
    socket->disconnect(this);
    socket->deleteLater();
    hall_->ClientDisconnected(id);
    ResumeAcceptingWhenRoom();
}

}  // namespace tarvel::server
