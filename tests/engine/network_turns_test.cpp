// A network game from the player's side, a few messages at a time: what is heard and
// sent once the server has told how an opponent's draw, stand or voice came out, and
// how a match ended in the middle of a wait leaves the next one free to start.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class NetworkTurns : public EngineFixture {
  protected:
    void SetUp() override {
        engine.Net().active = true;
        engine.Net().playerNumber = '1';
    }
    // The player holds `player` over `pile`; the opponent holds `opponentCards` unseen.
    void NetTable(std::initializer_list<const char*> player, std::initializer_list<const char*> pile,
                  std::uint8_t opponentCards) {
        Table(player, {}, pile);
        state.opponentCount = opponentCards;
        engine.Net().waiting = NetworkWait::None;
        engine.Net().opponentPoints.reset();
        net.sent.clear();
    }
};

TEST_F(NetworkTurns, AfterTheOpponentTookTheSevensCardsAnyFittingCardIsLaid) {
    NetTable({"7 srdcová", "9 srdcová", "9 kárová"}, {"8 srdcová"}, 4);
    Play("7 srdcová");
    engine.NetworkOpponentDraws();
    engine.NetworkOpponentTakesCard();
    engine.NetworkOpponentTakesCard();
    engine.NetworkDrawEnded();
    EXPECT_EVENTS(screen, {"send sendcard=7 srdcová", "PlayerLaid", "say |vyhození|6", "Selection keys", "say z|lížu|1", "OpponentDrew 5", "say |lízání|1", "OpponentDrew 6", "say |lízání|1", "Selection keys"});
    EXPECT_EQ(state.opponentCount, 6);

    screen.Clear();
    Play("9 srdcová");  // the seven's cards are taken: nothing is pending any more
    EXPECT_EVENTS(screen, {"send sendcard=9 srdcová", "PlayerLaid", "say |vyhození|6", "Selection keys"});
    EXPECT_FALSE(state.PlayerTurn());
}

TEST_F(NetworkTurns, AfterTheOpponentStoodOnTheAceAnyFittingCardIsLaid) {
    NetTable({"eso srdcové", "9 srdcová", "9 kárová"}, {"8 srdcová"}, 4);
    Play("eso srdcové");
    screen.Clear();
    engine.NetworkOpponentStands();
    EXPECT_EQ(screen.spoken, (Texts{"say z|stojím|1"}));
    EXPECT_TRUE(state.PlayerTurn());

    screen.Clear();
    Play("9 srdcová");
    EXPECT_EVENTS(screen, {"send sendcard=9 srdcová", "PlayerLaid", "say |vyhození|6", "Selection keys"});
}

// The server turns the pile; the player's copy of it goes on growing past the 32
// cards of the deck, and its newest card is still the one every move answers.
TEST_F(NetworkTurns, APileLongerThanTheDeckIsAnsweredByItsTopCard) {
    NetTable({"eso pikové", "9 křížová", "král kárový"},
             {"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová", "kluk srdcový", "dáma srdcová", " srdce",
              "král srdcový", "eso srdcové", "7 kárová", "8 kárová", "9 kárová", "10 kárová", "kluk kárový",
              "dáma kárová", " kára", "král kárový", "eso kárové", "7 piková", "8 piková", "9 piková",
              "10 piková", "kluk pikový", "dáma piková", " piky", "král pikový", "eso pikové", "7 křížová",
              "8 křížová", "9 křížová", "10 křížová", "kluk křížový", "dáma křížová", " kříže", "eso křížové",
              "král křížový", "7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová"},
             9);
    state.game.toMove = kOpponentSeat;
    engine.NetworkOpponentCard(Card("eso srdcové"));
    ASSERT_TRUE(state.game.acePending);
    screen.Clear();
    Play("eso pikové");  // an ace on the ace: laid, not "hoď eso" or "kartu nelze použít"
    EXPECT_EQ(net.sent, (Texts{"sendcard=eso pikové"}));
    EXPECT_FALSE(state.PlayerTurn());

    engine.NetworkOpponentStands();
    net.sent.clear();
    Play("9 křížová");  // does not fit the ace of spades
    EXPECT_TRUE(net.sent.empty());
    engine.DrawCommand();  // nothing owed any more: the draw is asked of the server
    EXPECT_EQ(net.sent, (Texts{"req card=1"}));
}

