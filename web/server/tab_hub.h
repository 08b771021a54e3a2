// The tabs' sessions: one WebSocket per browser tab, one session per tab, kept for a
// short wait after its tab is gone so that a reload comes back to the same match. Every
// frame from a page is checked before anything acts on it; a page that breaks the rules
// is closed with the reason, and no other session notices.
#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QWebSocketServer>
#include <map>
#include <memory>
#include <string>

#include "web/messages/page_request.h"
#include "web/server/tab_game.h"

class QTcpSocket;
class QWebSocket;

namespace tarvel::web {

struct HubLimits {
    int connectionsPerAddress = 8;     // open tabs and sessions waiting for their tab, together
    int sessions = 400;                // in all
    qint64 messageBytes = 4096;        // the largest frame a page may send
    int resumeWaitMs = 60'000;         // how long a session waits for its tab to come back
    int helloWaitMs = 10'000;          // how long a new connection may stay silent
    double commandsPerSecond = 20;     // a held-down key repeats about 30 times a second;
    double commandBurst = 40;          // the game reads every one, but not a flood
    qint64 unreadBytes = 1 << 20;      // what may wait for a page that does not read
    int closeWaitMs = 5'000;           // how long a closed page may take to answer the close
};

class TabHub : public QObject {
    Q_OBJECT

  public:
    TabHub(TabGameFactory factory, HubLimits limits, QObject* parent = nullptr);
    ~TabHub() override;

    // Whether one more connection from this address is welcome.
    bool AcceptsMoreFrom(const QHostAddress& address) const;
    // A socket whose WebSocket upgrade request is waiting unread, its origin allowed;
    // `player` is whose it is (the peer, or the player behind a proxy).
    void TakeConnection(QTcpSocket* socket, const QHostAddress& player);

    std::size_t SessionCount() const { return sessions_.size(); }
    std::size_t ConnectionCount() const { return connections_.size(); }

  private:
    struct Session;
    struct Connection;

    void Accept();
    void Receive(QWebSocket* socket, const QString& text);
    void Greet(Connection& connection, const HelloRequest& hello);
    void Send(QWebSocket* socket, const QByteArray& frame);
    void Close(QWebSocket* socket, QWebSocketProtocol::CloseCode code, const std::string& reason);
    void Expire(const std::string& secret);
    void Drop(QWebSocket* socket);
    bool Allow(Connection& connection);

    TabGameFactory factory_;
    HubLimits limits_;
    QWebSocketServer server_;
    std::map<std::string, std::unique_ptr<Session>> sessions_;     // by secret
    std::map<QWebSocket*, std::unique_ptr<Connection>> connections_;
    // Players' addresses of sockets in their WebSocket handshake, by the peer's address
    // and port (the one thing the WebSocket keeps of its socket).
    struct Upgrading {
        QHostAddress player;
        QMetaObject::Connection forget;
    };
    std::map<std::pair<QString, quint16>, Upgrading> upgrading_;
};

}  // namespace tarvel::web
