// Under the return rule the cards a seven left pending are taken by the loser before
// the verdict and counted as his points: heard whole, from the last card to the totals.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class ReturnRulePoints : public EngineFixture {
  protected:
    void SetUp() override {
        options.returntogame = true;
        options.playforpoints = true;
    }
};

TEST_F(ReturnRulePoints, TheComputerThatCannotReturnThePlayerTakesTheSevensCards) {
    Table({"7 srdcová"}, {"kluk kárový"}, {"9 srdcová"}, {"8 křížová", "9 křížová"});
    state.gameNumber = 3;
    Play("7 srdcová");
    EXPECT_EQ(screen.spoken, (Texts{"say |vyhození|6",
                                    "say z|hráč poslední karta|1",
                                    "say z|lížu|1",
                                    "say |lízání|1",
                                    "say |lízání|1",
                                    "say z|Jsi vítěz|1",
                                    "say z|zůstaly mi|1",
                                    "number z|3",
                                    "say z|karty|1",
                                    "say z|což je|1",
                                    "number z|18",
                                    "say z|bodů|1",
                                    "say z|celkem mám|1",
                                    "number z|18",
                                    "say z|trestných|1",
                                    "say z|bodů|1",
                                    "say z|ty nemáš žádný trestný bod|1",
                                    "leads z|0,18,3,3",
                                    "say z|konec hry|1"}))
        << AsList(screen.spoken);
    EXPECT_EQ(Names(state.opponentHand), (Texts{"kluk kárový", "9 křížová", "8 křížová"}));
    EXPECT_EQ(state.playerWins, 1);
}

TEST_F(ReturnRulePoints, ThePlayerWhoDeclinesToReturnTheComputerTakesTheSevensCards) {
    Table({"8 kárová"}, {"7 srdcová"}, {"9 srdcová"}, {"10 křížová", "kluk křížový"});
    state.gameNumber = 3;
    ComputerMoves();
    ASSERT_TRUE(state.ReturnPending());
    screen.Clear();
    engine.DrawCommand();  // no seven to answer with: the game goes to the computer
    EXPECT_EQ(screen.Texts(), (Texts{"lízání", "kluk křížový", "lízání", "10 křížová", "jsem vítěz", "zůstaly ti",
                                     "3", "karty", "což je", "19", "bodů", "Celkem máš", "19", "trestných",
                                     "bodů", "já nemám žádný trestný bod", "19,0,3,3", "konec hry"}))
        << AsList(screen.spoken);
    EXPECT_EQ(state.playerPenalty, 19);
    EXPECT_EQ(Names(state.playerHand), (Texts{"8 kárová", "kluk křížový", "10 křížová"}));
}

}  // namespace
}  // namespace tarvel::testing
