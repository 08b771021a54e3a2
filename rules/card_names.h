// Between card numbers and the names the table, the wire and the recordings use.
#pragma once

#include <string_view>

#include "common/card.h"
#include "rules/cards.h"

namespace tarvel::rules {

// The number of a card record (its picture less one); kNoCard for a suit marker or
// anything that is not one of the 32 cards.
CardId IdOfCard(const typhodnoty& card);
// The number of a card name; kNoCard for any other text.
CardId IdOfName(std::string_view name);
// The card record of a number (0..31).
const typhodnoty& CardOfId(CardId card);
// The suit of a marker text (" srdce" …) or a suit key ("srd" …); kNoSuit otherwise.
std::uint8_t SuitOfMarker(std::string_view marker);

}  // namespace tarvel::rules
