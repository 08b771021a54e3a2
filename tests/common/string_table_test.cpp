#include "common/string_table.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace tarvel {
namespace {

constexpr std::array<StringEntry, 6> kTable{{
    {1000, "Čeština"},
    {1001, "&Hra"},
    {1005, "pouze česky"},
    {2000, "English"},
    {2001, "&Game"},
    {4000, "beyond a gap"},
}};
static_assert(IsWellFormed(kTable));

TEST(StringTable, LooksUpByBaseAndIndexWithoutFallback) {
    EXPECT_EQ(LocalizedText(kTable, 1000, 1), "&Hra");
    EXPECT_EQ(LocalizedText(kTable, 2000, 1), "&Game");
    EXPECT_EQ(LocalizedText(kTable, 2000, 5), "");  // only the Czech block has it
    EXPECT_EQ(LocalizedText(kTable, 3000, 0), "");
    EXPECT_EQ(LocalizedText(kTable, 1000, -1), "");
}

TEST(StringTable, ABaseFromAnEditedFileCannotOverflow) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(LocalizedText(kTable, kMax, kMax), "");
    EXPECT_EQ(LocalizedText(kTable, kMin, kMin), "");
}

TEST(StringTable, ListsLanguagesUpToTheFirstMissingBase) {
    const std::vector<LanguageItem> expected{{"Čeština", 1000}, {"English", 2000}};
    EXPECT_EQ(ListLanguages(kTable), expected);
    EXPECT_TRUE(ListLanguages(StringTable{}).empty());
}

TEST(StringTable, TheLocalizerFollowsTheLanguageInForce) {
    Localizer localizer(kTable);
    EXPECT_EQ(localizer.LocalizedText(0), "Čeština");
    localizer.SetLanguageBase(2000);
    EXPECT_EQ(localizer.LocalizedText(1), "&Game");
}

TEST(StringTable, WellFormedMeansSortedWithoutRepeats) {
    constexpr std::array<StringEntry, 2> kRepeated{{{1000, "a"}, {1000, "b"}}};
    constexpr std::array<StringEntry, 2> kUnsorted{{{2000, "a"}, {1000, "b"}}};
    EXPECT_FALSE(IsWellFormed(kRepeated));
    EXPECT_FALSE(IsWellFormed(kUnsorted));
}

}  // namespace
}  // namespace tarvel
