// The TCP side of the server: the listening socket and the client connections on the
// Qt event loop. It hands connects, reads and disconnects to the game logic and
// carries the game's writes and closes back to the sockets. Nothing here blocks.
#pragma once

#include <QObject>
#include <QString>
#include <QTcpServer>
#include <unordered_map>

#include "game_server.h"
#include "random_source.h"
#include "server_links.h"

class QTcpSocket;

namespace tarvel::server {

class ClientListener final : public QObject, public ClientLinks {
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
    // Bytes read from all clients so far: lets a test know that the server has
    // handled everything it sent.
    std::uint64_t BytesReceived() const { return bytesReceived_; }

    void Write(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;

  private:
    void ServerSocketClientConnect();
    void ServerSocketClientRead(ConnectionId id);
    void ServerSocketClientDisconnect(ConnectionId id);

    QTcpServer server_;
    std::unordered_map<ConnectionId, QTcpSocket*> sockets_;
    ConnectionId nextId_ = 1;
    std::uint64_t bytesReceived_ = 0;
    GameServer game_;
};

}  // namespace tarvel::server
