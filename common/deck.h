// The 32-card deck in deck order, the table used to find a card by its name, and
// the ring-walk shuffle that fills the stock.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "common/card.h"
#include "common/card_containers.h"
#include "common/random_source.h"

namespace tarvel {

using CardTableArray = std::array<typhodnoty, kDeckSize>;

// The 32 records in deck order (ranks 7, 8, 9, 10, jack, queen, king, ace; within a
// rank hearts, diamonds, spades, clubs), pictures numbered 1..32.
std::vector<typhodnoty> MakeDeck();
const CardTableArray& StandardCardTable();

// The card whose name is exactly `name`; nothing for any other text.
std::optional<typhodnoty> FindCard(const CardTableArray& table, std::string_view name);
std::optional<typhodnoty> FindCard(std::string_view name);

// Takes the cards of `ring` (a circle: the last is followed by the first) into `stock`
// one by one: from the walk position step forward Random(n - k) cards, push that card
// and remove it, the walk continuing from the card that followed it. `start` is the
// index in `ring` where the walk begins.
void ShuffleIntoStock(std::vector<typhodnoty> ring, std::size_t start, CardStack& stock,
                      RandomSource& random);

}  // namespace tarvel
