// The Say menu, the table keys, the pointer and the table's description, over a
// table laid out by hand.
#include <gtest/gtest.h>

#include "client/settings/client_strings.h"
#include "tests/engine/engine_fixture.h"
#include "client/table/say_commands.h"
#include "client/table/table_description.h"
#include "client/table/table_keys.h"
#include "client/table/table_pointer.h"

namespace tarvel::testing {
namespace {

class TableCommands : public EngineFixture {
  public:
    SayCommands say{state, screen};
    PointerHover hover{state, options, screen};
};

TEST_F(TableCommands, EverySayCommandSpeaksItsFactInItsVoice) {
    Table({"8 srdcová", "dáma piková", "eso kárové"}, {"9 kárová", "10 kárová"}, {"9 srdcová"});
    Select(2);
    state.gameNumber = 2;
    state.playerWins = 1;
    state.opponentWins = 3;
    state.playerPenalty = 12;
    state.opponentPenalty = 0;
    const std::pair<std::function<void()>, Texts> commands[] = {
        {[&] { say.SelectedCard(); }, {"start m|dáma piková|11"}},
        {[&] { say.SelectedCardValue(); }, {"number m|20"}},
        {[&] { say.AllCards(); }, {"say m|8 srdcová|11", "say m|dáma piková|11", "say m|eso kárové|11"}},
        {[&] { say.PileCard(); }, {"start z|9 srdcová|11"}},
        {[&] { say.GameNumber(); }, {"number z|2"}},
        {[&] { say.PlayerWins(); }, {"number m|1"}},
        {[&] { say.OpponentWins(); }, {"number z|3"}},
        {[&] { say.PlayerPoints(); }, {"number m|12"}},
        {[&] { say.OpponentPoints(); }, {"number z|0"}},
        {[&] { say.OpponentCardCount(); }, {"number z|2"}},
        {[&] { say.PlayerCardCount(); }, {"number m|3"}},
    };
    for (const auto& [command, said] : commands) {
        screen.Clear();
        command();
        EXPECT_EQ(screen.spoken, said);
    }
}

TEST_F(TableCommands, TheSelectionAndThePileDuringASuitChoice) {
    Table({"8 srdcová"}, {"9 kárová"}, {"9 srdcová", "dáma piková", " kára"});
    say.PileCard();
    // The suit asked for, not the queen.
    EXPECT_EQ(screen.spoken, (Texts{"start z| kára|1"}));

    state.game.suitToName = true;
    state.selectedSuit = rules::kSpades;
    screen.Clear();
    EXPECT_TRUE(say.SelectedCard());
    say.SelectedCardValue();  // nothing during a suit choice
    EXPECT_EQ(screen.spoken, (Texts{"start m| piky|1"}));

    Table({}, {"9 kárová"}, {"9 srdcová"});
    EXPECT_FALSE(say.SelectedCard());
    EXPECT_TRUE(screen.spoken.empty());
}

TEST_F(TableCommands, KeysMoveInTheHandOrTheSuitRowAndPlayOrChoose) {
    Table({"8 srdcová", "9 piková", "dáma křížová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"},
          {"7 křížová", "8 křížová"});
    PressTableKey(TableKey::Last, engine, say);
    PressTableKey(TableKey::Left, engine, say);
    PressTableKey(TableKey::First, engine, say);
    PressTableKey(TableKey::Right, engine, say);
    PressTableKey(TableKey::Up, engine, say);
    PressTableKey(TableKey::Down, engine, say);
    EXPECT_EQ(screen.spoken, (Texts{"start m|dáma křížová|11", "start m|9 piková|11", "start m|8 srdcová|11",
                                    "start m|9 piková|11", "start z|9 srdcová|11", "number z|2"}));
    EXPECT_EQ(state.selected, 2u);

    // Enter lays the queen; in the suit row the keys move over the suits and Space does nothing.
    PressTableKey(TableKey::Right, engine, say);
    PressTableKey(TableKey::Enter, engine, say);
    ASSERT_TRUE(state.SuitChoiceActive());
    screen.Clear();
    PressTableKey(TableKey::Space, engine, say);
    PressTableKey(TableKey::Last, engine, say);
    PressTableKey(TableKey::Left, engine, say);
    EXPECT_EQ(screen.spoken, (Texts{"start m|kříže|1", "start m| piky|1"}));
    EXPECT_EQ(state.PlayerCount(), 2);
    screen.Clear();
    PressTableKey(TableKey::Enter, engine, say);
    EXPECT_FALSE(state.SuitChoiceActive());
    EXPECT_EQ(PileNames().back(), "10 piková");  // the computer follows the spades asked for

    // Nothing happens while no match runs.
    state.running = false;
    screen.Clear();
    for (TableKey key : {TableKey::Up, TableKey::Right, TableKey::Space, TableKey::Enter}) {
        PressTableKey(key, engine, say);
    }
    EXPECT_TRUE(screen.events.empty());
}

TEST_F(TableCommands, TheAreasOfThePointer) {
    Table({"8 srdcová", "9 piková", "dáma křížová"}, {"10 piková"}, {"9 srdcová"});
    const std::tuple<int, int, TableArea> places[] = {
        {20, 230, TableArea::Hand},   {126, 332, TableArea::Hand},  {127, 300, TableArea::None},
        {19, 300, TableArea::None},   {200, 120, TableArea::Stock}, {266, 222, TableArea::Stock},
        {267, 150, TableArea::None},  {400, 120, TableArea::Pile},  {466, 222, TableArea::Pile},
        {320, 130, TableArea::None},  // the suit row only counts during a suit choice
    };
    for (const auto& [x, y, area] : places) EXPECT_EQ(AreaAt(state, x, y), area) << x << "," << y;
    state.game.suitToName = true;
    EXPECT_EQ(AreaAt(state, 300, 120), TableArea::SuitRow);
    EXPECT_EQ(AreaAt(state, 379, 151), TableArea::SuitRow);
    EXPECT_EQ(AreaAt(state, 380, 130), TableArea::None);
    EXPECT_EQ(AreaAt(state, 50, 250), TableArea::None);  // the hand rests during the choice
    // A click far right on the hand takes its last card.
    EXPECT_EQ(HandCardAt(state, 20 * 3 + 60), 3u);
}

TEST_F(TableCommands, RestingNamesEachCardOnceUntilThePointerLeaves) {
    options.saycardsundermouse = true;
    Table({"8 srdcová", "9 piková", "dáma křížová"}, {"10 piková"}, {"9 srdcová"});
    EXPECT_TRUE(hover.MovedTo(45, 250).startTimer);
    hover.Rested();
    hover.MovedTo(50, 260);
    hover.Rested();  // the same card: not again
    hover.MovedTo(420, 150);
    hover.Rested();
    hover.Rested();  // the pile once
    EXPECT_EQ(screen.spoken, (Texts{"say m|9 piková|11", "start z|9 srdcová|11"}));

    // Leaving the areas forgets; coming back names again.
    const PointerHover::Move away = hover.MovedTo(600, 50);
    EXPECT_FALSE(away.startTimer);
    EXPECT_FALSE(away.handShape);
    screen.Clear();
    hover.MovedTo(45, 250);
    hover.Rested();
    hover.MovedTo(420, 150);
    hover.Rested();
    EXPECT_EQ(screen.spoken, (Texts{"say m|9 piková|11", "start z|9 srdcová|11"}));

    // The stock shows the hand shape but names nothing and forgets the hand card.
    const PointerHover::Move stock = hover.MovedTo(210, 130);
    EXPECT_TRUE(stock.handShape);
    EXPECT_FALSE(stock.startTimer);
    EXPECT_EQ(hover.HoverIndex(), 0u);
}

TEST_F(TableCommands, WithoutSayingUnderThePointerNoTimerRuns) {
    Table({"8 srdcová"}, {"10 piková"}, {"9 srdcová"});
    const PointerHover::Move move = hover.MovedTo(30, 250);
    EXPECT_TRUE(move.handShape);
    EXPECT_FALSE(move.startTimer);
}

TEST_F(TableCommands, AClickPlaysTheCardItLandsOn) {
    Table({"8 srdcová", "9 piková", "9 kárová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"},
          {"7 křížová", "8 křížová"});
    ClickTable(20 * 2 + 10, 300, engine, screen);
    EXPECT_EQ(Head(screen.events, 4), (Texts{"Selection", "say m|9 piková|11", "PlayerLaid", "say |vyhození|6"}));
    EXPECT_EQ(rules::CardName(game.pile[1]), "9 piková");

    // Named already under the pointer: laid without naming it again.
    options.saycardsundermouse = true;
    Table({"8 srdcová", "9 piková"}, {"10 piková", "kluk kárový"}, {"9 srdcová"}, {"7 křížová"});
    ClickTable(45, 300, engine, screen);
    EXPECT_EQ(Head(screen.events, 2), (Texts{"Selection", "PlayerLaid"}));

    // The stock draws.
    Table({"8 kárová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"}, {"7 křížová"});
    ClickTable(230, 150, engine, screen);
    EXPECT_EQ(state.PlayerCount(), 2);
}

TEST_F(TableCommands, AClickOutOfTurnSaysOffAndChangesNothing) {
    Table({"8 srdcová", "9 piková"}, {}, {"9 srdcová"});
    engine.Net().active = true;
    state.game.toMove = kOpponentSeat;
    ClickTable(45, 300, engine, screen);
    EXPECT_EQ(screen.events, (Texts{"start |off|1"}));
    EXPECT_EQ(state.PlayerCount(), 2);
    EXPECT_EQ(state.selected, 1u);
}

TEST_F(TableCommands, AClickInTheSuitRowTakesThatSuit) {
    Table({"8 srdcová", "dáma piková"}, {"10 kárová", "kluk kárový"}, {"9 srdcová"}, {"7 křížová"});
    Play("dáma piková");
    screen.Clear();
    ClickTable(380, 130, engine, screen);  // just right of the row: nothing
    EXPECT_TRUE(screen.events.empty());
    ClickTable(325, 130, engine, screen);
    EXPECT_EQ(Head(screen.events, 2), (Texts{"say m| kára|1", "SuitChoiceClosed"}));
    EXPECT_EQ(rules::SuitOf(game.Top()), rules::kDiamonds);  // the computer follows the diamonds asked for
}

TEST_F(TableCommands, TheTableIsToldInOneLineInEitherLanguage) {
    Localizer texts(ClientStrings());
    Table({"8 srdcová", "dáma piková", "eso kárové"}, {"9 kárová", "10 kárová"},
          {"9 srdcová", "dáma piková", " kára"});
    Select(2);
    EXPECT_EQ(DescribeTable(state, texts),
              "Vybraná karta: dáma piková, 2 z 3. Na hromádce: dáma piková, platí kára. Moje karty: 2.");
    texts.SetLanguageBase(kEnglishLanguageBase);
    state.game.suitToName = true;
    state.selectedSuit = rules::kClubs;
    EXPECT_EQ(DescribeTable(state, texts), "Selected suit: kříže. On the pile: dáma piková, asked for kára. My cards: 2.");
    state.running = false;
    EXPECT_EQ(DescribeTable(state, texts), "No game is running.");
}

}  // namespace
}  // namespace tarvel::testing
