#include "server_cards.h"

#include "card.h"
#include "deck.h"
#include "pile.h"

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
    const auto marker = StartQueenMarker(card);
    if (!marker) return std::nullopt;
    pile_.PushCard(*marker);
    return MarkerOfSuitKey(SuitPart(card.Name));
}

void ServerCards::PutOnPile(std::string_view cardName) {
    if (auto card = FindCard(cardName)) pile_.PushCard(*card);
}

bool ServerCards::NothingToTurn() const {
    return PileCannotTurn(pile_);
}

void ServerCards::TurnPile(bool shuffle, RandomSource& random) {
    TurnPileIntoStock(pile_, stock_);
    if (shuffle) ShuffleStock(stock_, random);
}

}  // namespace tarvel::server
