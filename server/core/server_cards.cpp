#include "server_cards.h"

#include "card.h"
#include "card_names.h"
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
    hands_ = {};
}

namespace {
bool IsSeat(int player) {
    return player == 0 || player == 1;
}
}  // namespace

typhodnoty ServerCards::PopStockTo(int player) {
    typhodnoty card = stock_.PopCard();
    const rules::CardId id = rules::IdOfCard(card);
    if (IsSeat(player) && id != rules::kNoCard) hands_[static_cast<std::size_t>(player)] |= rules::Bit(id);
    return card;
}

rules::CardSet ServerCards::Hand(int player) const {
    return IsSeat(player) ? hands_[static_cast<std::size_t>(player)] : 0;
}

std::optional<std::string_view> ServerCards::LayStartCard(const typhodnoty& card) {
    pile_.PushCard(card);
    const auto marker = StartQueenMarker(card);
    if (!marker) return std::nullopt;
    pile_.PushCard(*marker);
    return MarkerOfSuitKey(SuitPart(card.Name));
}

void ServerCards::PutOnPile(int player, std::string_view cardName) {
    const auto card = FindCard(cardName);
    if (!card) return;
    pile_.PushCard(*card);
    if (IsSeat(player)) hands_[static_cast<std::size_t>(player)] &= ~rules::Bit(rules::IdOfCard(*card));
}

bool ServerCards::NothingToTurn() const {
    return PileCannotTurn(pile_);
}

void ServerCards::TurnPile(bool shuffle, RandomSource& random) {
    TurnPileIntoStock(pile_, stock_);
    if (shuffle) ShuffleStock(stock_, random);
}

}  // namespace tarvel::server
