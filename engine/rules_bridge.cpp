#include "rules_bridge.h"

#include <vector>

#include "card_names.h"

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
    // Markers deeper in the pile are dropped when it turns; only the top one holds.
    std::vector<rules::CardId> pile;
    for (const auto& entry : state.Pile.BottomToTop()) {
        const rules::CardId id = rules::IdOfCard(entry);
        if (id != rules::kNoCard) {
            pile.push_back(id);
            p.namedSuit = rules::kNoSuit;
        } else {
            p.namedSuit = rules::SuitOfMarker(entry.Name);
        }
    }
    // In a network game the server turns its own pile and the table's keeps every card
    // laid, so it may hold more than the deck: the newest cards are the ones in play.
    const std::size_t first = pile.size() > rules::kCards ? pile.size() - rules::kCards : 0;
    for (std::size_t i = first; i < pile.size(); ++i) p.pile[p.pileSize++] = pile[i];
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
