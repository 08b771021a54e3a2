#include "common/deck.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvel {
namespace {

TEST(Deck, NamesPicturesAndValuesFollowDeckOrder) {
    const auto& table = StandardCardTable();
    EXPECT_EQ(table[0].Name, "7 srdcová");
    EXPECT_EQ(table[0].Picture, 1);
    EXPECT_EQ(FindCard("7 kárová")->Picture, 2);
    EXPECT_EQ(FindCard("10 křížová")->Picture, 16);
    EXPECT_EQ(FindCard("kluk srdcový")->Picture, 17);
    EXPECT_EQ(FindCard("dáma srdcová")->Picture, 21);
    EXPECT_EQ(FindCard("dáma srdcová")->Value, 40);
    EXPECT_EQ(FindCard("dáma kárová")->Picture, 22);
    EXPECT_EQ(FindCard("dáma kárová")->Value, 20);
    EXPECT_EQ(FindCard("král pikový")->Picture, 27);
    EXPECT_EQ(FindCard("král pikový")->Value, 2);
    EXPECT_EQ(FindCard("eso křížové")->Picture, 32);
    EXPECT_EQ(FindCard("eso křížové")->Value, 11);
    EXPECT_EQ(FindCard("kluk kárový")->Value, 1);
    std::set<std::string> names;
    for (const auto& card : table) {
        names.insert(card.Name);
        EXPECT_TRUE(card.Unused.empty());
    }
    EXPECT_EQ(names.size(), 32u);
}

TEST(Deck, FindCardKnowsOnlyTheThirtyTwoNames) {
    EXPECT_FALSE(FindCard("").has_value());
    EXPECT_FALSE(FindCard(" srdce").has_value());
    EXPECT_FALSE(FindCard("Eso srdcové").has_value());
    EXPECT_FALSE(FindCard("eso srdcove").has_value());
    EXPECT_FALSE(FindCard("eso srdcové ").has_value());
}

// The stock from its top down, as the deal takes it.
std::vector<std::string> StockOrder(std::uint64_t seed) {
    StandardRandom random(seed);
    CardStack stock;
    ShuffleIntoStock(MakeDeck(), 0, stock, random);
    std::vector<std::string> order;
    while (!stock.StackEmpty()) order.push_back(stock.PopCard().Name);
    return order;
}

// The deal of a seed is the same on every machine: the generator's output is fixed by
// the language and the range is made without the library's distributions.
TEST(Random, ASeedGivesTheSameNumbersEverywhere) {
    StandardRandom random(1);
    std::vector<std::uint32_t> drawn;
    for (std::uint32_t n = 32; n > 20; --n) drawn.push_back(random.Random(n));
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{8, 16, 0, 27, 16, 24, 0, 15, 8, 11, 14, 8}));
    EXPECT_EQ(random.Random(1), 0u);
    EXPECT_EQ(random.Random(0), 0u);
}

TEST(Shuffle, StockOrdersOfKnownSeedsArePinned) {
    EXPECT_EQ(StockOrder(1),
              (std::vector<std::string>{
                  "kluk pikový", "král srdcový", "7 srdcová",    "kluk kárový", "8 kárová",     "dáma kárová",
                  "8 srdcová",   "7 křížová",    "kluk křížový", "eso pikové",  "7 kárová",     "9 piková",
                  "10 kárová",   "eso srdcové",  "kluk srdcový", "10 křížová",  "10 srdcová",   "7 piková",
                  "eso křížové", "dáma srdcová", "král křížový", "10 piková",   "dáma piková",  "8 piková",
                  "eso kárové",  "9 kárová",     "8 křížová",    "9 křížová",   "dáma křížová", "král pikový",
                  "král kárový", "9 srdcová"}));
    EXPECT_EQ(
        StockOrder(2),
        (std::vector<std::string>{
            "eso pikové",   "10 piková",    "8 křížová",   "král kárový", "9 kárová",     "kluk křížový",
            "10 kárová",    "eso srdcové",  "dáma piková", "9 křížová",   "7 srdcová",    "kluk srdcový",
            "dáma křížová", "král srdcový", "kluk pikový", "eso křížové", "7 kárová",     "eso kárové",
            "10 křížová",   "8 srdcová",    "7 křížová",   "král pikový", "dáma srdcová", "7 piková",
            "král křížový", "8 kárová",     "9 piková",    "8 piková",    "dáma kárová",  "kluk kárový",
            "9 srdcová",    "10 srdcová"}));
}

TEST(Shuffle, SameSeedSameStockAndEveryCardOnce) {
    const auto first = StockOrder(42);
    EXPECT_EQ(first, StockOrder(42));
    EXPECT_NE(first, StockOrder(43));
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), 32u);
}

// A source that always answers the same step shows the walk exactly.
class FixedStep final : public RandomSource {
  public:
    explicit FixedStep(std::uint32_t step) : step_(step) {}
    std::uint32_t Random(std::uint32_t n) override { return step_ % n; }

  private:
    std::uint32_t step_;
};

TEST(Shuffle, RingWalkContinuesFromTheCardThatFollowed) {
    std::vector<typhodnoty> ring;
    for (const char* name : {"7 srdcová", "7 kárová", "7 piková", "7 křížová"})
        ring.push_back(*FindCard(name));
    CardStack stock;
    FixedStep random(1);
    // Steps of 1 from the first card: take 2nd, then from the 3rd step 1 -> 4th, then wrap.
    ShuffleIntoStock(ring, 0, stock, random);
    std::vector<std::string> pushed;
    for (const auto& card : stock.BottomToTop()) pushed.push_back(card.Name);
    EXPECT_EQ(pushed, (std::vector<std::string>{"7 kárová", "7 křížová", "7 piková", "7 srdcová"}));
}

}  // namespace
}  // namespace tarvel
