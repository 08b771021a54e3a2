#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class NetworkTest : public EngineFixture {
  protected:
    void SetUp() override {
        engine.Net().active = true;
        engine.Net().playerNumber = '1';
    }
};

TEST_F(NetworkTest, ANewMatchWaitsForTheBeginnerAndTheDealWithoutHoldingTheEngine) {
    engine.NetworkMatchRequested();
    engine.NetworkSettingsAgreed();
    EXPECT_EQ(engine.Net().waiting, NetworkWait::Beginner);
    EXPECT_TRUE(net.sent.empty());
    EXPECT_FALSE(state.running);

    engine.NetworkStartCard(Card("7 kárová"));  // no deal asked for yet: ignored
    engine.NetworkFirstPlayer("0");
    EXPECT_EQ(engine.Net().waiting, NetworkWait::StartCards);
    EXPECT_EQ(net.sent, (Texts{"req startcard"}));
    EXPECT_TRUE(state.running);
    EXPECT_FALSE(state.PlayerTurn());  // nobody plays into a deal
    engine.NetworkFirstPlayer("1");  // a second one changes nothing
    EXPECT_EQ(state.lastStarter, 1);

    // Six cards although the rules say five: the counts follow what the server dealt.
    for (const char* name : {"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová", "kluk srdcový", "eso srdcové"}) {
        engine.NetworkStartCard(Card(name));
    }
    engine.NetworkPileStartCard(Card("dáma piková"));
    engine.NetworkPileStartSuit(" kříže");
    EXPECT_EQ(screen.spoken, (Texts{"say z|dáma piková|11", "say z|Platí|1", "say z| kříže|1"}));
    screen.Clear();
    engine.NetworkStartCardsDone();
    EXPECT_EQ(engine.Net().waiting, NetworkWait::None);
    EXPECT_EQ(state.lastStarter, 0);
    EXPECT_FALSE(state.PlayerTurn());  // player 1: the server named player 0 to begin
    EXPECT_EQ(state.PlayerCount(), 6);
    EXPECT_EQ(state.opponentCount, 6);
    EXPECT_EQ(PileNames().back(), " kříže");
    EXPECT_EQ(screen.spoken, (Texts{"say z|Začínám|1"}));
    EXPECT_TRUE(state.matchOn);

    engine.NetworkStartCardsDone();  // after the deal: nothing more happens
    engine.NetworkStartCard(Card("7 kárová"));
    EXPECT_EQ(state.playerHand.size(), 6u);
}

TEST_F(NetworkTest, AMatchBrokenOffInAnyWaitEndsCleanly) {
    options.playforpoints = true;
    options.returntogame = true;
    struct Case {
        const char* name;
        std::function<void()> reach;
        NetworkWait wait;
    };
    const std::vector<Case> cases = {
        {"beginner", [this] { engine.NetworkMatchRequested(); engine.NetworkSettingsAgreed(); }, NetworkWait::Beginner},
        {"deal",
         [this] {
             engine.NetworkMatchRequested();
             engine.NetworkSettingsAgreed();
             engine.NetworkFirstPlayer("1");
         },
         NetworkWait::StartCards},
        {"points",
         [this] {
             Table({}, {}, {"9 srdcová"});
             engine.PlayerWinsGame();
         },
         NetworkWait::OpponentPoints},
        {"pending cards",
         [this] {
             Table({"8 kárová"}, {}, {"7 srdcová"});
             state.game.outSeat = kOpponentSeat;
             state.game.pendingDraw = 2;
             engine.OpponentWinsGame();
         },
         NetworkWait::PendingCards},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        engine.Net().active = true;
        engine.Net().waiting = NetworkWait::None;
        net.sent.clear();
        net.left = 0;
        c.reach();
        ASSERT_EQ(engine.Net().waiting, c.wait);
        screen.Clear();
        engine.NetworkMatchBrokenOff();
        EXPECT_EQ(engine.Net().waiting, NetworkWait::None);
        EXPECT_FALSE(engine.Net().active);
        EXPECT_FALSE(state.running);
        EXPECT_EQ(net.left, 1);
        EXPECT_EQ(net.sent.back(), "end of game");
        EXPECT_EQ(screen.Texts(), (Texts{"konec hry"}));
        EXPECT_FALSE(state.matchOn);
        // What the server might still send changes nothing.
        engine.NetworkOpponentPoints(3);
        engine.NetworkDrawEnded();
        engine.NetworkStartCardsDone();
        EXPECT_FALSE(state.running);
        EXPECT_EQ(screen.Texts(), (Texts{"konec hry"}));
    }
}

