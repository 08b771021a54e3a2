#include "web/game/table_view.h"

#include "rules/card_names.h"

namespace tarvel::web {
namespace {

// The pictures in karty/ count from 1: card1 is card 0, col1 is suit 0.
ShownItem Card(rules::CardId card) {
    return {"card" + std::to_string(card + 1), rules::CardName(card)};
}

ShownItem Suit(std::uint8_t suit) {
    return {"col" + std::to_string(suit + 1), rules::SuitWord(suit)};
}

}  // namespace

TableView ViewOfTable(const GameState& state) {
    TableView view;
    for (const rules::CardId card : state.playerHand) view.hand.push_back(Card(card));
    view.selected = state.selected >= 1 && state.selected <= state.playerHand.size()
                        ? static_cast<int>(state.selected) - 1
                        : -1;
    if (state.SuitChoiceActive()) {
        for (std::uint8_t suit = 0; suit < 4; ++suit) view.suits.push_back(Suit(suit));
        view.selectedSuit = state.selectedSuit;
    }
    if (state.game.pileSize > 0) view.pile = Card(state.game.Top());
    if (state.RequestedSuitShown()) view.requestedSuit = Suit(state.game.namedSuit);
    view.opponentCount = state.opponentCount;
    view.stock = state.game.stockSize;
    view.playerTurn = state.PlayerTurn();
    view.running = state.running;
    return view;
}

}  // namespace tarvel::web
