#include <gtest/gtest.h>

#include <vector>

#include "engine/described_habits.h"
#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class ComputerTest : public EngineFixture {
  protected:
    // The card the computer lays on its turn, or "" when it draws or stands.
    std::string ComputerPlays() {
        const std::size_t pileBefore = game.pileSize;
        ComputerMoves();
        if (game.pileSize == pileBefore) return "";
        return rules::CardName(game.pile[pileBefore]);
    }
    // The computer's look at the table as it is.
    ComputerSight Sight() const { return ComputerSight{rules::ViewOf(game, kOpponentSeat), state.opponentHand}; }
};

TEST_F(ComputerTest, AnswersAnAceWithTheAceOfItsLongestSuit) {
    Table({"8 srdcová"}, {"eso srdcové", "eso pikové", "8 piková", "9 piková"}, {"eso kárové"});
    state.game.acePending = true;
    EXPECT_EQ(ComputerPlays(), "eso pikové");
    EXPECT_EQ(screen.spoken, (Texts{"say z|eso pikové|11", "say |vyhození|6", "start z|Stojíš|1"}));
    EXPECT_TRUE(state.game.acePending);
    EXPECT_TRUE(state.PlayerTurn());
}

TEST_F(ComputerTest, AnswersAPendingDrawWithTheKingOfSpadesFirst) {
    options.kingofspades = true;
    Table({"8 srdcová"}, {"7 srdcová", "král pikový", "9 kárová"}, {"7 piková"});
    state.game.pendingDraw = 2;
    EXPECT_EQ(ComputerPlays(), "král pikový");
    EXPECT_EQ(state.game.pendingDraw, 7);

    // On the king of spades only the seven of spades fits, wherever it lies in the hand.
    Table({"8 srdcová"}, {"7 srdcová", "7 piková", "9 kárová"}, {"král pikový"});
    state.game.pendingDraw = 5;
    EXPECT_EQ(ComputerPlays(), "7 piková");
    EXPECT_EQ(state.game.pendingDraw, 7);
}

TEST_F(ComputerTest, TakesAKnownSevenFromTheStockInsteadOfPlaying) {
    Table({"8 srdcová", "9 srdcová"}, {"9 kárová", "10 kárová"}, {"8 kárová"}, {"eso křížové", "7 kárová"});
    state.game.stockOrderKnown = true;
    EXPECT_EQ(ComputerPlays(), "");
    EXPECT_EQ(Names(state.opponentHand), (Texts{"9 kárová", "10 kárová", "7 kárová"}));

    state.game.stockOrderKnown = false;  // not known: it plays
    Table({"8 srdcová", "9 srdcová"}, {"9 kárová", "10 kárová"}, {"8 kárová"}, {"eso křížové", "7 kárová"});
    EXPECT_NE(ComputerPlays(), "");
}

