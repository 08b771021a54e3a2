#include "server/core/admission.h"

#include <algorithm>

namespace tarvel::server {

Admission::Verdict Admission::Arrive(const std::string& address, Clock::time_point now) {
    Address& entry = addresses_[address];
    if (now < entry.pausedUntil) return Verdict::Pausing;
    if (entry.connections >= perAddress_ && !trusted_.contains(address)) return Verdict::TooManyFromAddress;
    if (connections_ >= total_) return Verdict::TooMany;
    ++entry.connections;
    ++connections_;
    return Verdict::Welcome;
}

void Admission::Leave(const std::string& address, Clock::time_point now) {
    auto it = addresses_.find(address);
    if (it == addresses_.end() || it->second.connections == 0) return;
    --it->second.connections;
    --connections_;
    Tidy(it, now);
}

void Admission::SetupFailed(const std::string& address, Clock::time_point now) {
    if (trusted_.contains(address)) return;
    Address& entry = addresses_[address];
    if (entry.failures == 0 || now - entry.firstFailure > kFailureMemory) {
        entry.failures = 0;
        entry.firstFailure = now;
    }
    if (++entry.failures <= kFailuresAllowed) return;
    entry.pausedUntil = now + entry.pause;
    entry.pause = std::min<Clock::duration>(entry.pause * 2, kLongestPause);
}

void Admission::Tidy(std::unordered_map<std::string, Address>::iterator it, Clock::time_point now) {
    const Address& entry = it->second;
    // An address with no connection, no pause and no recent failure costs nothing to forget.
    const bool failedLately = entry.failures > 0 && now - entry.firstFailure <= kFailureMemory;
    if (entry.connections == 0 && entry.pausedUntil <= now && !failedLately) addresses_.erase(it);
}

}  // namespace tarvel::server
