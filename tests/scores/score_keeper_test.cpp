#include "session/scores/score_keeper.h"

#include <gtest/gtest.h>

#include "session/texts/client_strings.h"
#include "tests/scores/score_test_support.h"
#include "session/scores/score_view.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using testing::Entry;
using testing::RecordingSpeech;
using testing::ScoreFolder;

const Localizer kCzech(ClientStrings(), kCzechLanguageBase);
constexpr double kEvening = 46362.87986111111;  // 6. 12. 2026 21:07

// Places 1..10 with scores 20, 18, ..., 2.
ScoreTable TableOfTwenty() {
    ScoreTable table;
    for (int i = 0; i < kTablePlaces; ++i) table[i] = Entry("p" + std::to_string(i + 1), 20 - 2 * i, 46000.5);
    return table;
}

// The player's and the opponent's penalty points give the score; a match of three games at its second.
MatchStanding Standing(std::int32_t player, std::int32_t opponent, std::uint8_t games = 3, std::uint16_t game = 2) {
    return MatchStanding{player, opponent, games, game};
}

class ScoreKeeperTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_.Put(ScoreTableBytes(TableOfTwenty())); }

    ScoreFolder folder_;
    ScoreKeeper keeper_{folder_.File()};
    RecordingSpeech speech_;
};

TEST_F(ScoreKeeperTest, AQualifyingResultShowsItsPlaceAndPlaysTheFanfare) {
    const ScoreTableOutcome outcome = keeper_.ScoreTableStep(true, Standing(2, 19), kEvening, speech_, kCzech);
    ASSERT_TRUE(outcome.view);
    EXPECT_FALSE(outcome.error);
    EXPECT_EQ(keeper_.FoundPlace(), 3);  // 17 goes below 20 and 18
    EXPECT_EQ(keeper_.Pending().score, 17);
    EXPECT_EQ(keeper_.Pending().moment, kEvening);

    std::vector<std::string> lines = TableLines(TableOfTwenty(), kCzech);
    lines.push_back("");
    lines.push_back("17 bodů stačí na 3. místo v tabulce.");
    EXPECT_EQ(outcome.view->lines, lines);
    EXPECT_EQ(outcome.view->buttons, (ScoreTableButtons{true, true, false}));
    EXPECT_EQ(speech_.said, std::vector<std::string>{"|tab|1"});

    ScoreKeeper champion(folder_.File());
    RecordingSpeech speech;
    EXPECT_TRUE(champion.ScoreTableStep(true, Standing(0, 21), kEvening, speech, kCzech).view);
    EXPECT_EQ(speech.said, std::vector<std::string>{"|champion|1"});
}

TEST_F(ScoreKeeperTest, NoPlaceNoDialogAndNothingHeard) {
    for (const MatchStanding& standing : {Standing(10, 12), Standing(9, 0)}) {  // 2 equals place 10
        const ScoreTableOutcome outcome = keeper_.ScoreTableStep(true, standing, kEvening, speech_, kCzech);
        EXPECT_FALSE(outcome.view);
        EXPECT_FALSE(outcome.error);
        EXPECT_EQ(keeper_.FoundPlace(), 0);
    }
    EXPECT_TRUE(speech_.said.empty());
}

TEST_F(ScoreKeeperTest, WithTheTableNotInUseNothingHappensAtAll) {
    fs::remove(folder_.File());
    const ScoreTableOutcome outcome = keeper_.ScoreTableStep(false, Standing(0, 50), kEvening, speech_, kCzech);
    EXPECT_FALSE(outcome.view);
    EXPECT_FALSE(outcome.error);
    EXPECT_TRUE(speech_.said.empty());
    EXPECT_FALSE(fs::exists(folder_.File()));
    // The menu still shows the table, creating the missing file.
    const ScoreTableOutcome shown = keeper_.ShowTable(kCzech);
    ASSERT_TRUE(shown.view);
    EXPECT_EQ(shown.view->lines, TableLines(StartingScoreTable(), kCzech));
    EXPECT_EQ(shown.view->buttons, kCloseOnlyButtons);
}

