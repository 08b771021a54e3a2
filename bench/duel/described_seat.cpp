#include "bench/duel/described_seat.h"

#include "engine/described_habits.h"

namespace tarvel::duel {

SeatMove DescribedMove(const rules::Position& p, const std::vector<rules::CardId>& order,
                       const GameOptions& options) {
    ComputerOpponent computer;
    const lookahead::Decision d = FixedComputerChoice(computer, p, order, options.playforpoints);
    return {d.move, d.suit};
}

}  // namespace tarvel::duel