TEST_F(NetworkTest, MovesAreSentAndTheTurnPasses) {
    Table({"9 piková", "dáma kárová", "8 srdcová"}, {}, {"9 srdcová"});
    state.opponentCount = 5;
    Play("9 piková");
    EXPECT_EQ(net.sent, (Texts{"sendcard=9 piková"}));
    EXPECT_FALSE(state.PlayerTurn());
    EXPECT_EQ(state.selected, 1u);

    screen.Clear();
    engine.PlayPlayerCard();  // out of turn
    EXPECT_EQ(screen.spoken, (Texts{"start |off|1"}));
    engine.DrawCommand();
    EXPECT_EQ(net.sent.size(), 1u);

    state.game.toMove = kPlayerSeat;
    screen.Clear();
    Play("dáma kárová");
    engine.PlayerChoosesSuit(rules::kSpades);
    EXPECT_EQ(net.sent, (Texts{"sendcard=9 piková", "sendcard=dáma kárová", "sendcolor= piky"}));
    EXPECT_EQ(screen.Texts(), (Texts{"vyhození", "na jakou barvu", "vyhození"}));
    EXPECT_FALSE(state.PlayerTurn());
}

TEST_F(NetworkTest, DrawsAreRequestedAndStandingIsAnnounced) {
    Table({"8 srdcová"}, {}, {"7 srdcová"});
    state.game.pendingDraw = 2;
    options.compulsory = false;
    engine.DrawCommand();
    EXPECT_EQ(net.sent, (Texts{"req card=2"}));
    // Until the cards have come, a second draw or a card laid is refused.
    screen.Clear();
    engine.DrawCommand();
    engine.PlayPlayerCard();
    EXPECT_EQ(net.sent, (Texts{"req card=2"}));
    EXPECT_EQ(screen.Texts(), (Texts{"off", "off"}));
    engine.NetworkCardDrawn(Card("9 kárová"));
    engine.NetworkDrawEnded();
    EXPECT_FALSE(state.PlayerTurn());  // the turn has passed once
    EXPECT_EQ(state.game.pendingDraw, 0);
    EXPECT_EQ(state.playerHand.size(), 2u);

    Table({"8 srdcová"}, {}, {"eso srdcové"});
    state.game.acePending = true;
    engine.DrawCommand();
    EXPECT_EQ(net.sent.back(), "standing");
    EXPECT_EQ(screen.spoken, (Texts{"say m|stojím|1"}));
    EXPECT_FALSE(state.PlayerTurn());
}

TEST_F(NetworkTest, TheOpponentsCardTakesEffectAndGivesTheTurn) {
    Table({"8 srdcová"}, {}, {"9 srdcová", "eso srdcové"});
    state.game.toMove = kOpponentSeat;
    state.opponentCount = 4;
    engine.ApplyOpponentCard(Card("eso srdcové"));
    EXPECT_TRUE(state.game.acePending);
    EXPECT_EQ(screen.spoken, (Texts{"start z|Stojíš|1"}));
    EXPECT_TRUE(state.PlayerTurn());
    EXPECT_EQ(state.opponentCount, 3);

    engine.ApplyOpponentCard(Card("7 srdcová"));
    EXPECT_EQ(state.game.pendingDraw, 2);
    engine.ApplyOpponentCard(Card("9 srdcová"));
    EXPECT_EQ(state.game.pendingDraw, 0);
    EXPECT_FALSE(state.game.acePending);
}

