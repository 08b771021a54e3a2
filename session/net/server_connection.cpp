#include "session/net/server_connection.h"

namespace tarvel {

ServerConnection::ServerConnection(QObject* parent) : QObject(parent) {}

void ServerConnection::Open(const QString& host, quint16 port) {
    Drop(Release());
    lastFailureRefused_ = false;
    splitter_.Clear();
    socket_ = new QTcpSocket(this);
    // Moves and announcements are small and must not wait for more to fill a packet.
    connect(socket_, &QTcpSocket::connected, this, [this] {
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        opened_ = true;
        emit Opened();
    });
    connect(socket_, &QTcpSocket::readyRead, this, &ServerConnection::ReadAvailable);
    connect(socket_, &QTcpSocket::errorOccurred, this, &ServerConnection::HandleError);
    connect(socket_, &QTcpSocket::disconnected, this, &ServerConnection::HandleDisconnected);
    socket_->connectToHost(host, port);
}

void ServerConnection::Close() {
    QTcpSocket* socket = Release();
    if (socket == nullptr) return;
    if (socket->state() == QAbstractSocket::ConnectedState) {
        // Whatever is still queued ("end of game", "terminategame") is written before it closes.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->flush();  // the last words go out even when the program is closing
        socket->disconnectFromHost();
    } else {
        Drop(socket);
    }
}

bool ServerConnection::Connected() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void ServerConnection::Write(const std::string& message) {
    if (!Connected()) return;
    // The socket keeps what the system cannot take at once and sends it in order.
    const std::string bytes = protocol::EncodeForWire(message);
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void ServerConnection::ReadAvailable() {
    if (!socket_) return;
    const QByteArray bytes = socket_->readAll();
    protocol::MessageSplitter::Result result = splitter_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QPointer<ServerConnection> self(this);
    if (!result.messages.empty()) emit MessagesArrived(result.messages);
    if (!self || !result.overflow || !socket_) return;
    // Endless text without a terminator: no server sends that; the connection is given up.
    Drop(Release());
    emit Lost();
}

void ServerConnection::HandleError(QAbstractSocket::SocketError error) {
    if (!socket_) return;
    if (error == QAbstractSocket::RemoteHostClosedError && opened_) return;  // disconnected follows
    const QString reason = socket_->errorString();
    const bool wasOpened = opened_;
    lastFailureRefused_ = !wasOpened && error == QAbstractSocket::ConnectionRefusedError;
    Drop(Release());
    if (wasOpened) {
        emit Lost();
    } else {
        emit Failed(reason);
    }
}

void ServerConnection::HandleDisconnected() {
    if (!socket_) return;
    // What arrived just before the end is still handled.
    if (socket_->bytesAvailable() > 0) ReadAvailable();
    if (!socket_) return;
    const bool wasOpened = opened_;
    Drop(Release());
    if (wasOpened) {
        emit Lost();
    } else {
        emit Failed(QString());
    }
}

QTcpSocket* ServerConnection::Release() {
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    opened_ = false;
    if (socket != nullptr) socket->disconnect(this);
    return socket;
}

void ServerConnection::Drop(QTcpSocket* socket) {
    if (socket == nullptr) return;
    socket->abort();
    socket->deleteLater();
}

}  // namespace tarvel
