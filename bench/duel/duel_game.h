// One game of a duel between two seats on the rules core, the hands kept in the order
// their cards came (the described computer reads its hand in that order).
#pragma once

#include <cstdint>
#include <vector>

#include "common/random_source.h"
#include "rules/moves.h"

namespace tarvel::duel {

struct SeatMove {
    rules::Move move;
    std::uint8_t suit = rules::kNoSuit;  // after a queen laid
};

// What a seat is shown when it is to move.
struct SeatTurn {
    const rules::Position& position;          // the whole game: a seat reads only its own view of it
    const std::vector<rules::CardId>& order;  // the seat's hand in the order the cards came
    std::uint64_t seed;                       // from the game's random source
};

class Seat {
  public:
    virtual ~Seat() = default;
    virtual void NewDeal() {}
    virtual SeatMove Move(const SeatTurn& turn) = 0;
    // The game right after this seat's move.
    virtual void AfterOwnMove(const rules::Position&, std::uint8_t /*seat*/) {}
};

struct GameResult {
    bool finished = false;
    std::uint8_t winner = rules::kNoSeat;
    int loserPoints = 0;        // the points of the cards left in the loser's hand
    std::uint64_t refused = 0;  // moves the rules refused (a seat's fault; should stay 0)
};

// Plays the deal of `dealSeed` to its end with seats[0] and seats[1] in seats 0 and 1.
GameResult PlayGame(const rules::RuleOptions& rules, std::uint64_t dealSeed, Seat* const (&seats)[2]);

}  // namespace tarvel::duel
