#include "server_cards.h"

#include <gtest/gtest.h>

#include "deck.h"
#include "fakes.h"

namespace tarvel::server {
namespace {

std::vector<std::string> Names(const CardStack& stack) {
    std::vector<std::string> names;
    for (const auto& entry : stack.BottomToTop()) names.push_back(entry.Name);
    return names;
}

// A fresh deal with everything drawn from the stock, then `cards` laid on the pile.
ServerCards WithEmptyStock(const std::vector<std::string>& cards, bool startQueen) {
    testing::ZeroRandom random;
    ServerCards table;
    table.NewDeal(random);
    while (!table.StockEmpty()) table.PopStock();
    if (startQueen) table.LayStartCard(*FindCard("dáma piková"));
    for (const auto& name : cards) table.PutOnPile(name);
    return table;
}

TEST(ServerCards, AStartQueenGetsTheMarkerOfHerOwnSuit) {
    ServerCards table = WithEmptyStock({}, false);
    EXPECT_EQ(table.LayStartCard(*FindCard("dáma piková")), " piky");
    EXPECT_EQ(table.LayStartCard(*FindCard("eso srdcové")), std::nullopt);
    EXPECT_EQ(Names(table.Pile()), (std::vector<std::string>{"dáma piková", " piky", "eso srdcové"}));
}

TEST(ServerCards, OnlyTheThirtyTwoNamesGoOnThePile) {
    ServerCards table = WithEmptyStock({"eso srdcové", "eso srdcove", " piky", ""}, false);
    EXPECT_EQ(Names(table.Pile()), std::vector<std::string>{"eso srdcové"});
}

TEST(ServerCards, WhenThereIsNothingToTurn) {
    EXPECT_TRUE(WithEmptyStock({}, false).NothingToTurn());
    EXPECT_TRUE(WithEmptyStock({"7 srdcová"}, false).NothingToTurn());
    EXPECT_TRUE(WithEmptyStock({}, true).NothingToTurn());  // the queen and her marker
    EXPECT_FALSE(WithEmptyStock({"7 srdcová", "8 srdcová"}, false).NothingToTurn());
    EXPECT_FALSE(WithEmptyStock({"7 piková"}, true).NothingToTurn());
}

TEST(ServerCards, TurningDropsTheMarkerAndPutsTheOldestCardOnTop) {
    testing::ZeroRandom random;
    ServerCards table = WithEmptyStock({"7 piková", "8 piková", "8 srdcová"}, true);
    table.TurnPile(false, random);
    EXPECT_EQ(Names(table.Pile()), std::vector<std::string>{"8 srdcová"});
    EXPECT_EQ(Names(table.Stock()), (std::vector<std::string>{"8 piková", "7 piková", "dáma piková"}));
}

TEST(ServerCards, TurningWithTheMarkerOnTopKeepsItAndItsQueen) {
    testing::ZeroRandom random;
    ServerCards table = WithEmptyStock({}, false);
    table.PutOnPile("7 srdcová");
    table.PutOnPile("8 srdcová");
    table.LayStartCard(*FindCard("dáma srdcová"));  // as a queen and marker would lie on top
    table.TurnPile(false, random);
    EXPECT_EQ(Names(table.Pile()), (std::vector<std::string>{"dáma srdcová", " srdce"}));
    EXPECT_EQ(Names(table.Stock()), (std::vector<std::string>{"8 srdcová", "7 srdcová"}));
}

TEST(ServerCards, TheStartQueenUnderOneCardMovesIntoTheStock) {
    testing::ZeroRandom random;
    ServerCards table = WithEmptyStock({"eso pikové"}, true);
    table.TurnPile(true, random);
    EXPECT_EQ(Names(table.Pile()), std::vector<std::string>{"eso pikové"});
    EXPECT_EQ(Names(table.Stock()), std::vector<std::string>{"dáma piková"});
}

TEST(ServerCards, TheShuffleAfterTurningIsTheRingWalk) {
    testing::ZeroRandom random;  // every step takes the card at the walk position
    ServerCards table = WithEmptyStock({"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová"}, false);
    table.TurnPile(true, random);
    // Unshuffled the stock would be 9, 8, 7 (bottom to top); popped top first and walked, reversed.
    EXPECT_EQ(Names(table.Stock()), (std::vector<std::string>{"7 srdcová", "8 srdcová", "9 srdcová"}));
}

}  // namespace
}  // namespace tarvel::server
