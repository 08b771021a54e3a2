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
    // Which of the seat's secrets a returning client showed.
    enum class Shown { None, Held, Fresh };

    // The seat's client can come back from now on; what is sent to it is kept from here.
    void Issue(std::string secret);
    // The client came back: a fresh secret goes out to it, counted from the messages sent
    // so far. The one it came back with holds until the client confirms the fresh one: a
    // connection lost before the fresh one arrived leaves it only the old.
    void Renew(std::string secret);
    // The match is over: nobody can come back to it.
    void Close() { *this = SeatReturn(); }
    bool Issued() const { return !secret_.empty(); }
    // The secret last sent to the client.
    const std::string& Secret() const { return fresh_.empty() ? secret_ : fresh_; }
    Shown Matches(std::string_view secret) const;

    // The client confirmed the secret it was sent last: its messages are counted from the
    // next one, and the secret before it no longer opens the seat.
    void Confirm();
    // The client is back with the secret it showed. With the fresh one, its confirmation was
    // lost on the way (and all it sent after it). With the held one, the client counts its
    // own messages from the confirmation of that one, which may have been lost too.
    void CameBackWith(Shown shown);

    // One message arrived from the seat's client.
    void CountReceived() {
        if (counting_) ++received_;
    }
    std::uint64_t Received() const { return received_; }

    // One message sent to the seat (or meant for it while it is away).
    void Record(std::string_view message) {
        if (Issued()) sent_.Record(message);
    }
    // What was sent to the seat from message `from` on, counted from the secret it holds.
    std::vector<std::string> SentSince(std::uint64_t from) const { return sent_.Since(firstCounted_ + from); }

  private:
    std::string secret_;
    std::string fresh_;  // sent, not yet confirmed
    std::uint64_t freshFrom_ = 0;
    std::uint64_t firstCounted_ = 0;  // where the held secret's count starts in the log
    bool counting_ = false;
    std::uint64_t received_ = 0;
    ResendLog sent_;
};

}  // namespace tarvel::server
