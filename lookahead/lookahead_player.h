// The strong computer's choice: every move it may make is played out on many deals of
// the unseen cards that agree with what its seat knows, the same deals and the same
// luck for every move. Rounds of halving keep the better half of the moves and give
// the next round's playouts to them. The move with the best total wins: the most
// games won, or under points the fewest points lost against the most won.
#pragma once

#include <cstdint>

#include "lookahead/habit_model.h"
#include "lookahead/seat_knowledge.h"
#include "rules/moves.h"

namespace tarvel::lookahead {

struct Effort {
    int playouts = 2400;      // playouts for the whole decision, shared among the moves
    int leastPerMove = 16;    // deals each move is tried on in the first round
    long moveBudget = 60000;  // moves played out in all, which bounds the time of long games;
                              // counted, not timed, so a seeded game stays repeatable
    int exactDepth = 24;      // moves the exact search looks ahead when nothing is hidden
    long exactNodes = 40000;  // positions it may visit for the whole decision
};

struct Decision {
    rules::Move move;
    std::uint8_t suit = rules::kNoSuit;  // after a queen laid: the suit to name
    friend bool operator==(const Decision&, const Decision&) = default;
};

// What a decision cost, for the figures.
struct SearchReport {
    int candidates = 0;
    int playouts = 0;
    long steps = 0;
    // Of the playouts, those of the move chosen and the fewest any move had: the moves
    // dropped early get little, the last ones in get the rest.
    int chosenPlayouts = 0;
    int fewestPlayouts = 0;
};

// `knowledge.view` must have the seat to move. The seed comes from the game's random
// source; the same knowledge and seed give the same decision. `other`: what it expects
// of the other side. Each deal is played on one reading of the other side, by its
// habits with the chance `other.belief`, else by its liking: the deal is picked by
// how well it explains the other's lays under that reading, and the other side plays
// it so.
Decision ChooseMove(const SeatKnowledge& knowledge, bool forPoints, std::uint64_t seed,
                    const Effort& effort = {}, SearchReport* report = nullptr, const OtherSide& other = {});

}  // namespace tarvel::lookahead
