// What a seat keeps so that its player can come back after losing the connection: the
// secret it was given, every message sent to it since (what never reached the client
// goes out again when it is back), and how many of the client's own messages arrived
// (so the client sends again only those that did not).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/resend_log.h"

namespace tarvel::server {

class SeatReturn {
  public:
    // The seat's client can come back from now on; what is sent to it is kept from here.
    void Issue(std::string secret);
    // The match is over: nobody can come back to it.
    void Close() { *this = SeatReturn(); }
    bool Issued() const { return !secret_.empty(); }
    const std::string& Secret() const { return secret_; }

    // The client confirmed its secret: its messages are counted from the next one.
    void StartCounting() {
        counting_ = true;
        received_ = 0;
    }
    // One message arrived from the seat's client.
    void CountReceived() {
        if (counting_) ++received_;
    }
    std::uint64_t Received() const { return received_; }

    // One message sent to the seat (or meant for it while it is away).
    void Record(std::string_view message) {
        if (Issued()) sent_.Record(message);
    }
    // What was sent to the seat from message `from` on.
    std::vector<std::string> SentSince(std::uint64_t from) const { return sent_.Since(from); }

  private:
    std::string secret_;
    bool counting_ = false;
    std::uint64_t received_ = 0;
    ResendLog sent_;
};

}  // namespace tarvel::server