TEST_F(NetworkTurns, AnOpponentReturnedIntoTheGameLeavesNoReturnPending) {
    options.returntogame = true;
    NetTable({"7 kárová", "9 kárová", "9 srdcová"}, {"8 kárová"}, 1);
    state.game.toMove = kOpponentSeat;
    engine.NetworkOpponentCard(Card("10 kárová"));
    engine.NetworkOpponentOut();
    EXPECT_EQ(screen.spoken, (Texts{"say z|10 kárová|11", "say |vyhození|6", "say z|comp poslední karta|1",
                                    "start z|podívej se na vracení|1"}));
    // The player returns the opponent with a seven; the opponent takes its two cards.
    Play("7 kárová");
    EXPECT_EQ(net.sent, (Texts{"sendcard=7 kárová"}));
    engine.NetworkOpponentTakesCard();
    engine.NetworkOpponentTakesCard();
    engine.NetworkDrawEnded();
    EXPECT_EQ(state.opponentCount, 2);
    EXPECT_TRUE(state.PlayerTurn());

    screen.Clear();
    Play("9 kárová");  // an ordinary card again: no "hoď sedmičku … a nebo to zabal"
    EXPECT_EVENTS(screen, {"send sendcard=9 kárová", "PlayerLaid", "say |vyhození|6", "Selection keys"});
}

TEST_F(NetworkTurns, TheOpponentSpeaksInTheVoiceTheServerNames) {
    options.playergender = "z";
    engine.OptionsChanged();
    NetTable({"9 srdcová"}, {"8 srdcová"}, 4);
    state.game.toMove = kOpponentSeat;

    engine.NetworkOpponentGender("z");
    engine.NetworkOpponentCard(Card("8 kárová"));
    engine.NetworkOpponentGender("x");  // no such recordings: the voice stays
    engine.NetworkOpponentStands();
    engine.NetworkOpponentGender("muž");
    engine.NetworkOpponentDraws();
    EXPECT_EQ(screen.spoken, (Texts{"say z|8 kárová|11", "say |vyhození|6", "say z|stojím|1", "say m|lížu|1"}));
    EXPECT_EQ(state.playerVoice, "z");
}

TEST_F(NetworkTurns, AMatchEndedWhileWaitingForTheDealLetsTheNextOneStart) {
    engine.NetworkMatchRequested();
    engine.NetworkSettingsAgreed();
    engine.NetworkFirstPlayer("0");
    ASSERT_EQ(engine.Net().waiting, NetworkWait::StartCards);
    engine.EndMatchCommand();
    EXPECT_EQ(net.sent, (Texts{"req startcard", "terminategame", "end of game"}));
    EXPECT_FALSE(engine.Net().active);

    // The next network match is agreed: it waits for its beginner and then asks for its deal.
    net.sent.clear();
    engine.NetworkMatchRequested();
    engine.NetworkSettingsAgreed();
    EXPECT_EQ(engine.Net().waiting, NetworkWait::Beginner);
    engine.NetworkFirstPlayer("1");
    EXPECT_EQ(net.sent, (Texts{"req startcard"}));
    EXPECT_TRUE(state.running);
}

TEST_F(NetworkTurns, ADrawAwaitedWhenTheGameEndedDoesNotHoldTheNextGame) {
    NetTable({"8 srdcová"}, {"9 kárová"}, 3);
    state.lastStarter = 0;  // the beginner alternates: this player begins the next game
    engine.DrawCommand();
    EXPECT_EQ(net.sent, (Texts{"req card=1"}));
    engine.NetworkOpponentGivesUp();  // the game ends before the card has come
    EXPECT_EQ(net.sent, (Texts{"req card=1", "end of one game"}));

    // The server starts the next game; this player begins it and may draw at once.
    engine.NetworkSettingsAgreed();
    for (const char* name : {"7 srdcová", "8 kárová", "9 piková", "10 křížová", "kluk srdcový"}) {
        engine.NetworkStartCard(Card(name));
    }
    EXPECT_EQ(state.selected, 0u);  // no card is selected while the deal comes in
    engine.NetworkPileStartCard(Card("9 srdcová"));
    engine.NetworkStartCardsDone();
    ASSERT_TRUE(state.PlayerTurn());
    net.sent.clear();
    engine.DrawCommand();
    EXPECT_EQ(net.sent, (Texts{"req card=1"}));
}

