// A token bucket: a burst at once, then one more each refill period.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace tarvel::server {

class RateLimit {
  public:
    using Clock = std::chrono::steady_clock;

    RateLimit(int burst, Clock::duration refill) : burst_(burst), refill_(refill), tokens_(burst) {}

    // True when one more may go now.
    bool Take(Clock::time_point now) {
        if (!started_) {
            started_ = true;
            refilled_ = now;
        }
        const auto earned = (now - refilled_) / refill_;
        if (earned > 0) {
            tokens_ = static_cast<int>(std::min<std::int64_t>(burst_, tokens_ + earned));
            refilled_ += earned * refill_;
        }
        if (tokens_ == 0) {
            ++droppedInARow_;
            return false;
        }
        --tokens_;
        droppedInARow_ = 0;
        return true;
    }
    // How many Take refused since the last it allowed.
    std::int64_t DroppedInARow() const { return droppedInARow_; }

  private:
    int burst_;
    Clock::duration refill_;
    bool started_ = false;
    int tokens_;
    std::int64_t droppedInARow_ = 0;
    Clock::time_point refilled_{};
};

}  // namespace tarvel::server
