#include "session/scores/score_view.h"

#include <gtest/gtest.h>

#include "session/texts/client_strings.h"
#include "session/scores/score_moment.h"
#include "tests/scores/score_test_support.h"

namespace tarvel {
namespace {

using testing::Entry;

const Localizer kCzech(ClientStrings(), kCzechLanguageBase);
const Localizer kEnglish(ClientStrings(), kEnglishLanguageBase);

TEST(ScoreViewTest, HeaderColumnsInBothLanguages) {
    EXPECT_EQ(TableHeaderLine(kCzech), "Poz. Jméno                         Body  Datum           Čas");
    EXPECT_EQ(TableHeaderLine(kEnglish), "Pos. Name                          PointsDate            Time");
}

TEST(ScoreViewTest, RowsLineUpWithTheHeader) {
    const double evening = MomentFromLocalTime({2026, 12, 6, 21, 7, 0});
    EXPECT_EQ(TableRowLine(3, Entry("hrac1", 12, evening)),
              "3.   hrac1                         12    6. 12. 2026     21:07");
    // Padding counts characters, not bytes; a twenty-character name is shown whole.
    EXPECT_EQ(TableRowLine(10, Entry("Čestmír Řeháček-Žďár", -5, MomentFromLocalTime({2026, 1, 2, 8, 3, 0}))),
              "10.  Čestmír Řeháček-Žďár          -5    2. 1. 2026      08:03");
    EXPECT_EQ(TableRowLine(1, ScoreEntry{}), "1.                                 0     30. 12. 1899    00:00");
    // What is wider than its column pushes the rest on rather than being cut.
    EXPECT_EQ(TableRowLine(2, Entry("x", -1234567, 46000.5)),
              "2.   x                             -12345679. 12. 2025     12:00");
}

TEST(ScoreViewTest, TheViewIsTheHeaderAndTenRows) {
    ScoreTable table = StartingScoreTable();
    table[0] = Entry("Eva", 8, 46000.5);
    const std::vector<std::string> lines = TableLines(table, kEnglish);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], TableHeaderLine(kEnglish));
    EXPECT_EQ(lines[1], "1.   Eva                           8     9. 12. 2025     12:00");
    EXPECT_EQ(lines[10], "10.                                0     30. 12. 1899    00:00");
}

TEST(ScoreViewTest, TheQualificationLineAgreesWithTheScore) {
    struct Case {
        std::int32_t score;
        int place;
        const char* czech;
        const char* english;
    };
    const Case cases[] = {
        {1, 1, "1 bod stačí na 1. místo v tabulce.", "1 point is enough for 1. position in the table."},
        {2, 5, "2 body stačí na 5. místo v tabulce.", "2 points is enough for 5. position in the table."},
        {4, 2, "4 body stačí na 2. místo v tabulce.", "4 points is enough for 2. position in the table."},
        {12, 3, "12 bodů stačí na 3. místo v tabulce.", "12 points is enough for 3. position in the table."},
        {0, 10, "0 bodů stačí na 10. místo v tabulce.", "0 points is enough for 10. position in the table."},
        {-2, 9, "-2 bodů stačí na 9. místo v tabulce.", "-2 points is enough for 9. position in the table."},
        {-1, 9, "-1 bodů stačí na 9. místo v tabulce.", "-1 points is enough for 9. position in the table."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QualificationLine(c.score, c.place, kCzech), c.czech);
        EXPECT_EQ(QualificationLine(c.score, c.place, kEnglish), c.english);
    }
}

}  // namespace
}  // namespace tarvel
