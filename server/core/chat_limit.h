// How fast one player may chat: a few messages at once, then one a second. What a client
// sends beyond that is dropped, so a flood never reaches its opponent, who plays on.
#pragma once

#include "server/core/rate_limit.h"

namespace tarvel::server {

class ChatLimit final : public RateLimit {
  public:
    static constexpr int kBurst = 8;
    static constexpr Clock::duration kRefill = std::chrono::seconds(1);

    ChatLimit() : RateLimit(kBurst, kRefill) {}
};

}  // namespace tarvel::server
