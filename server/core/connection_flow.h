// How much one connection may make the server do. A client reads what it is sent and
// sends a few dozen bytes a move; one that sends far faster, or leaves what we write
// unread, is read no more until it is back within bounds, so the kernel's buffers fill
// and slow it down rather than the server's memory or the other tables. One that stays
// out of bounds is cut off.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tarvel::server {

class ConnectionFlow {
  public:
    using Clock = std::chrono::steady_clock;

    struct Limits {
        // What a connection may have read: a burst, then so much a second. A whole match is
        // a few kilobytes and chat is a line a second; the rest is room for a fast client.
        std::int64_t readBurstBytes = 1024 * 1024;
        std::int64_t readBytesPerSecond = 1024 * 1024;
        // Output left waiting past this: the client does not read, so its requests wait too,
        // and so does whoever sends it more.
        std::size_t unsentPauseBytes = 256 * 1024;
        // Out of bounds this long without a break: cut off.
        Clock::duration overLimitCut = std::chrono::seconds(10);
    };

    enum class Over { Nothing, Input, Output };

    ConnectionFlow(const Limits& limits, Clock::time_point now)
        : limits_(limits), tokens_(limits.readBurstBytes), refilled_(now) {}

    // `bytes` just read from the connection.
    void Read(std::size_t bytes, Clock::time_point now);
    // What waits to go out to the connection now (after a write, or when it drained).
    void Unsent(std::size_t bytes, Clock::time_point now);

    // Which limit keeps the connection from being read, at `now`.
    Over Limit(Clock::time_point now);
    bool ReadingAllowed(Clock::time_point now) { return Limit(now) == Over::Nothing; }
    // When reading may go on, as far as the input goes (at the earliest).
    Clock::time_point InputBackAt() const;
    // Out of bounds for overLimitCut without a break.
    bool Overdue(Clock::time_point now);
    // When Overdue could first hold, while out of bounds.
    Clock::time_point CutAt() const { return overSince_ + limits_.overLimitCut; }

  private:
    void Refill(Clock::time_point now);

    Limits limits_;
    std::int64_t tokens_;  // below zero: read on credit
    Clock::time_point refilled_;
    // Input counts as out of bounds from when the burst ran out until it is whole again.
    bool inputOver_ = false;
    bool outputOver_ = false;
    Clock::time_point overSince_{};
};

}  // namespace tarvel::server
