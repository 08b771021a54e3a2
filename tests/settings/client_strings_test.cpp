#include "session/texts/client_strings.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "common/cp1250.h"

namespace tarvel {
namespace {

constexpr std::int32_t kCzech = kCzechLanguageBase;
constexpr std::int32_t kEnglish = kEnglishLanguageBase;

TEST(ClientStrings, HoldsTheTextsExactly) {
    const StringTable table = ClientStrings();
    EXPECT_EQ(LocalizedText(table, kCzech, 93), "Provedené změny se projeví až poté, co znovu spustíte hru.");
    EXPECT_EQ(LocalizedText(table, kEnglish, 93), "Your changes will be applied after you restart the game.");
    EXPECT_EQ(LocalizedText(table, kCzech, 6), "Ře&kni");
    EXPECT_EQ(LocalizedText(table, kEnglish, 5), "End of &program");
    EXPECT_EQ(LocalizedText(table, kEnglish, 33), "&Player is ");  // the trailing blank belongs to it
    EXPECT_EQ(LocalizedText(table, kCzech, 120), "Říkat karty pod myší");
    EXPECT_EQ(LocalizedText(table, kEnglish, 120), "Say cards &under mouse");
    EXPECT_EQ(LocalizedText(table, kCzech, 47), "&Ok");
    EXPECT_EQ(LocalizedText(table, kCzech, 51), "&Jméno");  // the name dialog's label
    EXPECT_EQ(LocalizedText(table, kEnglish, 51), "Name");
    EXPECT_EQ(LocalizedText(table, kCzech, 119), "Připojení dvou uživatelů stejného jména není povoleno");
    EXPECT_EQ(LocalizedText(table, kCzech, 141), "Server zatím neodpovídá. Můžete čekat dál nebo hru zrušit.");
    EXPECT_EQ(LocalizedText(table, kEnglish, 141),
              "The server has not answered yet. You can keep waiting or cancel the game.");
    const std::pair<int, const char*> englishMenu[] = {
        {2, "&Game"}, {6, "&Say"}, {18, "&Options"}, {23, "&Help"}};
    for (const auto& [index, text] : englishMenu) EXPECT_EQ(LocalizedText(table, kEnglish, index), text);
}

TEST(ClientStrings, IndicesOutsideTheTableAreEmpty) {
    const StringTable table = ClientStrings();
    for (int index : {-1, 21, 25, 50, 56, 66, 67, 94, 114, 999}) {
        EXPECT_EQ(LocalizedText(table, kCzech, index), "") << index;
        EXPECT_EQ(LocalizedText(table, kEnglish, index), "") << index;
    }
    EXPECT_EQ(LocalizedText(table, 3000, 0), "");
}

TEST(ClientStrings, ListsCzechAndEnglish) {
    const std::vector<LanguageItem> expected{{"Čeština", 1000}, {"English", 2000}};
    EXPECT_EQ(ListLanguages(ClientStrings()), expected);
}

TEST(ClientStrings, BothLanguagesHaveTheSameIndicesAndFitTheCodePage) {
    std::set<std::int32_t> czech;
    std::set<std::int32_t> english;
    for (const StringEntry& entry : ClientStrings()) {
        (entry.number < kEnglish ? czech : english).insert(entry.number % 1000);
        const std::string bytes = Utf8ToCp1250(entry.text);
        EXPECT_EQ(Cp1250ToUtf8(bytes), entry.text) << entry.number;  // nothing became '?'
        EXPECT_LE(bytes.size(), 255u) << entry.number;
    }
    // The 109 of the first table, the window's 121 … 132, network play's 133 … 135, the
    // network settings' 140 … 144, the chat's 150 … 153, the history's 160 … 174, the
    // network settings' 140 … 144, the chat's 150 … 153, the history's 160 … 174, the
    // computer's level 175 … 177, the help window's 178, the screen reader's 185, a lost
    // connection's 190 … 194.
    EXPECT_EQ(czech.size(), 158u);
    EXPECT_EQ(czech, english);
}

}  // namespace
}  // namespace tarvel
