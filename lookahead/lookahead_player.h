// The strong computer's choice: every move it may make (a queen once for each suit it
// could name) is played out on many deals of the unseen cards that agree with what
// its seat knows, the same deals and the same luck for every move, and the move with
// the best total wins: the most games won, or under points the fewest points lost
// against the most won.
#pragma once

#include <cstdint>

#include "rules/moves.h"
#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {

struct Effort {
    int playouts = 2400;     // playouts for the whole decision, shared among the moves
    int leastPerMove = 16;   // deals each move is tried on however many moves there are
    long moveBudget = 60000;  // moves played out in all, which bounds the time of long games;
                              // counted, not timed, so a seeded game stays repeatable
};

struct Decision {
    rules::Move move;
    std::uint8_t suit = rules::kNoSuit;  // after a queen laid: the suit to name
    friend bool operator==(const Decision&, const Decision&) = default;
};

// `knowledge.view` must have the seat to move. The seed comes from the game's random
// source; the same knowledge and seed give the same decision.
Decision ChooseMove(const SeatKnowledge& knowledge, bool forPoints, std::uint64_t seed, const Effort& effort = {});

}  // namespace tarvel::lookahead
