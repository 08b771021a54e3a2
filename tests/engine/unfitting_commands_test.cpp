// Commands that do not fit the moment (a suit key with no suit asked for, a hand place
// beyond the hand, a number that is no suit) say nothing, draw nothing and leave the
// table as it was.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class UnfittingCommands : public EngineFixture {
  protected:
    void SetUp() override {
        Table({"8 srdcová", "dáma piková"}, {"10 kárová", "kluk kárový"}, {"9 kárová"}, {"7 křížová"});
    }
    void ExpectTableUnchanged() {
        EXPECT_EVENTS(screen, {});
        EXPECT_EQ(Names(state.playerHand), (Texts{"8 srdcová", "dáma piková"}));
        EXPECT_EQ(Names(state.opponentHand), (Texts{"10 kárová", "kluk kárový"}));
        EXPECT_EQ(PileNames(), (Texts{"9 kárová"}));
        EXPECT_EQ(state.selected, 1u);
        EXPECT_TRUE(state.PlayerTurn());
    }
};

TEST_F(UnfittingCommands, ASuitWithNoSuitAskedForIsIgnored) {
    engine.PlayerChoosesSuit(rules::kDiamonds);
    engine.SelectFirstSuit();
    engine.SelectLastSuit();
    engine.SelectSuitLeft();
    engine.SelectSuitRight();
    ExpectTableUnchanged();
}

TEST_F(UnfittingCommands, ANumberThatIsNoSuitLeavesTheChoiceOpen) {
    Play("dáma piková");
    ASSERT_TRUE(state.SuitChoiceActive());
    screen.Clear();
    engine.PlayerChoosesSuit(4);  // no suit
    engine.PlayerChoosesSuit(rules::kNoSuit);
    EXPECT_EVENTS(screen, {});
    EXPECT_TRUE(state.SuitChoiceActive());
    EXPECT_EQ(PileNames(), (Texts{"9 kárová", "dáma piková"}));
}

TEST_F(UnfittingCommands, PlacesOutsideEitherHandAreIgnored) {
    engine.SelectCard(0);
    engine.SelectCard(3);
    engine.OpponentPlaysCard(0);
    engine.OpponentPlaysCard(3);
    ExpectTableUnchanged();

    engine.SelectCard(2);  // the last place is inside
    EXPECT_EQ(state.selected, 2u);
    game.toMove = kOpponentSeat;
    engine.OpponentPlaysCard(2);
    EXPECT_EQ(PileNames(), (Texts{"9 kárová", "kluk kárový"}));
}

}  // namespace
}  // namespace tarvel::testing
