#include "session/scores/score_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "session/scores/score_file_message.h"
#include "tests/scores/score_test_support.h"
#include "common/string_table.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using testing::Entry;
using testing::ScoreFolder;
using Kind = ScoreFileError::Kind;

ScoreTable AFullTable() {
    ScoreTable table;
    for (int i = 0; i < kTablePlaces; ++i) table[i] = Entry("hrac" + std::to_string(i), 50 - 5 * i, 46000.5 + i);
    return table;
}

TEST(ScoreFileTest, AMissingFileIsCreatedWithTheStartingTable) {
    ScoreFolder folder;
    const ScoreTableRead read = ReadScoreTable(folder.File());
    ASSERT_TRUE(read.table);
    EXPECT_FALSE(read.error);
    EXPECT_EQ(*read.table, StartingScoreTable());
    EXPECT_EQ(folder.Bytes(), std::string(320, '\0'));
    EXPECT_EQ(folder.Entries(), 1u);
}

TEST(ScoreFileTest, SetUpNeverTouchesAFileThatIsThere) {
    ScoreFolder folder;
    for (const std::string& held : {ScoreTableBytes(AFullTable()), std::string("short"), std::string()}) {
        folder.Put(held);
        EXPECT_FALSE(CreateScoreTableIfMissing(folder.File()));
        EXPECT_EQ(folder.Bytes(), held);
    }
    fs::remove(folder.File());
    EXPECT_FALSE(CreateScoreTableIfMissing(folder.File()));
    EXPECT_EQ(folder.Bytes(), std::string(320, '\0'));
}

TEST(ScoreFileTest, WritesExactlyTenEntriesAndReadsThemBack) {
    ScoreFolder folder;
    folder.Put(ScoreTableBytes(StartingScoreTable()) + "a longer file from elsewhere");
    const ScoreTable table = AFullTable();
    EXPECT_FALSE(WriteScoreTable(folder.File(), table));
    EXPECT_EQ(folder.Bytes(), ScoreTableBytes(table));
    EXPECT_EQ(ReadScoreTable(folder.File()).table, table);
}

// Bytes the game never writes: shown as they stand they would be names of garbage and
// scores of ten digits dated 30. 12. 1899. Each is reported with the first place at
// fault, and the file stays exactly as it was.
TEST(ScoreFileTest, BytesThatCannotBeATableOfResultsAreReportedAndLeftAsTheyWere) {
    struct Case {
        const char* what;
        std::string bytes;
        Kind kind;
        std::uintmax_t size;
        int place;
    };
    ScoreTable raised = AFullTable();
    raised[4].score = 51;  // above place 1's 50
    ScoreTable tied = AFullTable();
    tied[3].score = tied[2].score;  // equal scores are a table the game writes
    ScoreTable noDate = AFullTable();
    noDate[6].moment = 1e12;  // far beyond the year 9999
    ScoreTable notANumber = AFullTable();
    notANumber[0].moment = std::numeric_limits<double>::quiet_NaN();
    const std::string full = ScoreTableBytes(AFullTable());
    const std::vector<Case> cases = {
        {"a score above the place before it", ScoreTableBytes(raised), Kind::OutOfOrder, 0, 5},
        {"a moment that is no date", ScoreTableBytes(noDate), Kind::NoDate, 0, 7},
        {"a moment that is no number", ScoreTableBytes(notANumber), Kind::NoDate, 0, 1},
        {"bytes of something else", std::string(320, '\x7F'), Kind::NoDate, 0, 1},
        {"one byte more", full + "x", Kind::TooLong, 321, 0},
        {"more than ten records", full + std::string(1000, 'x'), Kind::TooLong, 1320, 0},
    };
    ScoreFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Put(c.bytes);
        const ScoreTableRead read = ReadScoreTable(folder.File());
        EXPECT_FALSE(read.table);
        ASSERT_TRUE(read.error);
        EXPECT_EQ(read.error->kind, c.kind);
        EXPECT_EQ(read.error->size, c.size);
        EXPECT_EQ(read.error->place, c.place);
        EXPECT_EQ(folder.Bytes(), c.bytes);
    }
    folder.Put(ScoreTableBytes(tied));
    EXPECT_EQ(ReadScoreTable(folder.File()).table, tied);

    EXPECT_EQ(ScoreFileMessage({Kind::TooLong, "tarvel.tab", 321, {}}, kEnglishLanguageBase),
              "The table of best results tarvel.tab is damaged: it holds 321 bytes, ten results take exactly "
              "320. The file has been left as it was.");
    EXPECT_EQ(ScoreFileMessage({Kind::TooLong, "tarvel.tab", 322, {}}, kCzechLanguageBase),
              "Tabulka nejlepších výsledků tarvel.tab je poškozená: má 322 bajtů, deset výsledků má právě 320. "
              "Soubor zůstal, jak byl.");
    EXPECT_EQ(ScoreFileMessage({Kind::OutOfOrder, "tarvel.tab", 0, {}, 5}, kEnglishLanguageBase),
              "The table of best results tarvel.tab is damaged: the result in place 5 is higher than the one "
              "above it. The file has been left as it was.");
    EXPECT_EQ(ScoreFileMessage({Kind::NoDate, "tarvel.tab", 0, {}, 7}, kCzechLanguageBase),
              "Tabulka nejlepších výsledků tarvel.tab je poškozená: výsledek na 7. místě nemá platné datum. "
              "Soubor zůstal, jak byl.");
}

