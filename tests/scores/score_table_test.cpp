#include "session/scores/score_table.h"

#include <gtest/gtest.h>

#include "tests/scores/score_test_support.h"

namespace tarvel {
namespace {

using testing::Entry;

ScoreTable TableOfScores(const std::array<std::int32_t, kTablePlaces>& scores) {
    ScoreTable table;
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = Entry("p" + std::to_string(i + 1), scores[i]);
    return table;
}

std::array<std::string, kTablePlaces> Names(const ScoreTable& table) {
    std::array<std::string, kTablePlaces> names;
    for (std::size_t i = 0; i < table.size(); ++i) names[i] = TableNameText(table[i].name);
    return names;
}

TEST(ScoreTableTest, ANewScoreGoesBelowEveryEqualOne) {
    const ScoreTable table = TableOfScores({30, 25, 20, 15, 15, 10, 5, 0, -3, -3});
    const std::pair<std::int32_t, int> cases[] = {
        {31, 1}, {30, 2},  // equal to place 1 goes below it
        {21, 3}, {20, 4},  // equal to place 3 and above place 4 takes place 4
        {15, 6}, {1, 8},  {0, 9}, {-2, 9},
        {-3, 0},  // equal to place 10 does not qualify
        {-4, 0},
    };
    for (const auto& [score, place] : cases) EXPECT_EQ(FindTablePlace(table, score), place) << score;
    EXPECT_EQ(FindTablePlace(StartingScoreTable(), 0), 0);
    EXPECT_EQ(FindTablePlace(StartingScoreTable(), 1), 1);
    EXPECT_EQ(FindTablePlace(StartingScoreTable(), -1), 0);
}

TEST(ScoreTableTest, StoringMovesThePlacesBelowDownAndLosesTheTenth) {
    const ScoreTable before = TableOfScores({30, 25, 20, 15, 15, 10, 5, 0, -3, -3});

    ScoreTable atFirst = before;
    ASSERT_TRUE(StoreScoreEntry(atFirst, 1, Entry("new", 40)));
    EXPECT_EQ(Names(atFirst), (std::array<std::string, 10>{"new", "p1", "p2", "p3", "p4", "p5", "p6", "p7",
                                                             "p8", "p9"}));

    ScoreTable atTenth = before;
    ASSERT_TRUE(StoreScoreEntry(atTenth, 10, Entry("new", -2)));
    EXPECT_EQ(Names(atTenth), (std::array<std::string, 10>{"p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8",
                                                             "p9", "new"}));

    ScoreTable atFourth = before;
    ASSERT_TRUE(StoreScoreEntry(atFourth, 4, Entry("new", 20)));
    EXPECT_EQ(Names(atFourth), (std::array<std::string, 10>{"p1", "p2", "p3", "new", "p4", "p5", "p6", "p7",
                                                              "p8", "p9"}));
    EXPECT_EQ(atFourth[3].score, 20);

    for (int outside : {0, 11, -1}) {
        ScoreTable table = before;
        EXPECT_FALSE(StoreScoreEntry(table, outside, Entry("new", 99)));
        EXPECT_EQ(table, before);
    }
}

TEST(ScoreTableTest, TheFileIsTheTenEntriesAndNothingElse) {
    const ScoreTable table = TableOfScores({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    const std::string bytes = ScoreTableBytes(table);
    ASSERT_EQ(bytes.size(), 320u);
    EXPECT_EQ(bytes.substr(32, 32), ScoreEntryBytes(table[1]));
    EXPECT_EQ(ScoreTableFromBytes(bytes), table);
    EXPECT_EQ(ScoreTableFromBytes(bytes + "more after the tenth"), table);
    EXPECT_EQ(ScoreTableFromBytes(bytes.substr(0, 319)), std::nullopt);
    EXPECT_EQ(ScoreTableFromBytes(""), std::nullopt);
    EXPECT_EQ(ScoreTableBytes(StartingScoreTable()), std::string(320, '\0'));
}

}  // namespace
}  // namespace tarvel
