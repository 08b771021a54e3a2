#include "server_cards.h"

#include <vector>

#include "card.h"
#include "deck.h"

namespace tarvel::server {

void ServerCards::NewDeal(RandomSource& random) {
    Clear();
    ShuffleIntoStock(MakeDeck(), 0, stock_, random);
}

void ServerCards::Clear() {
    stock_.Clear();
    pile_.Clear();
}

std::optional<std::string_view> ServerCards::LayStartCard(const typhodnoty& card) {
    pile_.PushCard(card);
    if (!IsQueen(card.Name)) return std::nullopt;
    const std::string_view marker = MarkerOfSuitKey(SuitPart(card.Name));
    if (marker.empty()) return std::nullopt;
    typhodnoty markerEntry = card;
    markerEntry.Name = std::string(marker);
    pile_.PushCard(markerEntry);
    return marker;
}

void ServerCards::PutOnPile(std::string_view cardName) {
    if (auto card = FindCard(cardName)) pile_.PushCard(*card);
}

bool ServerCards::NothingToTurn() const {
    if (pile_.StackEmpty()) return true;
    const std::size_t kept = IsSuitMarker(pile_.Top().Name) ? 2 : 1;
    return pile_.Size() <= kept;
}

void ServerCards::TurnPile(bool shuffle, RandomSource& random) {
    if (pile_.StackEmpty()) return;
    const typhodnoty top = pile_.PopCard();
    std::optional<typhodnoty> underMarker;
    if (IsSuitMarker(top.Name) && !pile_.StackEmpty()) underMarker = pile_.PopCard();

    while (!pile_.StackEmpty()) {
        typhodnoty entry = pile_.PopCard();
        if (!IsSuitMarker(entry.Name)) stock_.PushCard(entry);
    }
    if (underMarker) pile_.PushCard(*underMarker);
    pile_.PushCard(top);

    if (!shuffle || stock_.Size() < 2) return;
    std::vector<typhodnoty> ring;
    ring.reserve(stock_.Size());
    while (!stock_.StackEmpty()) ring.push_back(stock_.PopCard());
    ShuffleIntoStock(std::move(ring), 0, stock_, random);
}

}  // namespace tarvel::server