// Each wait is taken up only by the message it waits for; any other message the server
// sends meanwhile leaves it waiting, says nothing and sends nothing.
TEST_F(NetworkTurns, AWaitIsTakenUpOnlyByWhatItWaitsFor) {
    options.playforpoints = true;
    options.returntogame = true;
    engine.NetworkMatchRequested();
    engine.NetworkSettingsAgreed();
    screen.Clear();
    engine.NetworkDrawEnded();
    engine.NetworkStartCardsDone();
    EXPECT_EQ(engine.Net().waiting, NetworkWait::Beginner);
    EXPECT_TRUE(net.sent.empty());

    engine.NetworkFirstPlayer("1");
    ASSERT_EQ(engine.Net().waiting, NetworkWait::StartCards);
    screen.Clear();
    engine.NetworkFirstPlayer("0");
    engine.NetworkOpponentPoints(7);
    engine.NetworkDrawEnded();  // not a move of the game being dealt: no turn comes of it
    engine.NetworkOpponentCard(Card("9 srdcová"));
    EXPECT_EQ(engine.Net().waiting, NetworkWait::StartCards);
    EXPECT_EVENTS(screen, {});
    EXPECT_FALSE(state.PlayerTurn());
    EXPECT_EQ(game.pileSize, 0);
    EXPECT_EQ(net.sent, (Texts{"req startcard"}));

    // The loser under the return rule waits for the cards it takes.
    NetTable({"8 kárová"}, {"7 srdcová"}, 0);
    state.game.outSeat = kOpponentSeat;
    state.game.pendingDraw = 2;
    engine.DrawCommand();
    ASSERT_EQ(engine.Net().waiting, NetworkWait::PendingCards);
    screen.Clear();
    engine.NetworkOpponentPoints(7);
    engine.NetworkOpponentOut();
    engine.NetworkAceCannotReturn();
    engine.NetworkOpponentGivesUp();
    EXPECT_EQ(engine.Net().waiting, NetworkWait::PendingCards);
    EXPECT_EVENTS(screen, {});
    EXPECT_EQ(net.sent, (Texts{"req card=2"}));
    EXPECT_EQ(state.opponentWins, 0);

    // The winner waits for the loser's points.
    NetTable({}, {"9 srdcová"}, 2);
    engine.PlayerWinsGame();
    ASSERT_EQ(engine.Net().waiting, NetworkWait::OpponentPoints);
    screen.Clear();
    engine.NetworkStartCardsDone();
    engine.NetworkDrawEnded();
    engine.NetworkOpponentOut();
    engine.NetworkOpponentGivesUp();
    EXPECT_EQ(engine.Net().waiting, NetworkWait::OpponentPoints);
    EXPECT_EVENTS(screen, {});
    EXPECT_EQ(state.playerWins, 1);
}

TEST_F(NetworkTurns, AnAceAsTheLastCardCannotBeAnsweredByAReturn) {
    options.returntogame = true;
    NetTable({"eso srdcové"}, {"9 srdcová"}, 3);
    Play("eso srdcové");
    EXPECT_EQ(net.sent, (Texts{"sendcard=eso srdcové", "i have no cards"}));
    EXPECT_FALSE(state.PlayerTurn());  // the opponent's client decides
    screen.Clear();
    engine.NetworkAceCannotReturn();
    EXPECT_EQ(Head(screen.spoken, 3), (Texts{"say m|nemůžeš vrátit|1", "say z|Jsi vítěz|1", "say z|hra|1"}));
    EXPECT_EQ(state.playerWins, 1);
    EXPECT_EQ(net.sent.back(), "end of one game");
}

TEST_F(NetworkTurns, WithoutTheReturnRuleTheOpponentsLastCardWinsItTheGame) {
    NetTable({"9 srdcová", "8 kárová"}, {"8 srdcová"}, 1);
    state.game.toMove = kOpponentSeat;
    engine.NetworkOpponentCard(Card("10 srdcová"));
    screen.Clear();
    engine.NetworkOpponentOut();
    EXPECT_EQ(Head(screen.spoken, 4),
              (Texts{"say z|comp poslední karta|1", "say z|jsem vítěz|1", "say z|hra|1", "number z|2"}));
    EXPECT_EQ(state.opponentWins, 1);
    EXPECT_FALSE(state.running);
    EXPECT_EQ(net.sent, (Texts{"end of one game"}));
}

}  // namespace
}  // namespace tarvel::testing
