// A game position in a few dozen bytes: both hands as card sets, the stock in order,
// the pile, the suit a queen named, whose move it is and what is pending, with the
// rule options that matter to play. Seat 0 and seat 1 are the two sides; the table
// calls seat 0 the player and seat 1 the opponent.
#pragma once

#include <array>
#include <cstdint>

#include "rules/cards.h"
#include "rules/rule_options.h"

namespace tarvel::rules {

inline constexpr std::uint8_t kNoSeat = 0xFF;

constexpr std::uint8_t OtherSeat(std::uint8_t seat) { return static_cast<std::uint8_t>(seat ^ 1); }

struct Position {
    std::array<CardSet, 2> hands{};
    std::array<CardId, kCards> stock{};  // bottom first; stock[stockSize - 1] is drawn next
    std::array<CardId, kCards> pile{};   // bottom first; pile[pileSize - 1] is in play
    std::uint8_t stockSize = 0;
    std::uint8_t pileSize = 0;
    std::uint8_t namedSuit = kNoSuit;  // the suit a queen on top named; kNoSuit otherwise
    std::uint8_t toMove = 0;
    std::uint8_t pendingDraw = 0;      // cards the next mover draws unless he answers
    bool acePending = false;           // an ace is to be answered, or the mover stands
    bool suitToName = false;           // the mover laid a queen and names the suit next
    std::uint8_t outSeat = kNoSeat;    // emptied its hand; the other side may return it
    bool stockOrderKnown = false;      // the pile was turned without shuffling
    std::uint8_t winner = kNoSeat;
    RuleOptions rules;

    CardId Top() const { return pileSize ? pile[pileSize - 1u] : kNoCard; }
    // The suit that holds on the pile: the named suit over a queen, else the top's.
    std::uint8_t SuitInPlay() const { return namedSuit != kNoSuit ? namedSuit : SuitOf(Top()); }
    bool Over() const { return winner != kNoSeat; }
    CardSet PileSet() const;
    CardSet StockSet() const;
    // Nothing comes of turning the pile: only its top card lies there.
    bool PileCannotTurn() const { return pileSize <= 1; }

    // Equal games: what lies beyond the stock's and the pile's sizes does not count.
    friend bool operator==(const Position& a, const Position& b);
};

// What one seat knows: its own hand, the other's count, the open table. Everything
// else (the other hand and the stock) lies in `unseen`.
struct SeatView {
    std::uint8_t seat = 0;
    CardSet ownHand = 0;
    std::uint8_t otherCount = 0;
    std::uint8_t stockSize = 0;
    CardSet unseen = 0;  // the other hand and the stock together
    // Every card of the pile was laid in the open: its order is no secret, and an
    // unshuffled turn makes it the next stock's.
    std::array<CardId, kCards> pile{};  // bottom first, as in Position
    std::uint8_t pileSize = 0;
    CardId top = kNoCard;
    std::uint8_t namedSuit = kNoSuit;
    std::uint8_t toMove = 0;
    std::uint8_t pendingDraw = 0;
    bool acePending = false;
    bool suitToName = false;
    std::uint8_t outSeat = kNoSeat;
    bool stockOrderKnown = false;
    RuleOptions rules;
};
SeatView ViewOf(const Position& position, std::uint8_t seat);

// The hands in the order the deal gave their cards, for a table that shows them so.
struct DealtOrder {
    std::array<std::array<CardId, kCards / 2>, 2> hands{};
    std::uint8_t perHand = 0;
};

// The deal: the 32 cards shuffled by the ring walk into the stock, `dealtCards` to
// seat 0 (the first block off the stock), as many to seat 1, then the start card on
// the pile; a queen turned up holds its own suit. The start card makes nobody draw
// or stand. `Rng` has `std::uint32_t Random(std::uint32_t n)`. The dealt cards stay in
// `stock` above `stockSize`, in the order they left it (seat 0's from the top down, then
// seat 1's, then the start card), so a dealer can tell each player his cards in that
// order; `order`, when given, gets the hands in the order they were dealt.
template <typename Rng>
Position Deal(const RuleOptions& rules, std::uint8_t firstToMove, Rng& random, DealtOrder* order = nullptr);

}  // namespace tarvel::rules

#include "rules/position_deal.inl"
