#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

using DealTest = EngineFixture;

// A deal on a seeded engine, so that who begins and the cards are known.
class SeededDeal : public EngineFixture {
  public:
    explicit SeededDeal(std::uint64_t seed) : seeded_(seed), game_(screen, net, seeded_) {}
    Engine& Game() { return game_; }

  private:
    StandardRandom seeded_;
    Engine game_;
};

class DealWhereThePlayerBegins : public SeededDeal {
  public:
    DealWhereThePlayerBegins() : SeededDeal(1) {}
};
class DealWhereTheComputerBegins : public SeededDeal {
  public:
    DealWhereTheComputerBegins() : SeededDeal(8) {}
};

TEST_F(DealWhereThePlayerBegins, ANewMatchFromTheMenuResetsTheTalliesAndOpensTheTable) {
    GameState& match = Game().State();
    Game().Options().dealtcards = 10;
    match.playerWins = 2;
    match.opponentPenalty = 30;
    match.gameNumber = 3;
    Game().NewGameCommand(true);

    ASSERT_EQ(match.lastStarter, 1);
    EXPECT_EVENTS(
        screen,
        {"TableCleared", "GameBegins", "Dealt", "say z|8 křížová|11", "Label Začínáš", "say z|Začínáš|1", "TurnBegins", "GameUnderWay"});
    EXPECT_EQ(match.playerWins + match.opponentWins, 0);
    EXPECT_EQ(match.opponentPenalty, 0);
    EXPECT_EQ(match.gameNumber, 1);
    EXPECT_TRUE(match.running);
    // The player got the first block of the stock, the computer the next one.
    EXPECT_EQ(match.playerHand.size(), 10u);
    EXPECT_EQ(match.opponentHand.size(), 10u);
    EXPECT_EQ(match.game.stockSize, 11u);
    EXPECT_EQ(match.selected, 1u);
    EXPECT_TRUE(match.PlayerTurn());
}

TEST_F(DealWhereTheComputerBegins, TheComputerBeginsAndThePlayerGetsTheTurnAfterIt) {
    GameState& match = Game().State();
    Game().NewGameCommand(true);
    ASSERT_EQ(match.lastStarter, 0);
    EXPECT_EVENTS(screen, {"TableCleared", "GameBegins", "Dealt", "say z|dáma kárová|11", "SuitNamed", "say z|Platí|1", "say z| kára|1", "say z|Začínám|1", "Label Vyhazuji", "NamedSuitCovered", "say z|král kárový|11", "say |vyhození|6", "OpponentLaid 5", "TurnBegins", "GameUnderWay"});
    EXPECT_TRUE(match.PlayerTurn());
}

TEST_F(DealWhereThePlayerBegins, PlayingForPointsWithSoundsOffShowsTheLineAndThePointItems) {
    GameOptions& rules = Game().Options();
    rules.playforpoints = true;
    rules.usetable = true;
    screen.soundsOn = false;
    Game().NewGameCommand(true);
    EXPECT_EVENTS(screen, {"TableCleared", "GameBegins", "Dealt", "say z|10 křížová|11", "Label Začínáš", "say z|Začínáš|1", "TurnBegins", "GameUnderWay"});
}

TEST_F(DealWhereThePlayerBegins, TheNextGameClearsWhatThePreviousLeftPending) {
    GameState& match = Game().State();
    match.lastStarter = 0;  // the player begins the next game
    match.game.acePending = match.game.stockOrderKnown = match.game.suitToName = true;
    match.game.outSeat = kOpponentSeat;
    match.game.winner = kPlayerSeat;
    match.game.namedSuit = rules::kHearts;
    match.game.pendingDraw = 4;
    match.playerWins = 1;
    match.opponentPenalty = 12;
    match.gameNumber = 2;
    Game().NewGameCommand(false);
    ASSERT_TRUE(match.PlayerTurn());
    EXPECT_FALSE(match.game.acePending);
    EXPECT_FALSE(match.ReturnPending());
    EXPECT_FALSE(match.game.stockOrderKnown);
    EXPECT_FALSE(match.game.Over());
    EXPECT_FALSE(match.SuitChoiceActive());
    EXPECT_EQ(match.game.pendingDraw, 0);
    // The tallies of the match stay.
    EXPECT_EQ(match.playerWins, 1);
    EXPECT_EQ(match.opponentPenalty, 12);
    EXPECT_EQ(match.gameNumber, 2);
}

