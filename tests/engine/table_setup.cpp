#include "tests/engine/table_setup.h"

#include <gtest/gtest.h>

#include "rules/card_names.h"
#include "rules/moves.h"

namespace tarvel::testing {
namespace {

rules::CardId Card(const std::string& name) {
    const rules::CardId card = rules::IdOfName(name);
    EXPECT_NE(card, rules::kNoCard) << name;
    return card == rules::kNoCard ? 0 : card;
}

}  // namespace

void LayOutTable(GameState& state, const rules::RuleOptions& rules, const Texts& player, const Texts& computer,
                 const Texts& pile, const Texts& stock, bool restInStock) {
    rules::Position& game = state.game;
    game = rules::Position{};
    game.rules = rules;
    state.playerHand.clear();
    state.opponentHand.clear();
    rules::CardSet named = 0;
    for (const auto& name : player) state.playerHand.push_back(Card(name));
    for (const auto& name : computer) state.opponentHand.push_back(Card(name));
    for (const rules::CardId card : state.playerHand) game.hands[kPlayerSeat] |= rules::Bit(card);
    for (const rules::CardId card : state.opponentHand) game.hands[kOpponentSeat] |= rules::Bit(card);
    named |= game.hands[kPlayerSeat] | game.hands[kOpponentSeat];
    for (const auto& name : pile) {
        const std::uint8_t suit = rules::SuitOfMarker(name);
        if (suit != rules::kNoSuit) {
            game.namedSuit = suit;
            continue;
        }
        // A pile longer than the deck (a network game's pile, as a peer reports it) keeps
        // its newest cards, as the game does.
        const rules::CardId card = Card(name);
        rules::StartCardReported(game, card);
        named |= rules::Bit(card);
    }
    for (const auto& name : stock) named |= rules::Bit(Card(name));
    if (restInStock) {
        for (rules::CardId card = 0; card < rules::kCards; ++card) {
            if (!rules::Holds(named, card) && game.stockSize < rules::kCards) game.stock[game.stockSize++] = card;
        }
    }
    for (const auto& name : stock) {
        if (game.stockSize < rules::kCards) game.stock[game.stockSize++] = Card(name);
    }
    state.opponentCount = static_cast<std::uint8_t>(state.opponentHand.size());
    state.running = true;
    state.dealt = true;
    game.toMove = kPlayerSeat;
    state.gameNumber = 1;
    state.lastStarter = 1;
    state.selected = state.playerHand.empty() ? 0 : 1;
    state.selectedSuit = rules::kHearts;
    state.matchOn = true;
}

Texts Names(const std::vector<rules::CardId>& cards) {
    Texts names;
    for (const rules::CardId card : cards) names.push_back(rules::CardName(card));
    return names;
}

Texts PileNames(const rules::Position& game) {
    Texts names;
    for (int i = 0; i < game.pileSize; ++i) names.push_back(rules::CardName(game.pile[static_cast<std::size_t>(i)]));
    if (game.namedSuit != rules::kNoSuit) names.push_back(rules::SuitMarker(game.namedSuit));
    return names;
}

Texts StockNames(const rules::Position& game) {
    Texts names;
    for (int i = 0; i < game.stockSize; ++i) names.push_back(rules::CardName(game.stock[static_cast<std::size_t>(i)]));
    return names;
}

}  // namespace tarvel::testing
