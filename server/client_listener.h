// The TCP side of the server: the listening socket and the client connections on the
// Qt event loop. It hands connects, reads and disconnects to the game logic and
// carries the game's writes and closes back to the sockets. Nothing here blocks, and
// nothing a client does can make it hold more than kMaxUnsentBytes for that client.
#pragma once

#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <chrono>
#include <unordered_map>
#include <unordered_set>

#include "game_server.h"
#include "random_source.h"
#include "server_links.h"

class QTcpSocket;

namespace tarvel::server {

class ClientListener final : public QObject, public ClientLinks, public SetupTimer {
    Q_OBJECT

  public:
    ClientListener(EventLog& log, RandomSource& random, QObject* parent = nullptr);
    ~ClientListener() override;

    // Listens on all IPv4 addresses; on failure the reason is in `error`.
    bool StartListening(quint16 port, QString* error = nullptr);
    // Stops listening and closes every client connection.
    void StopListening();
    bool IsListening() const { return server_.isListening(); }
    quint16 ListeningPort() const { return server_.serverPort(); }

    const GameServer& Game() const { return game_; }
    // How long a player may take to answer "req settings" (15 s unless set).
    void SetSettingsTimeout(std::chrono::milliseconds timeout) { game_.SetSettingsTimeout(timeout); }
    // Bytes read from all clients so far: lets a test know that the server has
    // handled everything it sent.
    std::uint64_t BytesReceived() const { return bytesReceived_; }

    void Write(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;
    void Start(std::chrono::milliseconds duration) override;
    void Stop() override;

  private:
    void ServerSocketClientConnect();
    void ServerSocketClientRead(ConnectionId id);
    void ServerSocketClientDisconnect(ConnectionId id);
    void DropClientNotReading(ConnectionId id);

    QTcpServer server_;
    std::unordered_map<ConnectionId, QTcpSocket*> sockets_;
    // Connections past the output limit: they take no more writes and are dropped from the event loop.
    std::unordered_set<ConnectionId> notReading_;
    QTimer settingsTimer_;
    ConnectionId nextId_ = 1;
    std::uint64_t bytesReceived_ = 0;
    GameServer game_;
};

}  // namespace tarvel::server
