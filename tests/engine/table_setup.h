// Tables laid out by card names for tests: the hands in their order, the pile and the
// stock from the bottom, and the names read back.
#pragma once

#include <string>
#include <vector>

#include "engine/game_state.h"

namespace tarvel::testing {

using Texts = std::vector<std::string>;

// A running, dealt game with the player to move and the first card selected. A suit
// marker such as " kára" on the pile names the suit over the queen under it. With
// `restInStock` every card not named goes into the stock, in deck order under the
// listed ones.
void LayOutTable(GameState& state, const rules::RuleOptions& rules, const Texts& player, const Texts& computer,
                 const Texts& pile, const Texts& stock, bool restInStock = false);

Texts Names(const std::vector<rules::CardId>& cards);
// The pile from the bottom, with the marker of a named suit on top.
Texts PileNames(const rules::Position& game);
// The stock from the bottom; its last card is drawn next.
Texts StockNames(const rules::Position& game);

}  // namespace tarvel::testing
