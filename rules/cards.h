// Cards as the rules see them: a number 0..31 in deck order (rank × 4 + suit) and
// sets of cards as 32-bit masks. Names live at the edges (the wire, the recordings,
// the table); everything inside the rules works on these numbers.
#pragma once

#include <bit>
#include <cstdint>
#include <span>

namespace tarvel::rules {

using CardId = std::uint8_t;
using CardSet = std::uint32_t;

inline constexpr CardId kNoCard = 0xFF;
inline constexpr std::uint8_t kNoSuit = 0xFF;
inline constexpr int kCards = 32;

// Ranks in deck order; the card's picture number is its id + 1.
enum Rank : std::uint8_t { kSeven, kEight, kNine, kTen, kJack, kQueen, kKing, kAce };
// Suits in deck order.
enum Suit : std::uint8_t { kHearts, kDiamonds, kSpades, kClubs };

constexpr CardId MakeCard(std::uint8_t rank, std::uint8_t suit) {
    return static_cast<CardId>(rank * 4 + suit);
}
constexpr std::uint8_t RankOf(CardId card) { return static_cast<std::uint8_t>(card >> 2); }
constexpr std::uint8_t SuitOf(CardId card) { return static_cast<std::uint8_t>(card & 3); }
constexpr CardSet Bit(CardId card) { return CardSet{1} << card; }
constexpr bool Holds(CardSet set, CardId card) { return (set & Bit(card)) != 0; }
constexpr int CountOf(CardSet set) { return std::popcount(set); }

inline constexpr CardId kSevenOfSpades = MakeCard(kSeven, kSpades);
inline constexpr CardId kKingOfSpades = MakeCard(kKing, kSpades);
inline constexpr CardId kQueenOfHearts = MakeCard(kQueen, kHearts);

// The four cards of a rank, and the eight of a suit.
constexpr CardSet RankSet(std::uint8_t rank) { return CardSet{0xF} << (rank * 4); }
constexpr CardSet SuitSet(std::uint8_t suit) { return CardSet{0x11111111} << suit; }
inline constexpr CardSet kAllCards = 0xFFFFFFFFu;
inline constexpr CardSet kSevens = RankSet(kSeven);
inline constexpr CardSet kQueens = RankSet(kQueen);
inline constexpr CardSet kAces = RankSet(kAce);

// Penalty points a card costs its holder at the end of a game.
constexpr int PointsOf(CardId card) {
    constexpr int kRankPoints[8] = {7, 8, 9, 10, 1, 20, 2, 11};
    return card == kQueenOfHearts ? 40 : kRankPoints[RankOf(card)];
}

// Lowest card of a non-empty set, and the set without it: the usual walk over a mask.
constexpr CardId LowestCard(CardSet set) { return static_cast<CardId>(std::countr_zero(set)); }

// The set of cards listed one by one (a hand in the order it came, cards drawn).
constexpr CardSet SetOf(std::span<const CardId> cards) {
    CardSet set = 0;
    for (const CardId card : cards) set |= Bit(card);
    return set;
}

// The penalty points a hand left at the end of a game costs its holder.
constexpr int HandPoints(CardSet hand) {
    int points = 0;
    for (; hand != 0; hand &= hand - 1) points += PointsOf(LowestCard(hand));
    return points;
}

}  // namespace tarvel::rules