TEST_F(DealTest, TheBeginnerAlternatesAndTheNextGameKeepsTheTallies) {
    engine.NewGameCommand(true);
    const bool firstPlayerTurn = state.lastStarter == 1;
    state.playerWins = 1;
    state.gameNumber = 2;
    engine.NewGameCommand(false);
    EXPECT_EQ(state.lastStarter == 1, !firstPlayerTurn);
    EXPECT_EQ(state.playerWins, 1);
    EXPECT_EQ(state.gameNumber, 2);
}

TEST_F(DealTest, TheStartCardHasNoEffect) {
    // Whatever is turned up, the player who begins owes no draw and no stand.
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        StandardRandom seeded(seed);
        Engine other(screen, net, seeded);
        other.State().lastStarter = 0;  // the player begins the next game
        other.NewGameCommand(false);
        ASSERT_TRUE(other.State().PlayerTurn());
        EXPECT_FALSE(other.State().game.acePending);
        EXPECT_EQ(other.State().game.pendingDraw, 0);
    }
}

TEST_F(DealTest, AStartQueenHoldsItsOwnSuit) {
    for (std::uint64_t seed = 1; seed < 500; ++seed) {
        StandardRandom seeded(seed);
        Engine other(screen, net, seeded);
        screen.Clear();
        other.State().lastStarter = 0;  // the player begins: the pile shows the start card
        other.NewGameCommand(false);
        const rules::Position& dealt = other.State().game;
        if (rules::RankOf(dealt.Top()) != rules::kQueen) continue;

        const std::string& start = rules::CardName(dealt.Top());
        const std::string& marker = rules::SuitMarker(rules::SuitOf(dealt.Top()));
        EXPECT_EQ(dealt.pileSize, 1);
        EXPECT_EQ(dealt.namedSuit, rules::SuitOf(dealt.Top()));
        EXPECT_TRUE(other.State().RequestedSuitShown());
        EXPECT_EQ(Head(screen.spoken, 3), (Texts{"say z|" + start + "|11", "say z|Platí|1", "say z|" + marker + "|1"}));
        return;
    }
    FAIL() << "no deal turned up a queen";
}

TEST_F(DealTest, HandSelectionSaysEdgeAtBothEnds) {
    Table({"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová", "kluk srdcový"}, {"eso pikové"},
          {"7 kárová"});
    Select(5);
    engine.SelectRight();
    EXPECT_EQ(screen.spoken, (Texts{"say |okraj|1", "start m|kluk srdcový|11"}));
    EXPECT_EQ(state.selected, 5u);

    screen.Clear();
    engine.SelectFirstCard();
    engine.SelectLeft();
    EXPECT_EQ(screen.spoken, (Texts{"start m|7 srdcová|11", "say |okraj|1", "start m|7 srdcová|11"}));

    screen.Clear();
    engine.SelectRight();
    engine.SelectLastCard();
    EXPECT_EQ(screen.spoken, (Texts{"start m|8 srdcová|11", "start m|kluk srdcový|11"}));
    EXPECT_EQ(state.selected, 5u);

    Table({}, {"eso pikové"}, {"7 kárová"});
    engine.SelectLeft();
    engine.SelectFirstCard();
    EXPECT_EQ(screen.spoken, (Texts{"say |okraj|1", "say |okraj|1"}));
}

TEST_F(DealTest, SuitRowSelectionWalksTheFourSuits) {
    Table({"7 srdcová", "dáma piková"}, {"eso pikové"}, {"7 piková"});
    Play("dáma piková");
    ASSERT_TRUE(state.SuitChoiceActive());
    screen.Clear();
    engine.SelectSuitLeft();
    engine.SelectSuitRight();
    engine.SelectLastSuit();
    engine.SelectSuitRight();
    EXPECT_EQ(screen.spoken, (Texts{"say |okraj|1", "start m| srdce|1", "start m| kára|1", "start m|kříže|1",
                                    "say |okraj|1", "start m| kříže|1"}));
    EXPECT_EQ(state.selectedSuit, rules::kClubs);
}

}  // namespace
}  // namespace tarvel::testing
