#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

using EndOfGameTest = EngineFixture;

TEST_F(EndOfGameTest, WithoutPointsAGameEndsWithTheVerdictAndTheNextGameNumber) {
    Table({"8 srdcová", "8 kárová"}, {"9 srdcová"}, {"10 srdcová"}, {"kluk křížový"});
    engine.DrawCommand();
    EXPECT_EQ(Head(screen.spoken, 7),
              (Texts{"say |lízání|1", "say m|kluk křížový|11", "say z|9 srdcová|11", "say |vyhození|6",
                     "say z|comp poslední karta|1", "say z|jsem vítěz|1", "say z|hra|1"}));
    EXPECT_EQ(screen.spoken[7], "number z|2");
    EXPECT_EQ(state.opponentWins, 1);
    EXPECT_EQ(state.gameNumber, 2);
    EXPECT_TRUE(state.running);  // the next game has been dealt
    EXPECT_EQ(state.playerHand.size() + state.opponentHand.size() + state.game.stockSize + state.game.pileSize,
              32u);
}

TEST_F(EndOfGameTest, PlayingForPointsTheLoserHearsHisCardsAndTotals) {
    options.playforpoints = true;
    Table({"dáma srdcová", "7 kárová"}, {}, {"10 srdcová"});
    state.opponentPenalty = 0;
    engine.OpponentWinsGame();
    EXPECT_EQ(Head(screen.Texts(), 12),
              (Texts{"jsem vítěz", "zůstaly ti", "2", "karty", "což je", "47", "bodů", "Celkem máš", "47",
                     "trestných", "bodů", "já nemám žádný trestný bod"}));
    EXPECT_EQ(screen.spoken[12], "leads z|47,0,3,1");
    EXPECT_EQ(state.playerPenalty, 47);
    EXPECT_EQ(screen.labels.front(), "Jsem vítěz");
}

TEST_F(EndOfGameTest, PlayingForPointsTheWinnerCountsTheComputersCards) {
    options.playforpoints = true;
    Table({}, {"kluk kárový"}, {"10 srdcová"});
    state.playerPenalty = 2;
    state.opponentPenalty = 3;
    engine.PlayerWinsGame();
    EXPECT_EQ(Head(screen.Texts(), 13),
              (Texts{"Jsi vítěz", "zůstala mi", "1", "karta", "což je", "jeden bod", "celkem mám", "4",
                     "trestné", "body", "ty máš", "dva", "trestné"}));
    EXPECT_EQ(state.opponentPenalty, 4);
    EXPECT_EQ(state.playerWins, 1);
}

TEST_F(EndOfGameTest, CountedPhrasesAgreeWithTheNumber) {
    const std::vector<std::pair<int, Texts>> cases = {
        {0, {"0", "trestných", "bodů"}},   {1, {"jeden trestný bod"}},    {2, {"dva", "trestné", "body"}},
        {3, {"3", "trestné", "body"}},     {4, {"4", "trestné", "body"}}, {5, {"5", "trestných", "bodů"}},
        {21, {"21", "trestných", "bodů"}},
    };
    for (const auto& [points, said] : cases) {
        screen.Clear();
        engine.SayPoints(points, true);
        EXPECT_EQ(screen.Texts(), said) << points;
    }
    screen.Clear();
    engine.SayPoints(1, false);
    engine.SayPoints(2, false);
    EXPECT_EQ(screen.Texts(), (Texts{"jeden bod", "dva", "body"}));
}

TEST_F(EndOfGameTest, TheLastGameEndsTheMatch) {
    Table({"8 srdcová"}, {}, {"10 srdcová"});
    state.gameNumber = 3;
    engine.OpponentWinsGame();
    EXPECT_EQ(screen.Texts(), (Texts{"jsem vítěz", "konec hry"}));
    EXPECT_FALSE(state.running);
    EXPECT_FALSE(state.matchOn);
    EXPECT_EQ(screen.actions.back(), "MatchEnded");
    EXPECT_EQ(screen.label, "");
}

TEST_F(EndOfGameTest, UnlimitedGamesGoOnUntilTheEndCommand) {
    options.numberofgames = 0;
    Table({"8 srdcová"}, {}, {"10 srdcová"});
    state.gameNumber = 7;
    engine.OpponentWinsGame();
    EXPECT_EQ(state.gameNumber, 8);
    EXPECT_TRUE(state.running);
    screen.Clear();
    engine.EndMatchCommand();
    EXPECT_EQ(screen.Texts(), (Texts{"konec hry"}));
    EXPECT_FALSE(state.running);
}

TEST_F(EndOfGameTest, WritingIntoTheTableEndsTheMatchAfterThisGame) {
    for (const std::uint8_t games : {std::uint8_t{5}, std::uint8_t{0}}) {
        options.numberofgames = games;
        state.gameNumber = 2;
        state.running = false;
        EXPECT_EQ(engine.Standing().gameNumber, 2);
        engine.FinishMatchAfterThisGame();
        screen.Clear();
        engine.NextGameOrEndMatch();
        EXPECT_EQ(screen.Texts(), (Texts{"konec hry"})) << int{games};
        EXPECT_EQ(state.gameNumber, games);
    }
}