TEST_F(NetworkTest, TheLastCardIsReportedAndTheOpponentDecides) {
    options.returntogame = true;
    Table({"9 piková"}, {}, {"9 srdcová"});
    state.opponentCount = 3;
    Play("9 piková");
    EXPECT_EQ(net.sent, (Texts{"sendcard=9 piková", "i have no cards"}));
    EXPECT_FALSE(state.PlayerTurn());
    EXPECT_TRUE(state.running);
}

TEST_F(NetworkTest, TheWinnerWaitsForTheOpponentsPoints) {
    options.playforpoints = true;
    Table({}, {}, {"9 srdcová"});
    state.opponentCount = 2;
    engine.PlayerWinsGame();
    EXPECT_EQ(screen.Texts(), (Texts{"Jsi vítěz"}));
    EXPECT_TRUE(net.sent.empty());
    engine.NetworkOpponentPoints(21);
    EXPECT_EQ(state.opponentPenalty, 21);
    EXPECT_EQ(net.sent, (Texts{"end of one game"}));
    EXPECT_TRUE(std::find(screen.actions.begin(), screen.actions.end(), "ScoreStep") ==
                screen.actions.end());

    // Points that came before the verdict are used at once.
    Table({}, {}, {"9 srdcová"});
    state.opponentCount = 1;
    engine.NetworkOpponentPoints(5);
    engine.PlayerWinsGame();
    EXPECT_EQ(state.opponentPenalty, 26);
    EXPECT_EQ(engine.Net().waiting, NetworkWait::None);
}

TEST_F(NetworkTest, TheLoserUnderTheReturnRuleTakesTheCardsBeforeGivingUp) {
    options.returntogame = true;
    Table({"8 kárová"}, {}, {"7 srdcová"});
    state.game.outSeat = kOpponentSeat;
    state.game.pendingDraw = 2;
    state.game.toMove = kPlayerSeat;
    engine.DrawCommand();  // the player does not return the opponent
    EXPECT_EQ(net.sent, (Texts{"req card=2"}));
    EXPECT_EQ(engine.Net().waiting, NetworkWait::PendingCards);
    engine.NetworkCardDrawn(Card("9 kárová"));
    engine.NetworkCardDrawn(Card("10 kárová"));
    EXPECT_TRUE(state.running);
    engine.NetworkDrawEnded();
    EXPECT_EQ(net.sent, (Texts{"req card=2", "i give it up", "end of one game"}));
    EXPECT_EQ(state.playerHand.size(), 3u);
    EXPECT_EQ(state.opponentWins, 1);
    EXPECT_FALSE(state.running);
}

TEST_F(NetworkTest, TheLoserReportsHisPointsAndTheMatchEndsWithTheServer) {
    options.playforpoints = true;
    Table({"kluk srdcový"}, {}, {"9 srdcová"});
    state.gameNumber = 3;
    engine.OpponentWinsGame();
    EXPECT_EQ(net.sent, (Texts{"points=1", "end of game"}));
    EXPECT_EQ(net.left, 1);
    EXPECT_FALSE(engine.Net().active);
    EXPECT_FALSE(state.matchOn);
    EXPECT_EQ(screen.actions.back(), "MatchEnded");
}

TEST_F(NetworkTest, TheEndCommandTellsTheServer) {
    Table({"kluk srdcový"}, {}, {"9 srdcová"});
    engine.EndMatchCommand();
    EXPECT_EQ(net.sent, (Texts{"terminategame", "end of game"}));
    EXPECT_EQ(screen.Texts(), (Texts{"konec hry"}));
}

}  // namespace
}  // namespace tarvel::testing
