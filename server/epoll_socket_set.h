// Every client socket in one epoll set, and that set's descriptor the only thing the
// event loop watches for them: a wake-up asks the kernel for the sockets that are ready
// and visits those alone, however many sit quiet. Qt's socket notifiers are visited one
// by one at every wake-up (by the kernel's poll, by GLib and by Qt), which with
// thousands of connections costs more than the relays themselves. Linux only.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <string>
#include <unordered_map>

#include "server/socket_set.h"

namespace tarvel::server {

class EpollSocketSet final : public QObject, public SocketSet {
  public:
    explicit EpollSocketSet(Events& events);
    ~EpollSocketSet() override;

    bool Listen(std::uint16_t port, std::string* error) override;
    void StopListening() override;
    bool IsListening() const override { return listenFd_ >= 0; }
    std::uint16_t Port() const override { return port_; }
    void PauseAccepting() override;
    void ResumeAccepting() override;
    std::size_t Write(ConnectionId id, std::string_view bytes) override;
    void CloseWhenSent(ConnectionId id) override;
    void Abort(ConnectionId id) override;
    void PauseReading(ConnectionId id) override;
    void ResumeReading(ConnectionId id) override;
    std::size_t OpenCount() const override { return connections_.size(); }
    std::vector<ConnectionId> Connections() const override;
    std::size_t BytesHeld() const override;

  private:
    enum class State {
        Open,
        Draining,   // closing: what waits goes out first
        Lingering,  // our side shut, its end already reported: the peer's close is awaited
    };
    struct Connection {
        int fd = -1;
        State state = State::Open;
        bool watchingWrites = false;
        bool reading = true;
        bool flushDue = false;  // written to since the last flush
        std::string unsent;
        std::size_t unsentFrom = 0;  // what of `unsent` has gone already
    };

    void Wake();
    // Sends what the game wrote since the last flush, one send a connection.
    void FlushWritten();
    void AcceptAll();
    // Handles what the kernel reported of one connection.
    void Ready(ConnectionId id, std::uint32_t events);
    void Readable(ConnectionId id);
    void Writable(ConnectionId id);
    // Sends what waits; false when the connection failed.
    bool Flush(Connection& connection);
    void WatchWrites(Connection& connection, ConnectionId id, bool on);
    // Tells the epoll set what the connection waits for now.
    void Watch(const Connection& connection, ConnectionId id);
    // Shuts our side once everything has gone; the end is reported now, the file kept
    // until the peer closes or the grace time runs out.
    void ShutWhenDrained(ConnectionId id);
    void Forget(ConnectionId id);
    void End(ConnectionId id);

    Events& events_;
    int epollFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    bool accepting_ = false;
    ConnectionId nextId_ = 1;
    std::unordered_map<ConnectionId, Connection> connections_;
    std::string readBuffer_;
    std::vector<ConnectionId> written_;  // connections with flushDue
    std::vector<ConnectionId> flushing_;  // what FlushWritten works through
    bool waking_ = false;
    bool flushPosted_ = false;
};

}  // namespace tarvel::server
