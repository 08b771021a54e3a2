// The described computer as a seat of a duel on rules positions: the table it reads is
// built from the position and its hand in the order the cards came to it, so it
// chooses exactly as it does at the window.
#pragma once

#include <vector>

#include "bench/duel/duel_game.h"
#include "engine/game_options.h"

namespace tarvel::duel {

// `order` is the seat's hand in the order the cards came to it.
SeatMove DescribedMove(const rules::Position& position, const std::vector<rules::CardId>& order,
                       const GameOptions& options);

}  // namespace tarvel::duel
