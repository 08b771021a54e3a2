// The pointer over the table: the areas it acts on and what resting on a card names.
#include <gtest/gtest.h>

#include "client/table/table_pointer.h"
#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class TablePointer : public EngineFixture {
  public:
    PointerHover hover{state, options, screen};
};

TEST_F(TablePointer, TheAreasOfThePointer) {
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

TEST_F(TablePointer, RestingNamesEachCardOnceUntilThePointerLeaves) {
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

TEST_F(TablePointer, WithoutSayingUnderThePointerNoTimerRuns) {
    Table({"8 srdcová"}, {"10 piková"}, {"9 srdcová"});
    const PointerHover::Move move = hover.MovedTo(30, 250);
    EXPECT_TRUE(move.handShape);
    EXPECT_FALSE(move.startTimer);
}

}  // namespace
}  // namespace tarvel::testing