TEST_F(EndOfGameTest, ThePlayerReturnsTheComputerWithASeven) {
    options.returntogame = true;
    Table({"7 piková", "8 kárová"}, {"7 srdcová"}, {"9 srdcová"},
          {"8 křížová", "9 křížová", "10 křížová", "kluk křížový", "eso kárové"});
    ComputerMoves();
    EXPECT_EQ(screen.spoken, (Texts{"say z|7 srdcová|11", "say |vyhození|6", "say z|comp poslední karta|1",
                                    "start z|podívej se na vracení|1"}));
    EXPECT_TRUE(state.ReturnPending());
    EXPECT_EQ(state.game.pendingDraw, 2);
    EXPECT_TRUE(state.running);

    screen.Clear();
    Play("7 piková");
    EXPECT_EQ(Head(screen.Texts(), 3), (Texts{"vyhození", "vracíš mě do hry", "lížu"}));
    EXPECT_EQ(state.opponentCount, 4);
    EXPECT_FALSE(state.ReturnPending());
    EXPECT_TRUE(state.PlayerTurn());
}

TEST_F(EndOfGameTest, DecliningToReturnTheComputerLosesTheGame) {
    options.returntogame = true;
    Table({"9 piková"}, {}, {"8 piková"});
    state.game.outSeat = kOpponentSeat;
    engine.DrawCommand();
    EXPECT_EQ(state.opponentWins, 1);
    EXPECT_EQ(screen.Texts().front(), "jsem vítěz");

    // Holding the answer under the compulsory rule, the player may not decline.
    Table({"7 kárová"}, {}, {"7 piková"});
    state.game.outSeat = kOpponentSeat;
    state.game.pendingDraw = 2;
    engine.DrawCommand();
    EXPECT_EQ(screen.Texts(), (Texts{"nešvindluj"}));
}

TEST_F(EndOfGameTest, AnAceCannotBeAnsweredByAReturn) {
    options.returntogame = true;
    Table({"eso kárové"}, {"7 kárová", "8 srdcová"}, {"9 kárová"});
    Play("eso kárové");
    EXPECT_EQ(state.playerWins, 1);
    EXPECT_EQ(Head(screen.Texts(), 3), (Texts{"vyhození", "hráč poslední karta", "Jsi vítěz"}));

    Table({"8 srdcová", "9 srdcová"}, {"eso srdcové"}, {"10 srdcová"});
    ComputerMoves();
    EXPECT_EQ(Head(screen.Texts(), 6), (Texts{"eso srdcové", "vyhození", "Stojíš", "comp poslední karta",
                                              "nemůžeš vrátit", "jsem vítěz"}));
    EXPECT_EQ(state.opponentWins, 1);
}

TEST_F(EndOfGameTest, TheComputerReturnsThePlayerWithTheSevenOfThePileSuit) {
    options.returntogame = true;
    Table({"9 srdcová"}, {"7 srdcová", "kluk pikový", "8 kárová"}, {"10 srdcová"},
          {"8 křížová", "9 křížová", "10 křížová", "kluk křížový", "eso kárové"});
    Play("9 srdcová");
    EXPECT_EQ(Head(screen.Texts(), 12),
              (Texts{"vyhození", "hráč poslední karta", "ale já mám", "sedmičku", "a tak tě vracím",
                     "7 srdcová", "vyhození", "lízání", "eso kárové", "lízání", "kluk křížový", "lížu"}));
    EXPECT_EQ(Names(state.playerHand), (Texts{"eso kárové", "kluk křížový"}));
    EXPECT_EQ(state.PlayerCount(), 2);
    EXPECT_EQ(state.opponentCount, 3);  // nothing of its own fits the seven: it draws one
    EXPECT_TRUE(state.running);
}

TEST_F(EndOfGameTest, TheNextGameIsDealtFromAWholeDeckWhateverTheHandsHeld) {
    // The player wins while the computer still holds three cards; the next game deals
    // all 32 cards anew, each once.
    Table({"9 piková"}, {"10 kárová", "kluk kárový", "eso pikové"}, {"9 srdcová"}, {"7 křížová"});
    Play("9 piková");
    ASSERT_EQ(state.gameNumber, 2);
    ASSERT_TRUE(state.running);
    std::vector<std::string> cards = Names(state.playerHand);
    for (const auto& name : Names(state.opponentHand)) cards.push_back(name);
    for (const auto& name : StockNames()) cards.push_back(name);
    for (const auto& name : PileNames()) {
        if (rules::SuitOfMarker(name) == rules::kNoSuit) cards.push_back(name);
    }
    std::sort(cards.begin(), cards.end());
    EXPECT_EQ(cards.size(), 32u);
    EXPECT_TRUE(std::adjacent_find(cards.begin(), cards.end()) == cards.end());
    EXPECT_EQ(state.PlayerCount(), state.playerHand.size());
    EXPECT_EQ(state.opponentCount, state.opponentHand.size());
}

}  // namespace
}  // namespace tarvel::testing
