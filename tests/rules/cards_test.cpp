#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/random_source.h"
#include "rules/card_names.h"
#include "rules/cards.h"
#include "rules/ring_shuffle.h"

namespace tarvel::rules {
namespace {

// Deck order: ranks 7 … ace, within a rank hearts, diamonds, spades, clubs; the name's
// adjective takes the rank's gender; points as the penalty table counts them.
TEST(RulesCards, NamesNumbersAndPointsFollowDeckOrder) {
    struct Known {
        const char* name;
        CardId card;
        int points;
    };
    const Known known[] = {{"7 srdcová", 0, 7},      {"7 kárová", 1, 7},     {"10 křížová", 15, 10},
                           {"kluk srdcový", 16, 1}, {"kluk kárový", 17, 1}, {"dáma srdcová", 20, 40},
                           {"dáma kárová", 21, 20}, {"král pikový", 26, 2}, {"eso křížové", 31, 11}};
    for (const Known& k : known) {
        EXPECT_EQ(CardName(k.card), k.name);
        EXPECT_EQ(IdOfName(k.name), k.card);
        EXPECT_EQ(PointsOf(k.card), k.points) << k.name;
    }
    std::set<std::string> names;
    for (CardId id = 0; id < kCards; ++id) {
        names.insert(CardName(id));
        EXPECT_EQ(IdOfName(CardName(id)), id);
        EXPECT_TRUE(Holds(RankSet(RankOf(id)), id));
        EXPECT_TRUE(Holds(SuitSet(SuitOf(id)), id));
        EXPECT_EQ(CountOf(RankSet(RankOf(id)) & SuitSet(SuitOf(id))), 1);
    }
    EXPECT_EQ(names.size(), 32u);
    EXPECT_EQ(CardName(kKingOfSpades), "král pikový");
    EXPECT_EQ(CardName(kSevenOfSpades), "7 piková");
    EXPECT_EQ(CardName(kNoCard), "");
}

// A hand's points are its cards' points, whether it comes as a set or in the order it came.
TEST(RulesCards, HandPointsAddUpItsCards) {
    const std::vector<CardId> queenAndSeven = {kQueenOfHearts, MakeCard(kSeven, kDiamonds)};
    const std::vector<CardId> mixed = {MakeCard(kJack, kDiamonds), kKingOfSpades, MakeCard(kAce, kHearts),
                                       MakeCard(kTen, kSpades)};
    EXPECT_EQ(HandPoints(SetOf(queenAndSeven)), 40 + 7);
    EXPECT_EQ(HandPoints(SetOf(mixed)), 1 + 2 + 11 + 10);
    EXPECT_EQ(HandPoints(0), 0);
    EXPECT_EQ(HandPoints(kAllCards), 4 * (7 + 8 + 9 + 10 + 1 + 20 + 2 + 11) + 20);
}

// Only the exact texts name a card or a suit: what a peer sends is never guessed at.
TEST(RulesCards, OnlyExactTextsNameCardsAndSuits) {
    for (const char* stranger : {"", " srdce", "Eso srdcové", "eso srdcove", "eso srdcové ", "eso pikový"})
        EXPECT_EQ(IdOfName(stranger), kNoCard) << stranger;
    const char* markers[] = {" srdce", " kára", " piky", " kříže"};
    for (std::uint8_t suit = 0; suit < 4; ++suit) {
        EXPECT_EQ(SuitMarker(suit), markers[suit]);
        EXPECT_EQ(" " + SuitWord(suit), markers[suit]);
        EXPECT_EQ(SuitOfMarker(markers[suit]), suit);
    }
    for (const char* stranger : {"srdce", " srdcexyz", "pik", " nic", ""})
        EXPECT_EQ(SuitOfMarker(stranger), kNoSuit) << stranger;
    EXPECT_EQ(SuitMarker(kNoSuit), "");
}

// The stock of the deal from its top down, for a seed.
std::vector<std::string> StockOrder(std::uint64_t seed) {
    StandardRandom random(seed);
    std::array<CardId, kCards> ring{}, stock{};
    for (CardId i = 0; i < kCards; ++i) ring[i] = i;
    RingShuffle(ring.data(), kCards, stock.data(), random);
    std::vector<std::string> order;
    for (int i = kCards - 1; i >= 0; --i) order.push_back(CardName(stock[static_cast<std::size_t>(i)]));
    return order;
}

// Seeded deals are the same as they always were: saved seeds replay their matches.
TEST(RulesShuffle, StockOrdersOfKnownSeedsArePinned) {
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

// A source that always answers the same step shows the walk exactly.
struct FixedStep {
    std::uint32_t step;
    std::uint32_t Random(std::uint32_t n) { return step % n; }
};

TEST(RulesShuffle, RingWalkContinuesFromTheCardThatFollowed) {
    std::array<CardId, 4> ring = {MakeCard(kSeven, kHearts), MakeCard(kSeven, kDiamonds), MakeCard(kSeven, kSpades),
                                  MakeCard(kSeven, kClubs)};
    std::array<CardId, 4> out{};
    FixedStep random{1};
    // Steps of 1 from the first card: take the 2nd, then from the 3rd step 1 to the 4th, then wrap.
    RingShuffle(ring.data(), 4, out.data(), random);
    std::vector<std::string> taken;
    for (const CardId card : out) taken.push_back(CardName(card));
    EXPECT_EQ(taken, (std::vector<std::string>{"7 kárová", "7 křížová", "7 piková", "7 srdcová"}));
}

}  // namespace
}  // namespace tarvel::rules
