#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class PlayTest : public EngineFixture {
  protected:
    // A refused card is only spoken about: hand, pile and every flag stay as they were.
    void ExpectRefused(const std::string& card, const std::vector<std::string>& said) {
        const GameState before = state;
        screen.Clear();
        for (std::size_t i = 1; i <= state.playerHand.size(); ++i) {
            if (rules::CardName(state.playerHand[i - 1]) == card) Select(i);
        }
        const std::size_t selected = state.selected;
        engine.PlayPlayerCard();
        EXPECT_EQ(screen.spoken, said) << card;
        EXPECT_EQ(state.playerHand, before.playerHand) << card;
        // Only the rules may have changed: to the options as they stand.
        rules::Position unchanged = before.game;
        unchanged.rules = RulesOf(options);
        EXPECT_TRUE(state.game == unchanged) << card;
        EXPECT_EQ(state.selected, selected);
    }
};

TEST_F(PlayTest, ACardMustFollowRankOrSuitUnlessItIsAQueen) {
    Table({"8 kárová", "9 piková", "kluk srdcový", "dáma křížová"}, {"eso pikové", "10 kárová"},
          {"9 srdcová"});
    ExpectRefused("8 kárová", {"start z|kartu nelze použít|4"});
    // The same rank, the same suit, and any queen are laid.
    for (const char* card : {"9 piková", "kluk srdcový", "dáma křížová"}) {
        Table({"8 kárová", "9 piková", "kluk srdcový", "dáma křížová"}, {"eso pikové", "10 kárová"},
              {"9 srdcová"}, {"8 křížová", "9 křížová"});
        Play(card);
        ASSERT_GE(state.game.pileSize, 2u) << card;
        EXPECT_EQ(rules::CardName(game.pile[1]), card);
        EXPECT_EQ(state.PlayerCount(), 3) << card;
    }
}

TEST_F(PlayTest, AMarkerAsksForItsSuitAndNotForTheQueensRank) {
    Table({"dáma kárová", "7 srdcová", "7 kárová"}, {"eso pikové", "10 piková"}, {"dáma srdcová", " kára"},
          {"8 křížová", "9 křížová"});
    ExpectRefused("7 srdcová", {"start z|kartu nelze použít|4"});
    screen.Clear();
    Play("7 kárová");
    EXPECT_EQ(PileNames(), (Texts{"dáma srdcová", "7 kárová"}));
    EXPECT_TRUE(std::find(screen.actions.begin(), screen.actions.end(), "NamedSuitCovered") !=
                screen.actions.end());
}

TEST_F(PlayTest, PendingDrawAsksForASevenOrADraw) {
    Table({"dáma piková", "7 piková", "8 srdcová"}, {"kluk kárový", "10 kárová"}, {"8 kárová", "7 srdcová"},
          {"8 křížová", "9 křížová", "10 křížová", "kluk křížový", "eso kárové"});
    state.game.pendingDraw = 2;
    ExpectRefused("dáma piková", {"say z|hoď sedmičku|1", "say z|a nebo si lízni|1"});

    // The seven is laid; the computer, holding no seven, draws all four.
    screen.Clear();
    Play("7 piková");
    EXPECT_EQ(screen.spoken, (Texts{"say |vyhození|6", "say z|lížu|1", "say |lízání|1", "say |lízání|1",
                                    "say |lízání|1", "say |lízání|1"}));
    EXPECT_EQ(screen.label, "lížu  4 karty");
    EXPECT_EQ(Names(state.opponentHand),
              (Texts{"kluk kárový", "10 kárová", "eso kárové", "kluk křížový", "10 křížová", "9 křížová"}));
    EXPECT_EQ(state.opponentCount, 6);
    EXPECT_EQ(state.game.pendingDraw, 0);
    EXPECT_TRUE(state.PlayerTurn());
}

TEST_F(PlayTest, UnderTheKingOfSpadesRuleTheKingAndTheSevenOfSpadesAnswerEachOther) {
    options.kingofspades = true;
    Table({"dáma piková", "král pikový", "7 srdcová"}, {"kluk kárový", "10 kárová"}, {"7 piková"},
          {"8 křížová", "9 křížová", "10 křížová", "kluk křížový", "eso kárové", "8 kárová", "9 kárová"});
    state.game.pendingDraw = 2;
    ExpectRefused("dáma piková",
                  {"say z|hoď sedmičku|1", "say z|nebo pikového krále|1", "say z|a nebo si lízni|1"});
    screen.Clear();
    Play("král pikový");
    EXPECT_EQ(state.opponentCount, 9);  // 2 + 5 for the seven and the king

    Table({"7 srdcová", "7 piková", "8 srdcová"}, {"kluk kárový", "10 kárová"}, {"král pikový"},
          {"8 křížová", "9 křížová", "10 křížová", "kluk křížový", "eso kárové", "8 kárová", "9 kárová"});
    state.game.pendingDraw = 5;
    // A seven passes the pending check but must still fit the king of spades.
    ExpectRefused("7 srdcová", {"start z|kartu nelze použít|4"});
    ExpectRefused("8 srdcová", {"say z|hoď sedmičku|1", "say z|a nebo si lízni|1"});
    screen.Clear();
    Play("7 piková");
    EXPECT_EQ(state.opponentCount, 9);
}