TEST_F(ComputerTest, PlayingForPointsShedsTheQueenOfHeartsAndNamesItsLongestSuit) {
    options.playforpoints = true;
    Table({"8 srdcová", "9 srdcová"}, {"9 kárová", "dáma srdcová", "10 piková", "kluk pikový"}, {"9 piková"});
    EXPECT_EQ(ComputerPlays(), "dáma srdcová");
    EXPECT_EQ(PileNames().back(), " piky");
    EXPECT_EQ(screen.label, "měním");
    EXPECT_EQ(Texts(screen.spoken.end() - 2, screen.spoken.end()),
              (Texts{"say z|měním na|1", "say z|piky|1"}));
    EXPECT_TRUE(state.RequestedSuitShown());
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

// What the computer lays when the earlier preferences find nothing, or in the steps
// that only playing for points or the king-of-spades rule reach.
struct Choice {
    const char* why;
    Texts computer;
    const char* top;
    bool points = false;
    bool kingOfSpades = false;
    std::size_t playerCards = 2;
    const char* lays = "";
};

TEST_F(ComputerTest, ThePreferencesPickTheCardOfEachBranch) {
    const Choice choices[] = {
        {"two aces: an ace before a plain card",
         {"eso kárové", "eso pikové", "8 srdcová", "7 křížová", "9 křížová", "10 křížová"},
         "eso srdcové",
         false,
         false,
         2,
         "eso pikové"},
        {"two sevens: a seven before a plain card",
         {"7 kárová", "7 piková", "8 srdcová", "9 křížová", "10 křížová", "kluk křížový"},
         "7 srdcová",
         false,
         false,
         2,
         "7 piková"},
        {"a seven in hand keeps the king of spades coming next",
         {"král pikový", "7 kárová", "8 piková", "10 křížová", "kluk křížový", "eso křížové"},
         "9 piková",
         false,
         true,
         2,
         "král pikový"},
        {"nothing plain: a seven goes before a queen",
         {"dáma piková", "7 srdcová", "8 křížová", "10 křížová"},
         "9 srdcová",
         false,
         false,
         2,
         "7 srdcová"},
        {"a plain card when there is one",
         {"eso kárové", "8 kárová", "kluk srdcový", "7 srdcová", "10 srdcová"},
         "9 kárová",
         false,
         false,
         2,
         "8 kárová"},
        {"for points: a queen seen before the plain card goes first",
         {"dáma piková", "9 kárová", "10 křížová", "kluk křížový", "9 křížová"},
         "8 kárová",
         true,
         false,
         2,
         "dáma piková"},
        {"not for points: the plain card, the queen kept",
         {"dáma piková", "9 kárová", "10 křížová", "kluk křížový", "9 křížová"},
         "8 kárová",
         false,
         false,
         2,
         "9 kárová"},
        {"for points: with two queens a queen goes",
         {"dáma kárová", "dáma piková", "8 srdcová"},
         "9 srdcová",
         true,
         false,
         2,
         "dáma kárová"},
        {"for points: a queen when the player holds one card",
         {"dáma kárová", "8 srdcová"},
         "9 srdcová",
         true,
         false,
         1,
         "dáma kárová"},
        {"for points: the queen of hearts first of all",
         {"8 srdcová", "dáma kárová", "dáma srdcová"},
         "9 srdcová",
         true,
         false,
         2,
         "dáma srdcová"},
        {"the strongest suit when it is the top's",
         {"10 kárová", "kluk pikový"},
         "9 kárová",
         false,
         false,
         2,
         "10 kárová"},
    };
    for (const Choice& choice : choices) {
        options.playforpoints = choice.points;
        options.kingofspades = choice.kingOfSpades;
        Texts player;
        for (std::size_t i = 0; i < choice.playerCards; ++i)
            player.push_back(i == 0 ? "8 kárová" : "9 piková");
        Table(player, choice.computer, {choice.top}, {"8 křížová"});
        EXPECT_EQ(ComputerPlays(), choice.lays) << choice.why;
    }
}

TEST_F(ComputerTest, SuitIteratorYieldsALoneCardOnlyWhenItIsTheLargest) {
    Table({"8 srdcová"}, {"7 srdcová", "8 srdcová", "9 srdcová", "7 kárová", "8 kárová", "7 piková"},
          {"9 kárová"});
    ComputerOpponent& computer = engine.Computer();
    computer.AnalyseHand(Sight());
    EXPECT_EQ(computer.NextSuitByCount(), rules::kHearts);
    EXPECT_FALSE(computer.Mind().suitIteratorEnded);
    EXPECT_EQ(computer.NextSuitByCount(), rules::kDiamonds);
    EXPECT_TRUE(computer.Mind().suitIteratorEnded);
    // Run to its end, it refills on the next call.
    EXPECT_EQ(computer.NextSuitByCount(), rules::kHearts);
    EXPECT_EQ(computer.StrongestSuit(), rules::kHearts);

    Table({"8 srdcová"}, {"dáma srdcová"}, {"9 kárová"});
    computer.AnalyseHand(Sight());
    EXPECT_EQ(computer.NextSuitByCount(), rules::kNoSuit);
    EXPECT_TRUE(computer.Mind().suitIteratorEnded);
    EXPECT_EQ(computer.StrongestSuit(), rules::kNoSuit);
}

TEST_F(ComputerTest, WithNothingButQueensItKeepsTheSuitOfItsQueen) {
    options.returntogame = true;
    Table({"8 srdcová", "9 srdcová"}, {"dáma křížová"}, {"9 piková"});
    EXPECT_EQ(ComputerPlays(), "dáma křížová");
    EXPECT_EQ(PileNames().back(), " kříže");
    EXPECT_TRUE(state.ReturnPending());
}

// The computer's habits as the strong computer reads them: its choice in a whole position,
// the card named first taken to have come to it first.
TEST(ComputerHabits, ChooseAsTheComputerDoesWithTheNamedCardFirst) {
    const auto card = [](const char* name) { return rules::IdOfName(name); };
    rules::Position p;
    p.hands[kOpponentSeat] = rules::Bit(card("8 srdcová")) | rules::Bit(card("9 srdcová"));
    p.hands[kPlayerSeat] = rules::Bit(card("eso kárové"));
    p.pile[p.pileSize++] = card("10 srdcová");
    p.toMove = kOpponentSeat;
    DescribedHabits habits;
    // Its longest suit is the one on the pile: it lays the first of it in its hand.
    EXPECT_EQ(habits.Choose(p, card("9 srdcová"), false), rules::Move::Lay(card("9 srdcová")));
    EXPECT_EQ(habits.Choose(p, card("8 srdcová"), false), rules::Move::Lay(card("8 srdcová")));
    EXPECT_EQ(habits.Choose(p, rules::kNoCard, false), rules::Move::Lay(card("8 srdcová")))
        << "in card order";

    // After a queen it names the suit it holds most of, else the queen's own.
    rules::Position queen = p;
    queen.hands[kOpponentSeat] = rules::Bit(card("dáma kárová")) | rules::Bit(card("8 piková"));
    ComputerOpponent computer;
    const std::vector<rules::CardId> queenFirst = {card("dáma kárová"), card("8 piková")};
    lookahead::Decision d = FixedComputerChoice(computer, queen, queenFirst, false);
    EXPECT_EQ(d.move, rules::Move::Lay(card("dáma kárová")));
    EXPECT_EQ(d.suit, rules::kSpades);
    queen.hands[kOpponentSeat] = rules::Bit(card("dáma kárová")) | rules::Bit(card("dáma piková"));
    const std::vector<rules::CardId> queens = {card("dáma kárová"), card("dáma piková")};
    d = FixedComputerChoice(computer, queen, queens, false);
    ASSERT_EQ(d.move.kind, rules::MoveKind::Lay);
    EXPECT_EQ(d.suit, rules::SuitOf(d.move.value));

    rules::Position nothingFits = p;
    nothingFits.pile[0] = card("10 kárová");
    EXPECT_EQ(habits.Choose(nothingFits, rules::kNoCard, false).kind, rules::MoveKind::Draw);

    // The player is out and may be returned: only the seven of the suit in play does it.
    rules::Position returnOpen = p;
    returnOpen.rules.returnToGame = true;
    returnOpen.hands[kPlayerSeat] = 0;
    returnOpen.outSeat = kPlayerSeat;
    EXPECT_EQ(habits.Choose(returnOpen, rules::kNoCard, false).kind, rules::MoveKind::GiveUp);
    returnOpen.hands[kOpponentSeat] |= rules::Bit(card("7 srdcová"));
    EXPECT_EQ(habits.Choose(returnOpen, card("8 srdcová"), false), rules::Move::Lay(card("7 srdcová")));
}

}  // namespace
}  // namespace tarvel::testing
