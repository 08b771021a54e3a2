#include "session/scores/score_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "tests/scores/score_test_support.h"

namespace tarvel {
namespace {

using testing::Entry;
using testing::HexBytes;

TEST(ScoreEntryTest, TheThirtyTwoBytesOfKnownEntries) {
    struct Case {
        ScoreEntry entry;
        std::string bytes;
    };
    const std::string seventeenZeros(17, '\0');
    const Case cases[] = {
        // abc moved down by seven, zero padded; 1 234 567; 9 December 2025 12:00.
        {Entry("abc", 1234567, 46000.5),
         HexBytes("5a 5b 5c") + seventeenZeros + HexBytes("87 d6 12 00  00 00 00 00 10 76 e6 40")},
        {Entry("abc", -7, 0.0), HexBytes("5a 5b 5c") + seventeenZeros + HexBytes("f9 ff ff ff") + std::string(8, '\0')},
        {Entry("", 0, 0.0), std::string(32, '\0')},
        // Twenty characters fill the field: no terminating zero.
        {Entry("ABCDEFGHIJKLMNOPQRST", std::numeric_limits<std::int32_t>::min(), -1.25),
         HexBytes("3a 3b 3c 3d 3e 3f 40 41 42 43 44 45 46 47 48 49 4a 4b 4c 4d  00 00 00 80  00 00 00 00 00 00 f4 bf")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScoreEntryBytes(c.entry), c.bytes);
        EXPECT_EQ(ScoreEntryFromBytes(c.bytes), c.entry);
    }
}

TEST(ScoreEntryTest, NamesAreCutToTwentyAndReadUpToTheFirstZero) {
    EXPECT_EQ(TableNameText(TableNameFromText("ABCDEFGHIJKLMNOPQRSTUV")), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(TableNameText(TableNameFromText("hrac1")), "hrac1");
    const StoredTableName fiveLetters = TableNameFromText("Karel");
    EXPECT_EQ(std::count(fiveLetters.begin(), fiveLetters.end(), 0), 15);

    StoredTableName stored = EncodeTableName("ab");
    stored[3] = 0x5A;  // a stray byte after the zero is not part of the name
    EXPECT_EQ(DecodeTableName(stored), "ab");
}

TEST(ScoreEntryTest, CzechNamesTravelAsWindows1250) {
    const StoredTableName stored = TableNameFromText("Jiří Čermák");
    EXPECT_EQ(stored[2], 0xF8 - 7);  // ř is 0xF8 in the code page
    EXPECT_EQ(stored[5], 0xC8 - 7);  // Č
    EXPECT_EQ(TableNameText(stored), "Jiří Čermák");
    EXPECT_EQ(TableNameText(TableNameFromText("日本")), "??");
}

TEST(ScoreEntryTest, EveryByteOfANameSurvivesExceptTheControlCharacters) {
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte == 0x7F) continue;
        const std::string name(1, static_cast<char>(byte));
        EXPECT_EQ(DecodeTableName(EncodeTableName(name)), name) << byte;
    }
    // A bell would be stored as the zero that ends the name, a line break would split
    // the row: both become blanks, typed or found in a file.
    EXPECT_EQ(TableNameText(TableNameFromText("a\ab\nc")), "a b c");
    EXPECT_EQ(TableNameText(EncodeTableName(std::string("x\ny", 3))), "x y");
}

TEST(ScoreEntryTest, UnknownBytesSurviveReadingAndWriting) {
    std::string bytes;
    for (int i = 0; i < 32; ++i) bytes.push_back(static_cast<char>(0x9D * i + 0x11));
    bytes.replace(24, 8, HexBytes("01 00 00 00 00 00 f8 7f"));  // a not-a-number with a payload
    EXPECT_EQ(ScoreEntryBytes(ScoreEntryFromBytes(bytes)), bytes);
}

}  // namespace
}  // namespace tarvel
