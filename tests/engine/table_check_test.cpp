// The table check must see every way a table can be broken, or the soak proves nothing.
#include "engine/table_check.h"

#include <gtest/gtest.h>

#include <string>

#include "common/deck.h"

namespace tarvel {
namespace {

typhodnoty Marker(std::string_view name) {
    typhodnoty marker = *FindCard("dáma srdcová");
    marker.Name = std::string(name);
    return marker;
}

// Five cards each, the queen of hearts with a marker on the pile, the rest in the stock.
class TableCheck : public ::testing::Test {
  protected:
    GameState state;

    void SetUp() override {
        const auto deck = MakeDeck();
        for (int i = 0; i < 5; ++i) state.PlayerHand.AppendCard(deck[i]);
        for (int i = 5; i < 10; ++i) state.OpponentHand.AppendCard(deck[i]);
        for (std::size_t i = 10; i < deck.size(); ++i) {
            if (deck[i].Name != "dáma srdcová") state.Stock.PushCard(deck[i]);
        }
        state.Pile.PushCard(*FindCard("dáma srdcová"));
        state.Pile.PushCard(Marker(" kára"));
        state.PlayerCount = state.OpponentCount = 5;
        state.SelectedIndex = 1;
    }

    void Expect(std::string_view words) {
        const std::string fault = FindTableFault(state);
        EXPECT_NE(fault.find(words), std::string::npos) << "fault: \"" << fault << "\"";
    }
};

TEST_F(TableCheck, AWholeTablePasses) {
    EXPECT_EQ(FindTableFault(state), "");
}

TEST_F(TableCheck, SeesALostCard) {
    state.Stock.PopCard();
    Expect("lost");
}

TEST_F(TableCheck, SeesACardLyingTwice) {
    state.Stock.PushCard(state.PlayerHand.Head());
    Expect("7 srdcová lies twice");
}

TEST_F(TableCheck, SeesAnAlteredOrUnknownCard) {
    typhodnoty card = state.Stock.PopCard();
    card.Value += 1;
    state.Stock.PushCard(card);
    Expect("was altered");
    card = state.Stock.PopCard();
    card.Name = "7 srdce";
    state.Stock.PushCard(card);
    Expect("unknown card");
}

TEST_F(TableCheck, SeesAMarkerAwayFromItsQueen) {
    state.Pile.PushCard(Marker(" piky"));
    Expect("does not lie on a queen");
    state.Pile.PopCard();
    state.Stock.PushCard(Marker(" piky"));
    Expect("suit marker \" piky\" in the stock");
    state.Stock.PopCard();
    state.Pile.PopCard();
    state.Pile.PushCard(Marker(" srdcee"));
    Expect("malformed");
}

TEST_F(TableCheck, SeesAnEmptyPile) {
    state.Pile.Clear();
    state.Stock.PushCard(*FindCard("dáma srdcová"));
    Expect("pile is empty");
}

TEST_F(TableCheck, SeesCountsAndSelectionThatDisagreeWithTheHands) {
    state.OpponentCount = 4;
    Expect("OpponentCount is 4");
    state.OpponentCount = 5;
    state.PlayerCount = 6;
    Expect("PlayerCount is 6");
    state.PlayerCount = 5;
    state.SelectedIndex = 6;
    Expect("selection 6");
}

}  // namespace
}  // namespace tarvel
