#include "engine/rules_bridge.h"

#include <cstddef>

#include "rules/card_names.h"

namespace tarvel {

rules::RuleOptions RulesOf(const GameOptions& options) {
    rules::RuleOptions r;
    r.sevenDraw = kPickupForSevenRange.Keep(options.pickupforseven);
    r.kingOfSpades = options.kingofspades;
    r.returnToGame = options.returntogame;
    r.compulsory = options.compulsory;
    r.shuffle = options.shufflecards;
    r.dealtCards = kDealtCardsRange.Keep(options.dealtcards);
    return r;
}

namespace {
rules::CardSet SetOf(const CardQueue& hand) {
    rules::CardSet set = 0;
    for (const auto& card : hand.Cards()) {
        const rules::CardId id = rules::IdOfCard(card);
        if (id != rules::kNoCard) set |= rules::Bit(id);
    }
    return set;
}
}  // namespace

rules::Position PositionOf(const GameState& state, const GameOptions& options) {
    rules::Position p;
    p.rules = RulesOf(options);
    p.hands[kPlayerSeat] = SetOf(state.PlayerHand);
    p.hands[kOpponentSeat] = SetOf(state.OpponentHand);
    for (const auto& card : state.Stock.BottomToTop()) {
        const rules::CardId id = rules::IdOfCard(card);
        if (id != rules::kNoCard && p.stockSize < rules::kCards) p.stock[p.stockSize++] = id;
    }
    // In a network game the server turns the pile and the table's copy keeps growing
    // past the deck; only its newest cards (the top above all) are the pile in play.
    std::size_t cardsInPile = 0;
    for (const auto& entry : state.Pile.BottomToTop()) {
        if (rules::IdOfCard(entry) != rules::kNoCard) ++cardsInPile;
    }
    constexpr auto kDeck = static_cast<std::size_t>(rules::kCards);
    std::size_t olderCardsToSkip = cardsInPile > kDeck ? cardsInPile - kDeck : 0;
    // Markers deeper in the pile are dropped when it turns; only the top one holds.
    for (const auto& entry : state.Pile.BottomToTop()) {
        const rules::CardId id = rules::IdOfCard(entry);
        if (id == rules::kNoCard) {
            p.namedSuit = rules::SuitOfMarker(entry.Name);
        } else if (olderCardsToSkip > 0) {
            --olderCardsToSkip;
        } else {
            p.pile[p.pileSize++] = id;
            p.namedSuit = rules::kNoSuit;
        }
    }
    p.toMove = state.PlayerTurn || state.SuitChoiceActive ? kPlayerSeat : kOpponentSeat;
    p.pendingDraw = state.PendingDraw;
    p.acePending = state.AcePending;
    p.suitToName = state.SuitChoiceActive;
    // At the table only the opponent's emptied hand waits for an answer; the player's
    // is answered by the opponent at once.
    p.outSeat = state.ReturnPending ? kOpponentSeat : rules::kNoSeat;
    p.stockOrderKnown = state.StockOrderKnown;
    return p;
}

}  // namespace tarvel
