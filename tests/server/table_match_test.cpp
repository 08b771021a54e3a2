// The match a table keeps: the deal, the cards as moves and forced moves move them, the
// draws in the order the stock gives them, the turning of the pile, and the end of a game.
#include "server/core/table_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/card_names.h"
#include "tests/server/fakes.h"

namespace tarvel::server {
namespace {

using rules::CardId;

std::vector<std::string> Names(const std::vector<CardId>& cards) {
    std::vector<std::string> names;
    for (const CardId card : cards) names.push_back(rules::CardName(card));
    return names;
}

std::vector<std::string> PileNames(const rules::Position& p) {
    return Names(std::vector<CardId>(p.pile.begin(), p.pile.begin() + p.pileSize));
}

std::vector<std::string> StockNames(const rules::Position& p) {
    return Names(std::vector<CardId>(p.stock.begin(), p.stock.begin() + p.stockSize));
}

rules::RuleOptions Rules(std::uint8_t dealt, bool shuffle = false) {
    rules::RuleOptions rules;
    rules.dealtCards = dealt;
    rules.shuffle = shuffle;
    return rules;
}

// With a source that always answers 0 the stock is the deck in deck order, the ace of
// clubs on top. Four each: player 0 the aces, player 1 the kings, the queen of clubs turned up.
class TableMatchTest : public ::testing::Test {
  protected:
    // Player 1 takes the whole stock by force; then `cards` are laid by force by player 0.
    void WithEmptyStock(const std::vector<std::string>& cards, bool shuffle = false) {
        match.Deal(Rules(4, shuffle), false);
        DrawnCards drawn;
        match.Draw(1, 100, true, drawn);
        ASSERT_EQ(match.Position().stockSize, 0);
        for (const auto& name : cards) match.LayCard(0, name, true);
    }

    testing::ZeroRandom random;
    TableMatch match{random};
};

TEST_F(TableMatchTest, TheDealGivesEachHandItsBlockOffTheTopAndAStartQueenHoldsHerSuit) {
    const DealtCards dealt = match.Deal(Rules(4), false);
    EXPECT_EQ(Names(dealt.hands[0]),
              (std::vector<std::string>{"eso křížové", "eso pikové", "eso kárové", "eso srdcové"}));
    EXPECT_EQ(Names(dealt.hands[1]),
              (std::vector<std::string>{"král křížový", "král pikový", "král kárový", "král srdcový"}));
    EXPECT_EQ(rules::CardName(dealt.start), "dáma křížová");
    EXPECT_EQ(match.Position().namedSuit, rules::kClubs);
    EXPECT_EQ(match.Position().stockSize, 23);
    EXPECT_EQ(match.Position().hands[0], rules::kAces);
    EXPECT_EQ(match.GameNumber(), 1);
    EXPECT_TRUE(match.Kept());

    match.Deal(Rules(5), false);  // the queen of diamonds turned up
    EXPECT_EQ(match.Position().namedSuit, rules::kDiamonds);
    match.Deal(Rules(6), false);  // the jack of clubs: no suit named
    EXPECT_EQ(match.Position().namedSuit, rules::kNoSuit);
    EXPECT_EQ(match.GameNumber(), 3);
}

TEST_F(TableMatchTest, TheFirstGameTakesTheNamedBeginnerAndTheNextGamesAlternate) {
    match.NoteFirstPlayer(1);
    match.Deal(Rules(4), false);
    EXPECT_EQ(match.Position().toMove, 1);
    match.NoteFirstPlayer(1);  // named again at the next agreement: the clients ignore it
    match.Deal(Rules(4), false);
    EXPECT_EQ(match.Position().toMove, 0);
    match.Deal(Rules(4), false);
    EXPECT_EQ(match.Position().toMove, 1);
    match.StartMatch();
    match.NoteFirstPlayer(0);
    match.Deal(Rules(4), false);
    EXPECT_EQ(match.Position().toMove, 0);
    EXPECT_EQ(match.GameNumber(), 1);
}

TEST_F(TableMatchTest, OnlyTheThirtyTwoNamesGoOnThePile) {
    WithEmptyStock({"eso srdcové", "eso srdcove", " piky", ""});
    EXPECT_EQ(PileNames(match.Position()), (std::vector<std::string>{"dáma křížová", "eso srdcové"}));
    EXPECT_FALSE(match.Kept());
}

// With checking off a client may lay cards it never got, as often as it likes: the pile
// takes the whole deck and no more.
TEST_F(TableMatchTest, CardsLaidByForceNeverOverfillThePile) {
    WithEmptyStock({});
    for (int i = 0; i < 2 * rules::kCards; ++i) match.LayCard(0, "eso srdcové", true);
    EXPECT_EQ(match.Position().pileSize, rules::kCards);
}

TEST_F(TableMatchTest, WhenThereIsNothingToTurn) {
    for (const auto& [laid, nothing] : std::vector<std::pair<std::vector<std::string>, bool>>{
             {{}, true}, {{"7 srdcová"}, false}, {{"7 srdcová", "8 srdcová"}, false}}) {
        WithEmptyStock(laid);
        DrawnCards drawn;
        match.Draw(0, 1, true, drawn);
        EXPECT_EQ(drawn.NothingAtAll(), nothing) << laid.size();
    }
}

TEST_F(TableMatchTest, TurningKeepsTheTopAndPutsTheOldestCardOnTopOfTheStock) {
    // The start queen of clubs, then three cards: the queen goes into the stock too.
    WithEmptyStock({"7 piková", "8 piková", "8 srdcová"});
    DrawnCards drawn;
    match.Draw(0, 0, true, drawn);  // a draw of none turns nothing
    EXPECT_EQ(drawn.turnedBefore, DrawnCards::kNotTurned);
    match.Draw(0, 2, true, drawn);
    EXPECT_EQ(drawn.turnedBefore, 0u);
    EXPECT_EQ(Names(drawn.cards), (std::vector<std::string>{"dáma křížová", "7 piková"}));
    EXPECT_EQ(PileNames(match.Position()), std::vector<std::string>{"8 srdcová"});
    EXPECT_EQ(StockNames(match.Position()), std::vector<std::string>{"8 piková"});
}

TEST_F(TableMatchTest, TheStartQueenUnderOneCardMovesIntoTheStock) {
    WithEmptyStock({"eso pikové"}, true);
    DrawnCards drawn;
    match.Draw(0, 3, true, drawn);
    EXPECT_EQ(Names(drawn.cards), std::vector<std::string>{"dáma křížová"});
    EXPECT_TRUE(drawn.ranDry);
    EXPECT_FALSE(drawn.NothingAtAll());
    EXPECT_EQ(PileNames(match.Position()), std::vector<std::string>{"eso pikové"});
}

TEST_F(TableMatchTest, TheShuffleAfterTurningIsTheRingWalk) {
    WithEmptyStock({"7 srdcová", "8 srdcová", "9 srdcová", "10 srdcová"}, true);
    DrawnCards drawn;
    match.Draw(0, 4, true, drawn);
    // Unshuffled the stock would give the queen, 7, 8, 9; popped top first and walked, reversed.
    EXPECT_EQ(Names(drawn.cards),
              (std::vector<std::string>{"9 srdcová", "8 srdcová", "7 srdcová", "dáma křížová"}));
}

}  // namespace
}  // namespace tarvel::server
