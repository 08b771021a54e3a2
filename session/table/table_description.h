// The table told in one line of text, for a screen reader or a braille display: the
// selection, the pile and the opponent's count of cards.
#pragma once

#include <string>

#include "engine/game_state.h"
#include "common/string_table.h"

namespace tarvel {

// "Vybraná karta: 7 srdcová, 2 z 5. Na hromádce: dáma piková, platí piky. Moje karty: 4."
std::string DescribeTable(const GameState& state, const Localizer& texts);

}  // namespace tarvel
