// How fast one player may chat: a few messages at once, then one a second. What a client
// sends beyond that is dropped, so a flood never reaches its opponent, who plays on.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace tarvel::server {

class ChatLimit {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kBurst = 8;
    static constexpr Clock::duration kRefill = std::chrono::seconds(1);

    // True when a message may be relayed now.
    bool Take(Clock::time_point now) {
        if (!started_) {
            started_ = true;
            refilled_ = now;
        }
        const auto earned = (now - refilled_) / kRefill;
        if (earned > 0) {
            tokens_ = static_cast<int>(std::min<std::int64_t>(kBurst, tokens_ + earned));
            refilled_ += earned * kRefill;
        }
        if (tokens_ == 0) {
            ++droppedInARow_;
            return false;
        }
        --tokens_;
        droppedInARow_ = 0;
        return true;
    }
    int DroppedInARow() const { return droppedInARow_; }

  private:
    bool started_ = false;
    int tokens_ = kBurst;
    int droppedInARow_ = 0;
    Clock::time_point refilled_{};
};

}  // namespace tarvel::server
