// The strong computer as it played before its second round, kept whole so that the
// duel can set the new one against it on the same seeds. Nothing but the duel uses it.
#pragma once

#include <cstdint>

#include "rules/moves.h"

namespace tarvel::duel {

class PreviousStrongSeat {
  public:
    struct Choice {
        rules::Move move;
        std::uint8_t suit = rules::kNoSuit;
    };
    // A new deal: nothing remembered.
    void Reset();
    // `position` has this seat to move; it reads only what the seat was let see then.
    Choice Choose(const rules::Position& position, std::uint8_t seat, bool forPoints, std::uint64_t seed);
    // The position right after this seat's own move.
    void AfterOwnMove(const rules::Position& position, std::uint8_t seat);

  private:
    struct Memory {
        bool hasLast = false;
        rules::SeatView lastView{};
        rules::CardSet lastLacks = 0;
        rules::CardSet lacks = 0;
        std::uint8_t unsureCards = 0;
    };
    Memory memory_;
};

}  // namespace tarvel::duel
