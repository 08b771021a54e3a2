#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

using DrawTest = EngineFixture;

TEST_F(DrawTest, CompulsoryRuleRefusesToStandWhileHoldingAnAce) {
    Table({"eso kárové", "8 srdcová"}, {"9 srdcová", "kluk pikový"}, {"eso srdcové"});
    state.game.acePending = true;
    engine.DrawCommand();
    EXPECT_EQ(screen.spoken, (Texts{"say z|nešvindluj|1"}));
    EXPECT_TRUE(state.game.acePending);
    EXPECT_EQ(state.PlayerCount(), 2);

    // Without an ace the player stands silently and the computer moves.
    Table({"8 srdcová"}, {"9 srdcová", "kluk pikový"}, {"eso srdcové"});
    state.game.acePending = true;
    engine.DrawCommand();
    EXPECT_EQ(screen.spoken.front(), "say z|9 srdcová|11");
    EXPECT_EQ(state.PlayerCount(), 1);
    EXPECT_FALSE(state.game.acePending);
}

TEST_F(DrawTest, CompulsoryRuleLooksForTheAnsweringSeven) {
    Table({"7 kárová", "8 srdcová"}, {"kluk pikový", "9 piková"}, {"7 srdcová"}, {"10 křížová", "9 křížová"});
    state.game.pendingDraw = 2;
    engine.DrawCommand();
    EXPECT_EQ(screen.spoken, (Texts{"say z|nešvindluj|1"}));
    EXPECT_EQ(state.game.pendingDraw, 2);

    // Under the king-of-spades rule only the seven and the king of spades answer each other.
    options.kingofspades = true;
    screen.Clear();
    engine.DrawCommand();
    EXPECT_EQ(state.PlayerCount(), 4);
    EXPECT_EQ(state.game.pendingDraw, 0);

    options.compulsory = false;
    Table({"7 kárová", "8 srdcová"}, {"kluk pikový", "9 piková"}, {"7 srdcová"}, {"10 křížová", "9 křížová"});
    state.game.pendingDraw = 2;
    engine.DrawCommand();
    EXPECT_EQ(state.PlayerCount(), 4);
}

TEST_F(DrawTest, APenaltyRunsThroughTheStockAndTurnsThePileOnce) {
    options.movemouse = true;
    Table({"8 srdcová"}, {"kluk srdcový", "10 srdcová"},
          {"8 kárová", "9 kárová", "10 kárová", "kluk kárový", "král kárový", "7 kárová"},
          {"eso srdcové", "eso pikové"});
    state.game.pendingDraw = 4;
    engine.DrawCommand();
    EXPECT_EVENTS(screen, {"PlayerDrew 2", "say |lízání|1", "say m|eso pikové|11", "PlayerDrew 3",
                           "say |lízání|1", "say m|eso srdcové|11", "say z|Otáčím hromádku|1", "PlayerDrew 4",
                           "say |lízání|1", "say m|8 kárová|11", "PlayerDrew 5", "say |lízání|1",
                           "say m|9 kárová|11",
                           // the computer has nothing to lay on the seven and takes one card
                           "say z|lížu|1", "Label lížu ", "OpponentDrew 3", "say |lízání|1", "TurnBegins"});
    EXPECT_EQ(Names(state.playerHand),
              (Texts{"8 srdcová", "eso pikové", "eso srdcové", "8 kárová", "9 kárová"}));
    EXPECT_EQ(PileNames(), (Texts{"7 kárová"}));
    // The turned pile comes back in the order it was played.
    EXPECT_EQ(StockNames(), (Texts{"král kárový", "kluk kárový"}));
    EXPECT_TRUE(state.game.stockOrderKnown);
    EXPECT_EQ(screen.label, "lížu ");
}

// The settings can be changed during a game: the pile turned next follows them.
TEST_F(DrawTest, TheShuffleSwitchedMidGameHoldsAtTheNextTurnOfThePile) {
    for (const bool shuffle : {true, false}) {
        SCOPED_TRACE(shuffle ? "switched on" : "switched off");
        options.shufflecards = !shuffle;
        Table({"8 srdcová"}, {"kluk srdcový", "10 srdcová"}, {"8 kárová", "9 kárová", "10 kárová", "7 piková"});
        options.shufflecards = shuffle;
        engine.DrawCommand();
        EXPECT_EQ(std::count(screen.spoken.begin(), screen.spoken.end(), "say z|Otáčím hromádku|1"), 1);
        EXPECT_EQ(state.game.stockOrderKnown, !shuffle);
        EXPECT_EQ(state.game.rules.shuffle, shuffle);
    }
}

TEST_F(DrawTest, NothingToDrawFromALoneMarkedQueen) {
    Table({"8 srdcová"}, {"8 kárová"}, {"dáma srdcová", " srdce"});
    EXPECT_TRUE(game.PileCannotTurn());
    engine.DrawCommand();
    EXPECT_EQ(screen.spoken,
              (Texts{"say z|není z čeho lízat|1", "say z|lížu|1", "say z|není z čeho lízat|1"}));
    EXPECT_EQ(state.PlayerCount(), 1);
    EXPECT_EQ(state.opponentCount, 1);
    EXPECT_TRUE(state.PlayerTurn());
}

TEST_F(DrawTest, TheComputerSaysHowManyCardsItDraws) {
    Table({"7 piková", "8 srdcová"}, {"kluk srdcový"}, {"7 srdcová"},
          {"10 křížová", "9 křížová", "8 křížová", "eso kárové", "9 kárová"});
    options.pickupforseven = 3;
    state.game.pendingDraw = 3;
    Play("7 piková");
    EXPECT_EQ(state.opponentCount, 7);
    EXPECT_EQ(screen.label, "lížu  6 karet");

    Table({"8 srdcová"}, {"kluk kárový"}, {"7 srdcová"}, {"10 křížová", "9 křížová", "8 křížová"});
    state.game.pendingDraw = 0;
    engine.DrawCommand();  // the player draws one; the computer cannot play on the seven
    EXPECT_EQ(screen.label, "lížu ");
}

}  // namespace
}  // namespace tarvel::testing
