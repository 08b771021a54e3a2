// Everything one seat may know, and nothing else: the open table of rules::SeatView,
// the stock's order when the pile was turned without shuffling (every card of it was
// heard as it was laid), and what the other side's own moves gave away.
#pragma once

#include <array>
#include <cstdint>

#include "rules/position.h"

namespace tarvel::lookahead {

struct SeatKnowledge {
    rules::SeatView view;
    // The stock bottom first, valid when view.stockOrderKnown.
    std::array<rules::CardId, rules::kCards> knownStock{};
    // The other hand holds none of `lacks` except in `unsureCards` of its cards: the
    // cards it drew after it showed that it held none (it drew or stood instead of
    // laying one of them).
    rules::CardSet lacks = 0;
    std::uint8_t unsureCards = 0;
};

// What the seat knows of a position. The other hand's lacks are not in a position;
// they come from the record of the game below.
SeatKnowledge KnowledgeOf(const rules::Position& position, std::uint8_t seat);

// The seat's memory of one game: told its view after each of its own moves, it reads
// from the next view what the other side did in between and what that gave away.
class KnowledgeRecord {
  public:
    // A new deal: nothing remembered.
    void Reset();
    // The seat's view right after its own move (the other side to move).
    void AfterOwnMove(const SeatKnowledge& now);
    // The seat is to move: its knowledge with what the other's last move gave away.
    SeatKnowledge Update(SeatKnowledge now);

  private:
    bool hasLast_ = false;
    SeatKnowledge last_{};
    rules::CardSet lacks_ = 0;
    std::uint8_t unsureCards_ = 0;
};

}  // namespace tarvel::lookahead
