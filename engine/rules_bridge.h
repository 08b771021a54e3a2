// The table's state in the rules core's terms: the player is seat 0, the opponent
// seat 1. The engine asks the core what a card or the draw command may do, and the
// tests compare the two sides through it.
#pragma once

#include "engine/game_options.h"
#include "engine/game_state.h"
#include "rules/position.h"

namespace tarvel {

inline constexpr std::uint8_t kPlayerSeat = 0;
inline constexpr std::uint8_t kOpponentSeat = 1;

// The rules of play in the options, every count inside its range.
rules::RuleOptions RulesOf(const GameOptions& options);

// The game on the table: hands, stock, pile and the named suit, the pending draw and
// ace, and the opponent's emptied hand waiting to be returned. The mover is the
// player while it is his turn or he names a suit, else the opponent.
rules::Position PositionOf(const GameState& state, const GameOptions& options);

}  // namespace tarvel
