#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace tarvel::testing {
namespace {

class NetworkTest : public EngineFixture {
  protected:
    void SetUp() override {
        engine.Net().active = true;
        engine.Net().playerNumber = '1';
    }
};

TEST_F(NetworkTest, ANewMatchWaitsForTheBeginnerAndTheDeal) {
    state.LastStarter = kStarterUnknown;
    net.events.push_back([this] { state.LastStarter = 0; });
    net.events.push_back([this] {
        // Six cards although the rules say five: the counts follow what the server dealt.
        for (const char* name :
             {"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová", "kluk srdcový", "eso srdcové"}) {
            state.PlayerHand.AppendCard(Card(name));
        }
        state.Pile.PushCard(Card("eso pikové"));
        engine.Net().startCardsComplete = true;
    });
    engine.Novhra1Click(false);
    EXPECT_EQ(net.sent, (Texts{"req startcard"}));
    EXPECT_EQ(state.LastStarter, 1);
    EXPECT_TRUE(state.PlayerTurn);  // player number 1 begins
    EXPECT_EQ(state.PlayerCount, 6);
    EXPECT_EQ(state.OpponentCount, 6);
    EXPECT_EQ(screen.spoken, (Texts{"say z|Začínáš|1"}));
    EXPECT_FALSE(screen.menu[MenuItem::Novsovhra1]);
    EXPECT_FALSE(screen.menu[MenuItem::Sovnastaven1]);
}

TEST_F(NetworkTest, ALostConnectionDuringTheDealAbandonsTheGameQuietly) {
    state.LastStarter = 0;
    engine.Novhra1Click(false);  // no start cards ever arrive
    EXPECT_EQ(net.sent, (Texts{"req startcard"}));
    EXPECT_TRUE(screen.spoken.empty());
}

TEST_F(NetworkTest, MovesAreSentAndTheTurnPasses) {
    Table({"9 piková", "dáma kárová", "8 srdcová"}, {}, {"9 srdcová"});
    state.OpponentCount = 5;
    Play("9 piková");
    EXPECT_EQ(net.sent, (Texts{"sendcard=9 piková"}));
    EXPECT_FALSE(state.PlayerTurn);
    EXPECT_EQ(state.SelectedIndex, 1u);

    screen.Clear();
    engine.PlayPlayerCard();  // out of turn
    EXPECT_EQ(screen.spoken, (Texts{"start |off|1"}));
    engine.DrawCommand();
    EXPECT_EQ(net.sent.size(), 1u);

    state.PlayerTurn = true;
    screen.Clear();
    Play("dáma kárová");
    engine.PlayerChoosesSuit(" piky");
    EXPECT_EQ(net.sent, (Texts{"sendcard=9 piková", "sendcard=dáma kárová", "sendcolor= piky"}));
    EXPECT_EQ(screen.Texts(), (Texts{"vyhození", "na jakou barvu", "vyhození"}));
    EXPECT_FALSE(state.PlayerTurn);
}

TEST_F(NetworkTest, DrawsAreRequestedAndStandingIsAnnounced) {
    Table({"8 srdcová"}, {}, {"7 srdcová"});
    state.PendingDraw = 2;
    options.compulsory = false;
    engine.DrawCommand();
    EXPECT_EQ(net.sent, (Texts{"req card=2"}));
    EXPECT_EQ(state.PendingDraw, 0);

    Table({"8 srdcová"}, {}, {"eso srdcové"});
    state.AcePending = true;
    engine.DrawCommand();
    EXPECT_EQ(net.sent.back(), "standing");
    EXPECT_EQ(screen.spoken, (Texts{"say m|stojím|1"}));
    EXPECT_FALSE(state.PlayerTurn);
}

TEST_F(NetworkTest, TheOpponentsCardTakesEffectAndGivesTheTurn) {
    Table({"8 srdcová"}, {}, {"9 srdcová", "eso srdcové"});
    state.PlayerTurn = false;
    state.OpponentCount = 4;
    engine.ApplyOpponentCard(Card("eso srdcové"));
    EXPECT_TRUE(state.AcePending);
    EXPECT_EQ(screen.spoken, (Texts{"start z|Stojíš|1"}));
    EXPECT_TRUE(state.PlayerTurn);
    EXPECT_EQ(state.OpponentCount, 3);

    engine.ApplyOpponentCard(Card("7 srdcová"));
    EXPECT_EQ(state.PendingDraw, 2);
    engine.ApplyOpponentCard(Card("9 srdcová"));
    EXPECT_EQ(state.PendingDraw, 0);
    EXPECT_FALSE(state.AcePending);
}

TEST_F(NetworkTest, TheLastCardIsReportedAndTheOpponentDecides) {
    options.returntogame = true;
    Table({"9 piková"}, {}, {"9 srdcová"});
    state.OpponentCount = 3;
    Play("9 piková");
    EXPECT_EQ(net.sent, (Texts{"sendcard=9 piková", "i have no cards"}));
    EXPECT_FALSE(state.PlayerTurn);
    EXPECT_TRUE(state.GameRunning);
}

TEST_F(NetworkTest, TheWinnerWaitsForTheOpponentsPoints) {
    options.playforpoints = true;
    Table({}, {}, {"9 srdcová"});
    state.OpponentCount = 2;
    net.events.push_back([this] { engine.Net().opponentPoints = 21; });
    engine.PlayerWinsGame();
    EXPECT_EQ(state.OpponentPenalty, 21);
    EXPECT_EQ(net.sent, (Texts{"end of one game"}));
    EXPECT_TRUE(std::find(screen.actions.begin(), screen.actions.end(), "ScoreTableStep") ==
                screen.actions.end());

    // Points that never come (the opponent left) end the step without a verdict on points.
    Table({}, {}, {"9 srdcová"});
    engine.Net().opponentPoints.reset();
    screen.Clear();
    engine.PlayerWinsGame();
    EXPECT_EQ(screen.Texts(), (Texts{"Jsi vítěz"}));
}

TEST_F(NetworkTest, TheLoserReportsHisPointsAndTheMatchEndsWithTheServer) {
    options.playforpoints = true;
    Table({"kluk srdcový"}, {}, {"9 srdcová"});
    state.GameNumber = 3;
    engine.OpponentWinsGame();
    EXPECT_EQ(net.sent, (Texts{"points=1", "end of game"}));
    EXPECT_EQ(net.left, 1);
    EXPECT_FALSE(engine.Net().active);
    EXPECT_TRUE(screen.menu[MenuItem::Novsovhra1]);
    EXPECT_FALSE(screen.menu[MenuItem::Polizprvusoupei1]);
}

TEST_F(NetworkTest, TheEndCommandTellsTheServer) {
    Table({"kluk srdcový"}, {}, {"9 srdcová"});
    engine.Ukonenhry1Click();
    EXPECT_EQ(net.sent, (Texts{"terminategame", "end of game"}));
    EXPECT_EQ(screen.Texts(), (Texts{"konec hry"}));
}

}  // namespace
}  // namespace tarvel::testing
