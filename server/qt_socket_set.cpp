#include "server/qt_socket_set.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace tarvel::server {
namespace {

// Dotted decimal even when the socket reports an IPv4-mapped address.
std::string DottedAddress(const QHostAddress& address) {
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return (isIpv4 ? QHostAddress(ipv4) : address).toString().toStdString();
}

}  // namespace

QtSocketSet::QtSocketSet(Events& events) : events_(events) {
    connect(&server_, &QTcpServer::newConnection, this, [this] { AcceptAll(); });
    // Qt stops accepting after such an error until told to go on.
    connect(&server_, &QTcpServer::acceptError, this, [this] {
        server_.pauseAccepting();
        events_.AcceptFailed(server_.errorString().toStdString());
    });
}

QtSocketSet::~QtSocketSet() {
    // Sockets are children of the server object; their signals must not reach a half-destroyed listener.
    for (auto& [id, socket] : sockets_) socket->disconnect(this);
}

bool QtSocketSet::Listen(std::uint16_t port, std::string* error) {
    if (server_.listen(QHostAddress::AnyIPv4, port)) return true;
    if (error != nullptr) *error = server_.errorString().toStdString();
    return false;
}

std::vector<ConnectionId> QtSocketSet::Connections() const {
    std::vector<ConnectionId> ids;
    for (const auto& [id, socket] : sockets_) ids.push_back(id);
    return ids;
}

std::size_t QtSocketSet::BytesHeld() const {
    qint64 held = 0;
    for (const auto& [id, socket] : sockets_) held += socket->bytesToWrite() + socket->bytesAvailable();
    return static_cast<std::size_t>(held);
}

std::size_t QtSocketSet::Write(ConnectionId id, std::string_view bytes) {
    // A socket already gone whose disconnect is still queued takes nothing.
    auto it = sockets_.find(id);
    if (it == sockets_.end() || it->second->state() != QAbstractSocket::ConnectedState) return 0;
    QTcpSocket* socket = it->second;
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Out to the system now, before the window repaints its log; flush never blocks.
    socket->flush();
    return static_cast<std::size_t>(socket->bytesToWrite());
}

void QtSocketSet::CloseWhenSent(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    socket->disconnectFromHost();
    QTimer::singleShot(kCloseGraceMs, socket, [socket] { socket->abort(); });
}

void QtSocketSet::Abort(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    socket->disconnect(this);
    socket->abort();
    Forget(id);
}

void QtSocketSet::AcceptAll() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const ConnectionId id = nextId_++;
        sockets_[id] = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSendBufferBytes);
        socket->setReadBufferSize(static_cast<qint64>(kReadChunkBytes));
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { Readable(id); });
        // Queued: Qt says so from inside a write too.
        connect(
            socket, &QTcpSocket::bytesWritten, this,
            [this, id] {
                auto found = sockets_.find(id);
                if (found != sockets_.end() && found->second->bytesToWrite() == 0 &&
                    found->second->state() == QAbstractSocket::ConnectedState) {
                    events_.Drained(id);
                }
            },
            Qt::QueuedConnection);
        // Queued: a failed write can abort the socket from inside a write of the listener,
        // which must never hear of it from inside its own call.
        connect(
            socket, &QTcpSocket::disconnected, this, [this, id] { Disconnected(id); }, Qt::QueuedConnection);
        events_.Accepted(id, DottedAddress(socket->peerAddress()), socket->peerPort());
        // Data or a close that came before the signals were connected.
        if (sockets_.count(id) == 0) continue;
        if (socket->state() != QAbstractSocket::ConnectedState) {
            Disconnected(id);
        } else if (socket->bytesAvailable() > 0) {
            Readable(id);
        }
    }
}

void QtSocketSet::PauseReading(ConnectionId id) {
    if (sockets_.count(id) != 0) notReading_.insert(id);
}

void QtSocketSet::ResumeReading(ConnectionId id) {
    if (notReading_.erase(id) == 0) return;
    // What the socket holds already brings no new signal: it is read from the event loop.
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            auto it = sockets_.find(id);
            if (it != sockets_.end() && it->second->bytesAvailable() > 0) Readable(id);
        },
        Qt::QueuedConnection);
}

void QtSocketSet::Readable(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end() || notReading_.count(id) != 0) return;
    const QByteArray bytes = it->second->readAll();
    if (bytes.isEmpty()) return;
    events_.Received(id, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void QtSocketSet::Disconnected(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    // What a client wrote just before closing ("end of game0") is still handled.
    if (it->second->bytesAvailable() > 0) {
        Readable(id);
        if (sockets_.count(id) == 0) return;
    }
    Forget(id);
    events_.Ended(id);
}

void QtSocketSet::Forget(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    notReading_.erase(id);
    socket->disconnect(this);
    socket->deleteLater();
}

}  // namespace tarvel::server
