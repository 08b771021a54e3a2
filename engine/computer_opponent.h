// The described computer's choice of a move. It reads the table as its seat sees it and
// returns what it would do; the engine lays the card, draws or stands, and says so.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "rules/position.h"

namespace tarvel {

// What the computer reads at its turn: the open table as its seat sees it, its hand in
// the order the cards came to it (its preferences walk the hand in that order), and the
// stock's next card when the pile was turned without shuffling (it saw them go under).
struct ComputerSight {
    rules::SeatView view;
    std::span<const rules::CardId> hand;
    rules::CardId nextStockCard = rules::kNoCard;
    bool forPoints = false;
};

// The computer's look at its hand, rebuilt at the start of each of its turns.
struct ComputerMind {
    std::vector<rules::CardId> playableCards;  // the cards that fit the pile, in hand order
    // Cards per rank slot: jack 1, king 3, ace 4, seven 5, queen 9; the other ranks
    // share the unused slot 0, as no choice weighs them by their count.
    std::array<std::uint8_t, 10> rankCounts{};
    std::array<std::uint8_t, 4> suitCounts{};  // cards other than queens, by suit
    bool hasAce = false;
    bool hasSeven = false;
    bool hasKingOfSpades = false;
    std::array<std::uint8_t, 4> suitIterator{};
    bool suitIteratorEnded = false;
    std::array<std::uint8_t, 4> rankIterator{};  // jack, unused, king, ace
    bool rankIteratorEnded = false;
    std::optional<rules::CardId> chosen;
};

struct ComputerMove {
    enum class Kind { Play, Draw, Stand };
    Kind kind = Kind::Draw;
    rules::CardId card = rules::kNoCard;  // for Play

    friend bool operator==(const ComputerMove&, const ComputerMove&) = default;
};

class ComputerOpponent {
  public:
    // The whole search of a turn, from a fresh look at the hand.
    ComputerMove ChooseMove(const ComputerSight& sight);
    // The card that returns the player into the game: the king of spades under its
    // rule, else only the seven of the suit in play; nothing when it holds neither.
    std::optional<rules::CardId> ChooseReturnAnswer(const ComputerSight& sight);
    // The suit it names after its queen: the one it holds most of (ties to the lower
    // suit), as its last look at the hand counted; kNoSuit with nothing but queens.
    std::uint8_t StrongestSuit() const;

    // The steps of the search, open for tests.
    void AnalyseHand(const ComputerSight& sight);
    // The next suit (kNoSuit at the end) or rank slot (kJack, kKing or kAce; 0xFF at
    // the end), most numerous first.
    std::uint8_t NextSuitByCount();
    std::uint8_t NextRankByCount();
    const ComputerMind& Mind() const { return mind_; }

  private:
    template <typename Fits>
    bool TryPlay(Fits fits);
    bool TryPlayCard(rules::CardId card);
    // Runs the suit iterator to its end, offering each suit while nothing is chosen;
    // the iterator is then ready to refill next time.
    template <typename TryPlaySuit>
    void ForEachSuitByCount(TryPlaySuit tryPlay);
    void FallbackChoice(bool forPoints, bool kingOfSpadesRule);
    ComputerMove Chosen() const;

    ComputerMind mind_;
};

}  // namespace tarvel
