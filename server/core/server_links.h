// What the server's game logic needs from the outside: the client connections it
// writes to, the log it reports to and the timers of its set-ups. The Qt layer
// implements them over TCP, the window's log list and a QTimer; tests and the fuzz
// target fake them.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace tarvel::server {

// Names one client connection for as long as it lives; never reused.
using ConnectionId = std::uint64_t;

// Output waiting to go out on one connection past this means the client has stopped
// reading: a client that reads takes its messages as they come, and a whole match
// sends it a few kilobytes.
inline constexpr std::size_t kMaxUnsentBytes = 1024 * 1024;

class ClientLinks {
  public:
    virtual ~ClientLinks() = default;
    // One write of one whole message, terminator included.
    virtual void Write(ConnectionId id, std::string_view bytes) = 0;
    // Closes the connection once what was written has gone out, `after` that long at the
    // earliest. The disconnect is reported back later, never from inside this call.
    virtual void Close(ConnectionId id, std::chrono::milliseconds after = std::chrono::milliseconds(0)) = 0;
};

class EventLog {
  public:
    virtual ~EventLog() = default;
    // One line of the log list, UTF-8.
    virtual void Log(std::string_view line) = 0;
};

// The limit on a player's answer to "req settings". When it runs out, its owner calls
// GameServer::SettingsWaitExpired from the event loop, never from inside Start or Stop.
class SetupTimer {
  public:
    virtual ~SetupTimer() = default;
    // Starts the timer, or starts it afresh when it runs.
    virtual void Start(std::chrono::milliseconds duration) = 0;
    virtual void Stop() = 0;
};

// Makes the timers of a server with several tables: one per table for its set-up, and
// one per newcomer for the wait for its table's name.
class TimerSource {
  public:
    virtual ~TimerSource() = default;
    // `onExpiry` runs from the event loop when the timer runs out, never from inside
    // Start, Stop or the timer's destruction; a destroyed timer never runs it.
    virtual std::unique_ptr<SetupTimer> MakeTimer(std::function<void()> onExpiry) = 0;
};

}  // namespace tarvel::server
