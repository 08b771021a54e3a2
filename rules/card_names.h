// Between card numbers and the Czech texts the wire, the recordings and the table use.
// A card's name is its rank word, one blank and its suit's adjective in the rank's
// gender ("7 srdcová", "kluk kárový", "eso pikové"); a suit named after a queen travels
// as its marker, the suit's word after one blank (" srdce").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/cards.h"

namespace tarvel::rules {

// The name of a card (0..31); empty for anything else.
const std::string& CardName(CardId card);
// The card of exactly that name; kNoCard for any other text.
CardId IdOfName(std::string_view name);

// The suit's word as it is spoken and shown ("srdce", "kára", "piky", "kříže"); empty
// for anything but 0..3, as is the marker.
const std::string& SuitWord(std::uint8_t suit);
// The marker of a suit (0..3): its word after one blank.
const std::string& SuitMarker(std::uint8_t suit);
// The suit of exactly that marker; kNoSuit for any other text.
std::uint8_t SuitOfMarker(std::string_view marker);

}  // namespace tarvel::rules
