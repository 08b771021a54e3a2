// The table check must see every way a table can be broken, or the soak proves nothing.
#include "testing/table_check.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

// Five cards each, the queen of hearts on the pile naming diamonds, the rest in the stock.
class TableCheck : public ::testing::Test {
  protected:
    GameState state;
    rules::Position& game = state.game;

    void SetUp() override {
        for (rules::CardId card = 0; card < 5; ++card) Give(state.playerHand, kPlayerSeat, card);
        for (rules::CardId card = 5; card < 10; ++card) Give(state.opponentHand, kOpponentSeat, card);
        for (rules::CardId card = 10; card < rules::kCards; ++card) {
            if (card != rules::kQueenOfHearts) game.stock[game.stockSize++] = card;
        }
        game.pile[game.pileSize++] = rules::kQueenOfHearts;
        game.namedSuit = rules::kDiamonds;
        state.opponentCount = 5;
        state.selected = 1;
    }
    void Give(std::vector<rules::CardId>& order, std::uint8_t seat, rules::CardId card) {
        order.push_back(card);
        game.hands[seat] |= rules::Bit(card);
    }

    void Expect(std::string_view words) {
        const std::string fault = FindTableFault(state);
        EXPECT_NE(fault.find(words), std::string::npos) << "fault: \"" << fault << "\"";
    }
};

TEST_F(TableCheck, AWholeTablePasses) {
    EXPECT_EQ(FindTableFault(state), "");
}

TEST_F(TableCheck, SeesALostCardACardLyingTwiceAndAnEmptyPile) {
    --game.stockSize;
    Expect("lost");
    ++game.stockSize;
    game.stock[game.stockSize++] = 0;
    Expect("7 srdcová lies twice");
    --game.stockSize;
    game.pileSize = 0;
    Expect("pile is empty");
}

TEST_F(TableCheck, SeesAHandOrderThatDisagreesWithTheHand) {
    state.playerHand.pop_back();
    Expect("player's order differs");
    state.playerHand.push_back(4);
    state.opponentHand.push_back(5);
    Expect("computer's order lists a card twice");
}

TEST_F(TableCheck, SeesASuitNamedOverNoQueen) {
    game.pile[game.pileSize++] = game.stock[--game.stockSize];
    Expect("is named over");
}

TEST_F(TableCheck, SeesCountsAndSelectionThatDisagreeWithTheHands) {
    state.opponentCount = 4;
    Expect("opponent's count is 4");
    state.opponentCount = 5;
    state.selected = 6;
    Expect("selection 6");
}

}  // namespace
}  // namespace tarvel
