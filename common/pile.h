// What the game and the server both do with the pile: turning it into a new stock,
// shuffling that stock, and the marker a queen turned up at the start lays over itself.
#pragma once

#include <optional>

#include "common/card.h"
#include "common/card_containers.h"
#include "common/random_source.h"

namespace tarvel {

// True when turning would give no card: the pile holds only its top card, or only a
// marker and the queen under it (or nothing at all).
bool PileCannotTurn(const CardStack& pile);

// Everything but the top (and the queen under a marker on top) goes onto the stock;
// markers are dropped. Entries leave the pile from the top, so the first card played
// ends on top of the stock.
void TurnPileIntoStock(CardStack& pile, CardStack& stock);

// The stock shuffled again by the ring walk; fewer than two cards stay as they are.
void ShuffleStock(CardStack& stock, RandomSource& random);

// A queen turned up as the start card holds its own suit: the marker to lay over it
// (a copy of the queen named after its suit), or nothing for any other card.
std::optional<typhodnoty> StartQueenMarker(const typhodnoty& startCard);

}  // namespace tarvel
