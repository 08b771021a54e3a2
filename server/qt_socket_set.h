// Client sockets as Qt's own QTcpServer and QTcpSocket, one notifier each: what the
// server runs on where there is no epoll. Every wake-up of the event loop visits every
// socket, which is fine for a few hundred players.
#pragma once

#include <QObject>
#include <QTcpServer>
#include <unordered_map>
#include <unordered_set>

#include "server/socket_set.h"

class QTcpSocket;

namespace tarvel::server {

class QtSocketSet final : public QObject, public SocketSet {
  public:
    explicit QtSocketSet(Events& events);
    ~QtSocketSet() override;

    bool Listen(std::uint16_t port, std::string* error) override;
    void StopListening() override { server_.close(); }
    bool IsListening() const override { return server_.isListening(); }
    std::uint16_t Port() const override { return server_.serverPort(); }
    void PauseAccepting() override { server_.pauseAccepting(); }
    void ResumeAccepting() override { server_.resumeAccepting(); }
    std::size_t Write(ConnectionId id, std::string_view bytes) override;
    void CloseWhenSent(ConnectionId id) override;
    void Abort(ConnectionId id) override;
    void PauseReading(ConnectionId id) override;
    void ResumeReading(ConnectionId id) override;
    std::size_t OpenCount() const override { return sockets_.size(); }
    std::vector<ConnectionId> Connections() const override;
    std::size_t BytesHeld() const override;

  private:
    void AcceptAll();
    void Readable(ConnectionId id);
    void Disconnected(ConnectionId id);
    void Forget(ConnectionId id);

    Events& events_;
    QTcpServer server_;
    std::unordered_map<ConnectionId, QTcpSocket*> sockets_;
    // Connections not read for now: what they send stays in the socket's buffer, whose
    // limit leaves the rest with the system.
    std::unordered_set<ConnectionId> notReading_;
    ConnectionId nextId_ = 1;
};

}  // namespace tarvel::server
