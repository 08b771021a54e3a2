// The verdict of a game played for points, heard whole: the cards left in the Czech form
// their number asks for, each number spoken with its zero, the points, the totals and
// who leads, and the end of the match.
#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

struct Verdict {
    std::string name;
    Texts loserCards;
    bool playerLoses;
    std::int32_t winnerPenalty;
    Texts spoken;
};

class PointsVerdicts : public EngineFixture, public ::testing::WithParamInterface<Verdict> {};

TEST_P(PointsVerdicts, AreHeardInTheirOrder) {
    const Verdict& verdict = GetParam();
    options.playforpoints = true;
    const Texts none;
    if (verdict.playerLoses) {
        Table(verdict.loserCards, none, {"10 srdcová"}, none);
        state.opponentPenalty = verdict.winnerPenalty;
    } else {
        Table(none, verdict.loserCards, {"10 srdcová"}, none);
        state.playerPenalty = verdict.winnerPenalty;
    }
    state.gameNumber = 3;  // the last game: the match ends after the verdict
    if (verdict.playerLoses) {
        engine.OpponentWinsGame();
    } else {
        engine.PlayerWinsGame();
    }
    EXPECT_EQ(screen.spoken, verdict.spoken) << "actual: " << AsList(screen.spoken);
}

const Verdict kVerdicts[] = {
    {"OneCardLeftToThePlayer",
     {"kluk srdcový"},
     true,
     0,
     {"say z|jsem vítěz|1", "say z|zůstala ti|1", "number z|1", "say z|karta|1", "say z|což je|1",
      "say z|jeden bod|1", "say z|Celkem máš|1", "say z|jeden trestný bod|1",
      "say z|já nemám žádný trestný bod|1", "leads z|1,0,3,3", "say z|konec hry|1"}},
    {"FourCardsLeftToThePlayer",
     {"7 kárová", "8 kárová", "9 kárová", "10 kárová"},
     true,
     3,
     {"say z|jsem vítěz|1", "say z|zůstaly ti|1", "number z|4", "say z|karty|1", "say z|což je|1",
      "number z|34", "say z|bodů|1", "say z|Celkem máš|1", "number z|34", "say z|trestných|1", "say z|bodů|1",
      "say z|já mám|1", "number z|3", "say z|trestné|1", "say z|body|1", "leads z|34,3,3,3",
      "say z|konec hry|1"}},
    {"FiveCardsLeftToThePlayer",
     {"7 kárová", "8 kárová", "9 kárová", "10 kárová", "kluk kárový"},
     true,
     1,
     {"say z|jsem vítěz|1", "say z|zůstalo ti|1", "number z|5", "say z|karet|1", "say z|což je|1",
      "number z|35", "say z|bodů|1", "say z|Celkem máš|1", "number z|35", "say z|trestných|1", "say z|bodů|1",
      "say z|já mám|1", "say z|jeden trestný bod|1", "leads z|35,1,3,3", "say z|konec hry|1"}},
    {"TwoCardsLeftToTheComputer",
     {"kluk srdcový", "kluk kárový"},
     false,
     0,
     {"say z|Jsi vítěz|1", "say z|zůstaly mi|1", "number z|2", "say z|karty|1", "say z|což je|1",
      "say z|dva|1", "say z|body|1", "say z|celkem mám|1", "say z|dva|1", "say z|trestné|1", "say z|body|1",
      "say z|ty nemáš žádný trestný bod|1", "leads z|0,2,3,3", "say z|konec hry|1"}},
    {"ThreeCardsLeftToTheComputer",
     {"kluk srdcový", "kluk kárový", "král srdcový"},
     false,
     2,
     {"say z|Jsi vítěz|1", "say z|zůstaly mi|1", "number z|3", "say z|karty|1", "say z|což je|1",
      "number z|4", "say z|body|1", "say z|celkem mám|1", "number z|4", "say z|trestné|1", "say z|body|1",
      "say z|ty máš|1", "say z|dva|1", "say z|trestné|1", "say z|body|1", "leads z|2,4,3,3",
      "say z|konec hry|1"}},
    {"SevenCardsLeftToTheComputer",
     {"7 srdcová", "8 srdcová", "9 srdcová", "kluk srdcový", "král srdcový", "eso srdcové", "dáma srdcová"},
     false,
     5,
     {"say z|Jsi vítěz|1", "say z|zůstalo mi|1", "number z|7", "say z|karet|1", "say z|což je|1",
      "number z|78", "say z|bodů|1", "say z|celkem mám|1", "number z|78", "say z|trestných|1", "say z|bodů|1",
      "say z|ty máš|1", "number z|5", "say z|trestných|1", "say z|bodů|1", "leads z|5,78,3,3",
      "say z|konec hry|1"}},
};

INSTANTIATE_TEST_SUITE_P(EndOfGame, PointsVerdicts, ::testing::ValuesIn(kVerdicts),
                         [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace tarvel::testing
