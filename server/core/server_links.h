// What the server's game logic needs from the outside: the client connections it
// writes to and the log it reports to. The Qt layer implements both over TCP and the
// window's log list; tests and the fuzz target fake them.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvel::server {

// Names one client connection for as long as it lives; never reused.
using ConnectionId = std::uint64_t;

class ClientLinks {
  public:
    virtual ~ClientLinks() = default;
    // One write of one whole message, terminator included.
    virtual void Write(ConnectionId id, std::string_view bytes) = 0;
    // Closes the connection once what was written has gone out. The disconnect is
    // reported back later, never from inside this call.
    virtual void Close(ConnectionId id) = 0;
};

class EventLog {
  public:
    virtual ~EventLog() = default;
    // One line of the log list, UTF-8.
    virtual void Log(std::string_view line) = 0;
};

}  // namespace tarvel::server
