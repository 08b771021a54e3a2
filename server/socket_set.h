// The sockets under the listener: the listening socket and one connection per client,
// all on the one thread's event loop. The listener decides who is let in, how much may
// wait for a client and when a connection closes; a socket set only moves bytes.
//
// Two kinds: on Linux one epoll set watched by a single notifier of the event loop, so a
// wake-up costs the same whether ten clients are connected or ten thousand; elsewhere Qt's
// own sockets, one notifier each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/core/server_links.h"

namespace tarvel::server {

class SocketSet {
  public:
    // What the set reports, always from the event loop, never from inside one of its calls.
    class Events {
      public:
        virtual ~Events() = default;
        virtual void Accepted(ConnectionId id, const std::string& address, std::uint16_t port) = 0;
        virtual void Received(ConnectionId id, std::string_view bytes) = 0;
        // The connection is gone: the peer closed it, it failed, or a close has finished.
        virtual void Ended(ConnectionId id) = 0;
        // Everything written to the connection has gone to the system.
        virtual void Drained(ConnectionId id) = 0;
        // The system refused a connection (out of files, say): accepting is paused
        // until ResumeAccepting.
        virtual void AcceptFailed(const std::string& reason) = 0;
    };

    virtual ~SocketSet() = default;

    // Listens on every IPv4 address; on failure the reason is in `error`.
    virtual bool Listen(std::uint16_t port, std::string* error) = 0;
    // Stops listening; the connections stay.
    virtual void StopListening() = 0;
    virtual bool IsListening() const = 0;
    virtual std::uint16_t Port() const = 0;
    virtual void PauseAccepting() = 0;
    virtual void ResumeAccepting() = 0;

    // Hands the system what it takes now and keeps the rest, in order; returns the bytes
    // still waiting to go out. A connection that is closing or gone takes nothing.
    virtual std::size_t Write(ConnectionId id, std::string_view bytes) = 0;
    // Closes once what was written has gone out (a peer that never reads is cut off after
    // a grace time); Ended follows.
    virtual void CloseWhenSent(ConnectionId id) = 0;
    // Closes at once and throws away what waits; no Ended follows.
    virtual void Abort(ConnectionId id) = 0;
    // Leaves what the connection sends with the system, whose buffers then slow the sender
    // down, until ResumeReading; the peer's close too is seen only then, unless what
    // waits to go out to it fails first.
    virtual void PauseReading(ConnectionId id) = 0;
    virtual void ResumeReading(ConnectionId id) = 0;

    // The client connections open, closing ones included: they all hold a file.
    virtual std::size_t OpenCount() const = 0;
    virtual std::vector<ConnectionId> Connections() const = 0;
    // Bytes held for all connections: written and not yet gone, read and not yet reported.
    virtual std::size_t BytesHeld() const = 0;
};

enum class SocketSetKind {
    Best,       // epoll where there is one (unless TARVELSVR_SOCKETS=qt), Qt's sockets elsewhere
    QtSockets,  // Qt's sockets everywhere: the way every other system goes, kept tested here
};

std::unique_ptr<SocketSet> MakeSocketSet(SocketSetKind kind, SocketSet::Events& events);

// A peer that stops reading could hold a closing connection open for ever.
inline constexpr int kCloseGraceMs = 5000;

// What the system keeps for one client on its way out: a match sends a few kilobytes, so
// this holds whole bursts, while a client that stops reading soon leaves the rest with us,
// where the listener sees it, rather than megabytes with the system.
inline constexpr int kSendBufferBytes = 64 * 1024;

// What one read takes from one connection before the others get their turn. A client's
// messages are a few dozen bytes; a flood stays with the system, which slows its sender.
inline constexpr std::size_t kReadChunkBytes = 64 * 1024;

}  // namespace tarvel::server
