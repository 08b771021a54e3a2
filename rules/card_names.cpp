#include "rules/card_names.h"

#include "common/deck.h"

namespace tarvel::rules {

CardId IdOfCard(const typhodnoty& card) {
    if (card.Picture < 1 || card.Picture > kCards || IsSuitMarker(card.Name)) return kNoCard;
    const CardId id = static_cast<CardId>(card.Picture - 1);
    // A record whose name does not belong to its picture is no card of the deck.
    return StandardCardTable()[id].Name == card.Name ? id : kNoCard;
}

CardId IdOfName(std::string_view name) {
    const auto& table = StandardCardTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].Name == name) return static_cast<CardId>(i);
    }
    return kNoCard;
}

const typhodnoty& CardOfId(CardId card) {
    return StandardCardTable()[card];
}

std::uint8_t SuitOfMarker(std::string_view marker) {
    const int suit = SuitIndexOfKey(marker.size() > 0 && marker[0] == ' ' ? SuitPart(marker) : marker);
    return suit < 0 ? kNoSuit : static_cast<std::uint8_t>(suit);
}

}  // namespace tarvel::rules
