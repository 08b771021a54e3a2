#include "session/speech/number_words.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarvel {
namespace {

using Words = std::vector<std::string>;

TEST(NumberWordsTest, SmallNumbersAreOneNumeral) {
    EXPECT_EQ(NumberWords(0, true), Words{"0"});
    EXPECT_EQ(NumberWords(0, false), Words{});
    EXPECT_EQ(NumberWords(1, true), Words{"1"});
    EXPECT_EQ(NumberWords(2, true), Words{"2"});
    EXPECT_EQ(NumberWords(20, true), Words{"20"});
}

TEST(NumberWordsTest, TensTakeDvaAsTheirUnit) {
    EXPECT_EQ(NumberWords(21, true), (Words{"20", "1"}));
    EXPECT_EQ(NumberWords(22, true), (Words{"20", "dva"}));
    EXPECT_EQ(NumberWords(30, true), Words{"30"});
    EXPECT_EQ(NumberWords(47, true), (Words{"40", "7"}));
    EXPECT_EQ(NumberWords(92, true), (Words{"90", "dva"}));
    EXPECT_EQ(NumberWords(99, true), (Words{"90", "9"}));
}

TEST(NumberWordsTest, HundredsNeverSayATrailingZero) {
    EXPECT_EQ(NumberWords(100, true), Words{"sto"});
    EXPECT_EQ(NumberWords(101, true), (Words{"sto", "1"}));
    EXPECT_EQ(NumberWords(120, true), (Words{"sto", "20"}));
    EXPECT_EQ(NumberWords(122, true), (Words{"sto", "20", "dva"}));
    EXPECT_EQ(NumberWords(200, true), (Words{"2", "sta"}));
    EXPECT_EQ(NumberWords(402, true), (Words{"4", "sta", "2"}));
    EXPECT_EQ(NumberWords(500, true), (Words{"5", "set"}));
    EXPECT_EQ(NumberWords(999, true), (Words{"9", "set", "90", "9"}));
}

TEST(NumberWordsTest, ThousandsAgreeWithTheirCount) {
    EXPECT_EQ(NumberWords(1000, true), Words{"tisic"});
    EXPECT_EQ(NumberWords(2000, true), (Words{"dva", "tisice"}));
    EXPECT_EQ(NumberWords(2005, true), (Words{"dva", "tisice", "5"}));
    EXPECT_EQ(NumberWords(3100, true), (Words{"3", "tisice", "sto"}));
    EXPECT_EQ(NumberWords(5000, true), (Words{"5", "tisic"}));
    EXPECT_EQ(NumberWords(22000, true), (Words{"20", "dva", "tisic"}));
    EXPECT_EQ(NumberWords(200000, true), (Words{"2", "sta", "tisic"}));
}

TEST(NumberWordsTest, MillionsAgreeWithTheirCount) {
    EXPECT_EQ(NumberWords(1'000'000, true), Words{"milion"});
    EXPECT_EQ(NumberWords(1'000'001, true), (Words{"milion", "1"}));
    EXPECT_EQ(NumberWords(2'000'000, true), (Words{"dva", "miliony"}));
    EXPECT_EQ(NumberWords(4'000'000, true), (Words{"4", "miliony"}));
    EXPECT_EQ(NumberWords(7'002'000, true), (Words{"7", "milionu", "dva", "tisice"}));
    EXPECT_EQ(NumberWords(INT32_MAX, true), (Words{"dva", "tisice", "sto", "40", "7", "milionu", "4", "sta",
                                                   "80", "3", "tisic", "6", "set", "40", "7"}));
}

TEST(NumberWordsTest, NegativeNumbersAreTheirDecimalText) {
    EXPECT_EQ(NumberWords(-5, true), Words{"-5"});
    EXPECT_EQ(NumberWords(-1234, false), Words{"-1234"});
    EXPECT_EQ(NumberWords(INT32_MIN, true), Words{"-2147483648"});
}

}  // namespace
}  // namespace tarvel
