// Exact play where nothing is hidden: with the other hand and the stock's order known
// and no shuffle ahead, a game is a plain tree of moves. A short search through it
// proves a move wins (or loses) against every answer, within a bound on its work.
#pragma once

#include "rules/moves.h"

namespace tarvel::lookahead {

enum class Proof : std::uint8_t { Open, Win, Loss };

// Whether `seat` wins the game from `position` whatever the other side does (Win),
// loses whatever it does itself (Loss), or neither was shown within `depth` moves and
// `nodes` positions (Open). A shuffled turn of the pile ahead leaves a line Open.
// `nodes` counts down.
Proof ProveOutcome(const rules::Position& position, std::uint8_t seat, int depth, long& nodes);

}  // namespace tarvel::lookahead
