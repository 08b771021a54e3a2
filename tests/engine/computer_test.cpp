#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace tarvel::testing {
namespace {

class ComputerTest : public EngineFixture {
  protected:
    // The card the computer lays on its turn, or "" when it draws or stands.
    std::string ComputerPlays() {
        const std::size_t pileBefore = state.Pile.Size();
        engine.OpponentTurn();
        if (state.Pile.Size() == pileBefore) return "";
        return state.Pile.BottomToTop()[pileBefore].Name;
    }
};

TEST_F(ComputerTest, AnswersAnAceWithTheAceOfItsLongestSuit) {
    Table({"8 srdcová"}, {"eso srdcové", "eso pikové", "8 piková", "9 piková"}, {"eso kárové"});
    state.AcePending = true;
    EXPECT_EQ(ComputerPlays(), "eso pikové");
    EXPECT_EQ(screen.spoken, (Texts{"say z|eso pikové|11", "say |vyhození|6", "start z|Stojíš|1"}));
    EXPECT_TRUE(state.AcePending);
    EXPECT_TRUE(state.PlayerTurn);
}

TEST_F(ComputerTest, AnswersAPendingDrawWithTheKingOfSpadesFirst) {
    options.kingofspades = true;
    Table({"8 srdcová"}, {"7 srdcová", "král pikový", "9 kárová"}, {"7 piková"});
    state.PendingDraw = 2;
    EXPECT_EQ(ComputerPlays(), "král pikový");
    EXPECT_EQ(state.PendingDraw, 7);

    // On the king of spades only the seven of spades fits, wherever it lies in the hand.
    Table({"8 srdcová"}, {"7 srdcová", "7 piková", "9 kárová"}, {"král pikový"});
    state.PendingDraw = 5;
    EXPECT_EQ(ComputerPlays(), "7 piková");
    EXPECT_EQ(state.PendingDraw, 7);
}

TEST_F(ComputerTest, TakesAKnownSevenFromTheStockInsteadOfPlaying) {
    Table({"8 srdcová", "9 srdcová"}, {"9 kárová", "10 kárová"}, {"8 kárová"}, {"eso křížové", "7 kárová"});
    state.StockOrderKnown = true;
    EXPECT_EQ(ComputerPlays(), "");
    EXPECT_EQ(Names(state.OpponentHand), (Texts{"9 kárová", "10 kárová", "7 kárová"}));

    state.StockOrderKnown = false;  // not known: it plays
    Table({"8 srdcová", "9 srdcová"}, {"9 kárová", "10 kárová"}, {"8 kárová"}, {"eso křížové", "7 kárová"});
    EXPECT_NE(ComputerPlays(), "");
}

TEST_F(ComputerTest, PlayingForPointsShedsTheQueenOfHeartsAndNamesItsLongestSuit) {
    options.playforpoints = true;
    Table({"8 srdcová", "9 srdcová"}, {"9 kárová", "dáma srdcová", "10 piková", "kluk pikový"}, {"9 piková"});
    EXPECT_EQ(ComputerPlays(), "dáma srdcová");
    EXPECT_EQ(Names(state.Pile).back(), " piky");
    EXPECT_EQ(screen.label, "měním");
    EXPECT_EQ(Texts(screen.spoken.end() - 2, screen.spoken.end()),
              (Texts{"say z|měním na|1", "say z|piky|1"}));
    EXPECT_TRUE(state.RequestedSuitShown);
}

TEST_F(ComputerTest, KeepsTheRankAndMovesTheSuitTowardsItsLongestSuit) {
    Table({"8 srdcová"}, {"9 křížová", "kluk křížový", "10 křížová"}, {"9 srdcová"});
    EXPECT_EQ(ComputerPlays(), "9 křížová");
}

TEST_F(ComputerTest, FollowsTheSuitWithAJackAndKeepsItsAce) {
    Table({"8 srdcová"}, {"eso srdcové", "kluk kárový"}, {"8 kárová"});
    EXPECT_EQ(ComputerPlays(), "kluk kárový");
}

TEST_F(ComputerTest, FallbackPlaysAPlainCardOrShedsTheCostliestForPoints) {
    Table({"8 srdcová"}, {"eso kárové", "8 kárová", "kluk srdcový", "7 srdcová", "10 srdcová"}, {"9 kárová"});
    EXPECT_EQ(ComputerPlays(), "8 kárová");
    options.playforpoints = true;
    Table({"8 srdcová"}, {"eso kárové", "8 kárová", "kluk srdcový", "7 srdcová", "10 srdcová"}, {"9 kárová"});
    EXPECT_EQ(ComputerPlays(), "eso kárové");
}

TEST_F(ComputerTest, SuitIteratorYieldsALoneCardOnlyWhenItIsTheLargest) {
    Table({"8 srdcová"}, {"7 srdcová", "8 srdcová", "9 srdcová", "7 kárová", "8 kárová", "7 piková"},
          {"9 kárová"});
    engine.Computer().AnalyseHand(state);
    EXPECT_EQ(engine.Computer().NextSuitByCount(), "srd");
    EXPECT_FALSE(engine.Computer().Mind().SuitIteratorEnded);
    EXPECT_EQ(engine.Computer().NextSuitByCount(), "kár");
    EXPECT_TRUE(engine.Computer().Mind().SuitIteratorEnded);
    // Run to its end, it refills on the next call.
    EXPECT_EQ(engine.Computer().NextSuitByCount(), "srd");
    EXPECT_EQ(engine.Computer().StrongestSuit(), "srd");

    Table({"8 srdcová"}, {"dáma srdcová"}, {"9 kárová"});
    engine.Computer().AnalyseHand(state);
    EXPECT_EQ(engine.Computer().NextSuitByCount(), "");
    EXPECT_TRUE(engine.Computer().Mind().SuitIteratorEnded);
    EXPECT_EQ(engine.Computer().StrongestSuit(), "");
}

TEST_F(ComputerTest, WithNothingButQueensItKeepsTheSuitOfItsQueen) {
    options.returntogame = true;
    Table({"8 srdcová", "9 srdcová"}, {"dáma křížová"}, {"9 piková"});
    EXPECT_EQ(ComputerPlays(), "dáma křížová");
    EXPECT_EQ(Names(state.Pile).back(), " kříže");
    EXPECT_TRUE(state.ReturnPending);
}

}  // namespace
}  // namespace tarvel::testing