TEST_F(PlayTest, WithoutTheRuleTheKingOfSpadesIsAnOrdinaryKing) {
    Table({"král pikový", "8 srdcová"}, {"kluk kárový", "10 kárová"}, {"9 piková"}, {"8 křížová"});
    Play("král pikový");
    EXPECT_EQ(state.opponentCount, 3);  // the computer drew one card, not five
    EXPECT_EQ(state.game.pendingDraw, 0);
}

TEST_F(PlayTest, PendingAceAcceptsOnlyAnAce) {
    Table({"7 srdcová", "eso kárové"}, {"kluk kárový", "10 kárová"}, {"eso srdcové"});
    state.game.acePending = true;
    ExpectRefused("7 srdcová", {"say z|hoď eso|1"});
    screen.Clear();
    Play("eso kárové");
    // The computer holds no ace and stands; the player's turn comes back.
    EXPECT_EQ(screen.spoken, (Texts{"say |vyhození|6", "say z|stojím|1"}));
    EXPECT_EQ(screen.label, "Stojím");
    EXPECT_FALSE(state.game.acePending);
    EXPECT_TRUE(state.PlayerTurn());
}

TEST_F(PlayTest, WhileTheComputerWaitsToBeReturnedOnlyASevenIsAccepted) {
    options.returntogame = true;
    Table({"9 piková", "7 srdcová"}, {}, {"8 piková"});
    state.game.outSeat = kOpponentSeat;
    ExpectRefused("9 piková", {"say z|hoď sedmičku|1", "say z|a nebo to zabal|1"});
    options.kingofspades = true;
    ExpectRefused("9 piková",
                  {"say z|hoď sedmičku|1", "say z|nebo pikového krále|1", "say z|a nebo to zabal|1"});
}

TEST_F(PlayTest, AnAcceptedCardIsThrownAndTheComputerAnswers) {
    Table({"9 piková", "8 srdcová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Play("9 piková");
    EXPECT_EQ(screen.spoken, (Texts{"say |vyhození|6", "say z|10 piková|11", "say |vyhození|6"}));
    EXPECT_EQ(screen.label, "Vyhazuji");
    EXPECT_EQ(PileNames(), (Texts{"9 srdcová", "9 piková", "10 piková"}));
    EXPECT_EQ(Names(state.playerHand), (Texts{"8 srdcová"}));
    EXPECT_EQ(state.PlayerCount(), 1);
    EXPECT_EQ(state.opponentCount, 1);
    EXPECT_TRUE(state.PlayerTurn());
    EXPECT_EQ(state.selected, 1u);
}

TEST_F(PlayTest, AQueenAsksForASuitAndTheChoiceLaysAMarker) {
    Table({"dáma piková", "8 srdcová"}, {"10 kárová", "kluk kárový", "eso pikové"}, {"9 srdcová"});
    Play("dáma piková");
    EXPECT_TRUE(state.SuitChoiceActive());
    EXPECT_EQ(state.selectedSuit, rules::kHearts);
    EXPECT_EQ(screen.spoken, (Texts{"say |vyhození|6", "start z|na jakou barvu|1"}));
    EXPECT_EQ(state.opponentCount, 3);  // the computer waits for the suit

    engine.DrawCommand();  // ignored while the suit is being chosen
    EXPECT_EQ(state.PlayerCount(), 1);

    screen.Clear();
    engine.PlayerChoosesSuit(rules::kDiamonds);
    EXPECT_FALSE(state.SuitChoiceActive());
    EXPECT_EQ(state.selected, 1u);
    // The computer follows the diamonds it was asked for.
    EXPECT_EQ(screen.spoken.front(), "say z|kluk kárový|11");
    EXPECT_EQ(PileNames(), (Texts{"9 srdcová", "dáma piková", "kluk kárový"}));
}

TEST_F(PlayTest, ALastQueenWithoutTheReturnRuleWinsAtOnce) {
    Table({"dáma piková"}, {"10 kárová", "kluk kárový"}, {"9 srdcová"});
    Play("dáma piková");
    EXPECT_FALSE(state.SuitChoiceActive());
    EXPECT_EQ(state.playerWins, 1);
    EXPECT_EQ(Texts(screen.spoken.begin(), screen.spoken.begin() + 3),
              (Texts{"say |vyhození|6", "say z|hráč poslední karta|1", "say z|Jsi vítěz|1"}));
}

TEST_F(PlayTest, ALastQueenUnderTheReturnRuleNamesItsSuitFirst) {
    options.returntogame = true;
    Table({"dáma piková"}, {"10 kárová", "kluk kárový"}, {"9 srdcová"});
    Play("dáma piková");
    ASSERT_TRUE(state.SuitChoiceActive());
    screen.Clear();
    engine.PlayerChoosesSuit(rules::kSpades);
    // The computer cannot return the player: it has no seven of spades.
    EXPECT_EQ(Texts(screen.spoken.begin(), screen.spoken.begin() + 2),
              (Texts{"say z|hráč poslední karta|1", "say z|Jsi vítěz|1"}));
    EXPECT_EQ(state.playerWins, 1);
}

TEST_F(PlayTest, NothingToPlayFromAnEmptyHandIsRefusedWithoutHarm) {
    Table({}, {"10 kárová"}, {"9 srdcová"});
    engine.PlayPlayerCard();
    // The edge sound, as a move in an empty hand gives: "off" would say it is not his turn.
    EXPECT_EVENTS(screen, {"say |okraj|1"});
    EXPECT_EQ(state.game.pileSize, 1u);
}

}  // namespace
}  // namespace tarvel::testing