TEST(ScoreFileTest, AShortFileIsReportedAndLeftAsItWas) {
    ScoreFolder folder;
    const std::string damaged = ScoreTableBytes(AFullTable()).substr(0, 319);
    folder.Put(damaged);
    const ScoreTableRead read = ReadScoreTable(folder.File());
    EXPECT_FALSE(read.table);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->kind, Kind::TooShort);
    EXPECT_EQ(read.error->size, 319u);
    EXPECT_EQ(folder.Bytes(), damaged);

    const ScoreFileError error{Kind::TooShort, "tarvel.tab", 17, {}};
    EXPECT_EQ(ScoreFileMessage(error, kEnglishLanguageBase),
              "The table of best results tarvel.tab is damaged: it holds 17 bytes, ten results need 320. "
              "The file has been left as it was.");
    EXPECT_EQ(ScoreFileMessage(error, kCzechLanguageBase),
              "Tabulka nejlepších výsledků tarvel.tab je poškozená: má 17 bajtů, deset výsledků potřebuje 320. "
              "Soubor zůstal, jak byl.");
    folder.Put("");
    EXPECT_EQ(ReadScoreTable(folder.File()).error->size, 0u);
}

TEST(ScoreFileTest, WhatIsNotAFileIsNotOpened) {
    ScoreFolder folder;
    fs::create_directory(folder.File());
    const ScoreTableRead read = ReadScoreTable(folder.File());
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->kind, Kind::NotAFile);
    EXPECT_EQ(ScoreFileMessage(*read.error, kEnglishLanguageBase),
              "The table of best results " + folder.File().string() + " cannot be read: it is not a file.");
    EXPECT_TRUE(fs::is_directory(folder.File()));
}

TEST(ScoreFileTest, AFailedWriteKeepsTheOldTable) {
    ScoreFolder folder;
    const std::string old = ScoreTableBytes(AFullTable());
    folder.Put(old);
    fs::permissions(folder.File(), fs::perms::owner_read);  // refused even to root
    const auto failed = WriteScoreTable(folder.File(), StartingScoreTable());
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->kind, Kind::Unwritable);
    EXPECT_EQ(folder.Bytes(), old);
    EXPECT_EQ(folder.Entries(), 1u);
    EXPECT_EQ(ScoreFileMessage(*failed, kEnglishLanguageBase),
              "The table of best results " + folder.File().string() +
                  " could not be written: Permission denied. The table stays as it was.");
    EXPECT_EQ(ScoreFileMessage(*failed, kCzechLanguageBase),
              "Tabulku nejlepších výsledků " + folder.File().string() +
                  " se nepodařilo zapsat: Permission denied. Tabulka zůstala, jak byla.");
}

TEST(ScoreFileTest, AFileThatCannotBeCreatedIsReported) {
    ScoreFolder folder;
    folder.Put("a file where a folder should be");
    const fs::path inside = folder.File() / "tarvel.tab";
    const ScoreTableRead read = ReadScoreTable(inside);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->kind, Kind::CannotCreate);
    EXPECT_EQ(ScoreFileMessage(*read.error, kEnglishLanguageBase),
              "The table of best results " + inside.string() + " does not exist and could not be created: " +
                  std::make_error_code(std::errc::not_a_directory).message() + ".");
}

TEST(ScoreFileTest, MessagesCountBytesInBothLanguages) {
    const std::pair<std::uintmax_t, const char*> czech[] = {{1, "má 1 bajt,"}, {3, "má 3 bajty,"}, {5, "má 5 bajtů,"}};
    for (const auto& [size, words] : czech) {
        const std::string message = ScoreFileMessage({Kind::TooShort, "t", size, {}}, kCzechLanguageBase);
        EXPECT_NE(message.find(words), std::string::npos) << message;
    }
    EXPECT_NE(ScoreFileMessage({Kind::TooShort, "t", 1, {}}, kEnglishLanguageBase).find("holds 1 byte,"),
              std::string::npos);
}

}  // namespace
}  // namespace tarvel
