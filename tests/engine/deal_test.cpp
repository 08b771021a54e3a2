#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "table_layout.h"

namespace tarvel::testing {
namespace {

using DealTest = EngineFixture;

TEST_F(DealTest, NewMatchFromTheMenuResetsTalliesDealsInBlocksAndAnnouncesTheStart) {
    options.dealtcards = 10;
    state.PlayerWins = 2;
    state.OpponentPenalty = 30;
    state.GameNumber = 3;
    engine.Novhra1Click(true);

    EXPECT_EQ(state.PlayerWins + state.OpponentWins, 0);
    EXPECT_EQ(state.OpponentPenalty, 0);
    EXPECT_EQ(state.GameNumber, 1);
    EXPECT_TRUE(state.GameRunning);
    EXPECT_EQ(screen.panels[0], "Tvoje výhry");
    EXPECT_EQ(screen.panels[9], "1");
    EXPECT_FALSE(screen.menu[MenuItem::Nastavenhry1]);
    EXPECT_TRUE(screen.menu[MenuItem::Ukonenhry1]);
    EXPECT_TRUE(screen.menu[MenuItem::ekni1]);

    // The start card is spoken first, by the opponent, as a card name; then who begins.
    ASSERT_GE(screen.spoken.size(), 2u);
    EXPECT_TRUE(screen.spoken.front().starts_with("say z|")) << screen.spoken.front();
    EXPECT_TRUE(screen.spoken.front().ends_with("|11")) << screen.spoken.front();
    const auto texts = screen.Texts();
    const bool playerBegins = state.LastStarter == 1;
    const auto begins = std::find(texts.begin(), texts.end(), playerBegins ? "Začínáš" : "Začínám");
    ASSERT_NE(begins, texts.end());
    EXPECT_LE(begins - texts.begin(), 3);  // after the start card, and "Platí" and a suit for a queen
    if (playerBegins) {
        // Nothing is played yet: all 32 cards are where the deal put them.
        EXPECT_EQ(screen.labels.front(), "Začínáš");
        EXPECT_EQ(state.PlayerHand.Size(), 10u);
        EXPECT_EQ(state.OpponentHand.Size(), 10u);
        EXPECT_EQ(state.Stock.Size(), 11u);
        EXPECT_EQ(state.SelectedIndex, 1u);
    }
    EXPECT_TRUE(state.PlayerTurn);
}

TEST_F(DealTest, TheBeginnerAlternatesAndTheNextGameKeepsTheTallies) {
    engine.Novhra1Click(true);
    const bool firstPlayerTurn = state.LastStarter == 1;
    state.PlayerWins = 1;
    state.GameNumber = 2;
    engine.Novhra1Click(false);
    EXPECT_EQ(state.LastStarter == 1, !firstPlayerTurn);
    EXPECT_EQ(state.PlayerWins, 1);
    EXPECT_EQ(state.GameNumber, 2);
}

TEST_F(DealTest, TheStartCardHasNoEffect) {
    // Whatever is turned up, the player who begins owes no draw and no stand.
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        StandardRandom seeded(seed);
        Engine game(screen, net, seeded);
        game.State().LastStarter = 0;  // the player begins the next game
        game.Novhra1Click(false);
        ASSERT_TRUE(game.State().PlayerTurn);
        EXPECT_FALSE(game.State().AcePending);
        EXPECT_EQ(game.State().PendingDraw, 0);
    }
}

TEST_F(DealTest, AStartQueenHoldsItsOwnSuit) {
    for (std::uint64_t seed = 1; seed < 500; ++seed) {
        StandardRandom seeded(seed);
        Engine game(screen, net, seeded);
        screen.Clear();
        game.BuildDeck();
        game.ShuffleAndDeal();
        const auto pile = Names(game.State().Pile);
        if (!IsQueen(pile.front())) continue;

        const std::string marker(MarkerOfSuitKey(SuitPart(pile.front())));
        EXPECT_EQ(pile, (std::vector<std::string>{pile.front(), marker}));
        EXPECT_EQ(game.State().Pile.Top().Picture, FindCard(pile.front())->Picture);
        EXPECT_TRUE(game.State().RequestedSuitShown);
        EXPECT_EQ(screen.spoken,
                  (Texts{"say z|" + pile.front() + "|11", "say z|Platí|1", "say z|" + marker + "|1"}));
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
    EXPECT_EQ(state.SelectedIndex, 5u);

    screen.Clear();
    engine.SelectFirstCard();
    engine.SelectLeft();
    EXPECT_EQ(screen.spoken, (Texts{"start m|7 srdcová|11", "say |okraj|1", "start m|7 srdcová|11"}));

    screen.Clear();
    engine.SelectRight();
    engine.SelectLastCard();
    EXPECT_EQ(screen.spoken, (Texts{"start m|8 srdcová|11", "start m|kluk srdcový|11"}));
    EXPECT_EQ(state.MarkerX, 105);

    Table({}, {"eso pikové"}, {"7 kárová"});
    engine.SelectLeft();
    engine.SelectFirstCard();
    EXPECT_EQ(screen.spoken, (Texts{"say |okraj|1", "say |okraj|1"}));
}

TEST_F(DealTest, SuitRowSelectionWalksTheFourSuits) {
    Table({"7 srdcová", "dáma piková"}, {"eso pikové"}, {"7 piková"});
    Play("dáma piková");
    ASSERT_TRUE(state.SuitChoiceActive);
    screen.Clear();
    engine.SelectSuitLeft();
    engine.SelectSuitRight();
    engine.SelectLastSuit();
    engine.SelectSuitRight();
    EXPECT_EQ(screen.spoken, (Texts{"say |okraj|1", "start m| srdce|1", "start m| kára|1", "start m|kříže|1",
                                    "say |okraj|1", "start m| kříže|1"}));
    EXPECT_EQ(layout::SuitAtX(state.MarkerX), " kříže");
    EXPECT_EQ(layout::SuitAtX(299), "");
    EXPECT_EQ(layout::SuitAtX(380), "");
}

}  // namespace
}  // namespace tarvel::testing
