#include "server/core/connection_flow.h"

#include <algorithm>

namespace tarvel::server {

void ConnectionFlow::Refill(Clock::time_point now) {
    if (now <= refilled_) return;
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now - refilled_).count();
    const std::int64_t earned = micros * limits_.readBytesPerSecond / 1'000'000;
    if (earned == 0) return;  // the rest of the microseconds count with the next refill
    tokens_ = std::min(limits_.readBurstBytes, tokens_ + earned);
    refilled_ = now;
    if (tokens_ == limits_.readBurstBytes) inputOver_ = false;
}

void ConnectionFlow::Read(std::size_t bytes, Clock::time_point now) {
    Refill(now);
    const bool wasOver = inputOver_ || outputOver_;
    tokens_ -= static_cast<std::int64_t>(bytes);
    if (tokens_ <= 0) inputOver_ = true;
    if (!wasOver && inputOver_) overSince_ = now;
}

void ConnectionFlow::Unsent(std::size_t bytes, Clock::time_point now) {
    Refill(now);
    const bool wasOver = inputOver_ || outputOver_;
    outputOver_ = bytes > limits_.unsentPauseBytes;
    if (!wasOver && outputOver_) overSince_ = now;
}

ConnectionFlow::Over ConnectionFlow::Limit(Clock::time_point now) {
    Refill(now);
    if (outputOver_) return Over::Output;
    // Read on credit until the debt is paid; the burst need not be whole again.
    if (tokens_ <= 0) return Over::Input;
    return Over::Nothing;
}

ConnectionFlow::Clock::time_point ConnectionFlow::InputBackAt() const {
    if (tokens_ > 0) return refilled_;
    const std::int64_t micros = (1 - tokens_) * 1'000'000 / limits_.readBytesPerSecond + 1;
    return refilled_ + std::chrono::microseconds(micros);
}

bool ConnectionFlow::Overdue(Clock::time_point now) {
    Refill(now);
    return (inputOver_ || outputOver_) && now - overSince_ >= limits_.overLimitCut;
}

}  // namespace tarvel::server
