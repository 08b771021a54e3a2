#include "common/pile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/deck.h"

namespace tarvel {
namespace {

using Names = std::vector<std::string>;

typhodnoty Entry(const char* name) {
    if (IsSuitMarker(name)) return typhodnoty{name, {}, 20, 21};
    return *FindCard(name);
}

// Listed from the bottom to the top.
CardStack StackOf(std::initializer_list<const char*> names) {
    CardStack stack;
    for (const char* name : names) stack.PushCard(Entry(name));
    return stack;
}

Names BottomToTop(const CardStack& stack) {
    Names names;
    for (const auto& card : stack.BottomToTop()) names.push_back(card.Name);
    return names;
}

TEST(Pile, TurningKeepsTheTopAndItsQueenAndGivesBackThePlayOrder) {
    CardStack pile = StackOf({"8 kárová", "dáma piková", " srdce", "9 srdcová", "dáma křížová", " kára"});
    CardStack stock = StackOf({"eso pikové"});
    TurnPileIntoStock(pile, stock);
    EXPECT_EQ(BottomToTop(pile), (Names{"dáma křížová", " kára"}));
    // Markers are dropped; the first card played lies on top.
    EXPECT_EQ(BottomToTop(stock), (Names{"eso pikové", "9 srdcová", "dáma piková", "8 kárová"}));
}

TEST(Pile, NothingToTurnUnderALoneCardOrALoneMarkedQueen) {
    EXPECT_TRUE(PileCannotTurn(StackOf({})));
    EXPECT_TRUE(PileCannotTurn(StackOf({"9 srdcová"})));
    EXPECT_TRUE(PileCannotTurn(StackOf({"dáma srdcová", " piky"})));
    EXPECT_FALSE(PileCannotTurn(StackOf({"8 srdcová", "9 srdcová"})));
    EXPECT_FALSE(PileCannotTurn(StackOf({"8 srdcová", "dáma srdcová", " piky"})));
}

TEST(Pile, AStartQueenHoldsItsOwnSuit) {
    const auto marker = StartQueenMarker(*FindCard("dáma piková"));
    ASSERT_TRUE(marker.has_value());
    EXPECT_EQ(marker->Name, " piky");
    EXPECT_EQ(marker->Picture, FindCard("dáma piková")->Picture);
    EXPECT_EQ(marker->Value, 20);
    EXPECT_FALSE(StartQueenMarker(*FindCard("král pikový")).has_value());
}

TEST(Pile, ShufflingAfterTheTurnKeepsEveryCardAndFollowsTheSeed) {
    CardStack stock = StackOf({"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová", "kluk srdcový"});
    StandardRandom random(3);
    ShuffleStock(stock, random);
    Names shuffled = BottomToTop(stock);
    EXPECT_EQ(shuffled.size(), 5u);
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, (Names{"10 srdcová", "7 srdcová", "8 srdcová", "9 srdcová", "kluk srdcový"}));

    CardStack one = StackOf({"7 srdcová"});
    ShuffleStock(one, random);
    EXPECT_EQ(BottomToTop(one), (Names{"7 srdcová"}));
}

}  // namespace
}  // namespace tarvel
