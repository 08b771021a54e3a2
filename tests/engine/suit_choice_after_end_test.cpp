// Found by the self-play soak: the end command given while the player chooses the
// suit after a queen left the suit keys alive, so a suit chosen after the match had
// ended laid a marker and gave the computer a move in a finished match.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

class SuitChoiceAfterEnd : public EngineFixture {};

TEST_F(SuitChoiceAfterEnd, ChoosingASuitAfterTheEndCommandDoesNothing) {
    options.numberofgames = 0;
    Table({"dáma piková", "8 piková"}, {"8 srdcová", "král pikový"}, {"dáma kárová", " kára", "8 kárová"},
          {"10 srdcová"});
    Play("dáma piková");
    ASSERT_TRUE(state.SuitChoiceActive());
    screen.Clear();
    engine.EndMatchCommand();
    ASSERT_FALSE(state.running);
    EXPECT_FALSE(state.SuitChoiceActive());
    // The suit row goes with the match.
    EXPECT_EVENTS(screen, {"say z|konec hry|1", "SuitChoiceClosed", "MatchEnded"});
    screen.Clear();

    engine.PlayerChoosesSuit(rules::kHearts);

    EXPECT_EQ(PileNames(), (Texts{"dáma kárová", "8 kárová", "dáma piková"}));
    EXPECT_EQ(Names(state.opponentHand), (Texts{"8 srdcová", "král pikový"}));
    EXPECT_TRUE(screen.spoken.empty());
}

}  // namespace
}  // namespace tarvel::testing
