// A relay on loopback between clients and the server program, for tests of a lost
// connection.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <utility>
#include <vector>

namespace tarvel::testing {

// A relay on loopback between clients and the server: cutting it drops every connection
// through it as a failing network does, neither the client nor the server closing its end.
class CuttableLink : public QObject {
  public:
    explicit CuttableLink(quint16 serverPort) : serverPort_(serverPort) {
        listener_.listen(QHostAddress::LocalHost, 0);
        port = listener_.serverPort();
        QObject::connect(&listener_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* client = listener_.nextPendingConnection()) Join(client);
        });
    }
    void Cut() {
        if (Tracing()) fprintf(stderr, "cut\n");
        for (auto& [client, server] : pairs_) {
            client->abort();
            server->abort();
            client->deleteLater();
            server->deleteLater();
        }
        pairs_.clear();
    }
    // Nothing listens any more: a client trying again is refused.
    void Close() {
        listener_.close();
        Cut();
    }

    quint16 port = 0;

  private:
    void Join(QTcpSocket* client) {
        auto* server = new QTcpSocket(this);
        client->setParent(this);
        pairs_.emplace_back(client, server);
        QObject::connect(client, &QTcpSocket::readyRead, server, [client, server] {
            if (server->state() == QAbstractSocket::ConnectedState) server->write(Trace("C>S", client->readAll()));
        });
        QObject::connect(server, &QTcpSocket::connected, server,
                         [client, server] { server->write(Trace("C>S", client->readAll())); });
        QObject::connect(server, &QTcpSocket::readyRead, client,
                         [client, server] { client->write(Trace("S>C", server->readAll())); });
        QObject::connect(client, &QTcpSocket::disconnected, server, [server] { server->disconnectFromHost(); });
        QObject::connect(server, &QTcpSocket::disconnected, client, [client] { client->disconnectFromHost(); });
        server->connectToHost(QHostAddress::LocalHost, serverPort_);
    }

    // TARVEL_WIRE_TRACE=1 prints every piece that passes, each terminator as "|", and
    // each cut: what to look at when a match through the relay stands still.
    static bool Tracing() { return !qEnvironmentVariableIsEmpty("TARVEL_WIRE_TRACE"); }
    static QByteArray Trace(const char* way, QByteArray bytes) {
        if (Tracing()) {
            QByteArray shown = bytes;
            shown.replace('\0', "|");
            fprintf(stderr, "%s %s\n", way, shown.constData());
        }
        return bytes;
    }
    quint16 serverPort_;
    QTcpServer listener_;
    std::vector<std::pair<QTcpSocket*, QTcpSocket*>> pairs_;
};

}  // namespace tarvel::testing
