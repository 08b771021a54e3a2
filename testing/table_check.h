// Checks that a table is whole and consistent: every card of the deck lies exactly
// once in a hand, the stock or the pile, each hand's order holds its cards once, a
// named suit lies only over a queen, and the counts and the selection agree with the
// hands.
//
// The self-play driver runs it after every command; a fault it finds is a fault of
// the engine, never of the player.
#pragma once

#include <string>

#include "engine/game_state.h"

namespace tarvel {

// A description of the first fault found, or empty when the table is whole.
std::string FindTableFault(const GameState& state);

}  // namespace tarvel