TEST_F(ScoreKeeperTest, WritingPutsTheNamedResultInItsPlace) {
    ASSERT_TRUE(keeper_.ScoreTableStep(true, Standing(2, 19), kEvening, speech_, kCzech).view);
    const ScoreTableOutcome written = keeper_.WritePendingResult("Jiří", kCzech);
    ASSERT_TRUE(written.view);
    EXPECT_FALSE(written.error);

    ScoreTable expected = TableOfTwenty();
    StoreScoreEntry(expected, 3, Entry("Jiří", 17, kEvening));
    EXPECT_EQ(folder_.Bytes(), ScoreTableBytes(expected));
    EXPECT_EQ(written.view->lines, TableLines(expected, kCzech));  // no qualification line any more
    EXPECT_EQ(written.view->lines[3], "3.   Jiří                          17    6. 12. 2026     21:07");
    EXPECT_EQ(written.view->buttons, kCloseOnlyButtons);
    EXPECT_EQ(keeper_.FoundPlace(), 0);

    // A second press cannot write the same result twice.
    EXPECT_TRUE(keeper_.WritePendingResult("Jiří", kCzech).view);
    EXPECT_EQ(folder_.Bytes(), ScoreTableBytes(expected));
}

TEST_F(ScoreKeeperTest, AResultWrittenMeanwhileByAnotherClientIsKept) {
    ASSERT_TRUE(keeper_.ScoreTableStep(true, Standing(2, 19), kEvening, speech_, kCzech).view);
    ScoreTable meanwhile = TableOfTwenty();
    StoreScoreEntry(meanwhile, 1, Entry("other", 30));
    folder_.Put(ScoreTableBytes(meanwhile));

    ASSERT_TRUE(keeper_.WritePendingResult("Eva", kCzech).view);
    StoreScoreEntry(meanwhile, 4, Entry("Eva", 17, kEvening));
    EXPECT_EQ(folder_.Bytes(), ScoreTableBytes(meanwhile));
}

TEST_F(ScoreKeeperTest, AFailedWriteChangesNothingAndCanBeTriedAgain) {
    ASSERT_TRUE(keeper_.ScoreTableStep(true, Standing(2, 19), kEvening, speech_, kCzech).view);
    const std::string before = folder_.Bytes();
    fs::permissions(folder_.File(), fs::perms::owner_read);
    const ScoreTableOutcome failed = keeper_.WritePendingResult("Eva", kCzech);
    EXPECT_FALSE(failed.view);
    ASSERT_TRUE(failed.error);
    EXPECT_EQ(failed.error->kind, ScoreFileError::Kind::Unwritable);
    EXPECT_EQ(folder_.Bytes(), before);
    EXPECT_EQ(keeper_.FoundPlace(), 3);

    fs::permissions(folder_.File(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(keeper_.WritePendingResult("Eva", kCzech).view);
    EXPECT_NE(folder_.Bytes(), before);
}

TEST_F(ScoreKeeperTest, ADamagedFileAbandonsTheStepAndStaysAsItWas) {
    folder_.Put("only a few bytes");
    const ScoreTableOutcome outcome = keeper_.ScoreTableStep(true, Standing(0, 50), kEvening, speech_, kCzech);
    EXPECT_FALSE(outcome.view);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->kind, ScoreFileError::Kind::TooShort);
    EXPECT_TRUE(speech_.said.empty());
    EXPECT_EQ(keeper_.ShowTable(kCzech).error->kind, ScoreFileError::Kind::TooShort);
    EXPECT_EQ(folder_.Bytes(), "only a few bytes");
}

TEST(ScoreTableButtonsTest, ByTheStateOfTheMatch) {
    struct Case {
        std::uint8_t games;
        std::uint16_t game;
        ScoreTableButtons buttons;
    };
    const Case cases[] = {
        {3, 1, {true, true, false}},  {3, 2, {true, true, false}},  // the match goes on
        {3, 3, {true, false, true}},                                 // its last game
        {0, 4, {true, true, false}},                                 // an unlimited match under way
        {0, 0, {true, false, true}},                                 // an unlimited match ended
        {1, 1, {true, false, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EndOfGameButtons(c.games, c.game), c.buttons) << int{c.games} << " " << c.game;
    }
}

}  // namespace
}  // namespace tarvel
