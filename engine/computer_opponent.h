// The computer opponent's choice of a move. It reads the table and returns what it
// would do; the engine lays the card, draws or stands, and says so.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_options.h"
#include "engine/game_state.h"

namespace tarvel {

// The computer's view of its hand, rebuilt at the start of each of its turns.
struct ComputerMind {
    std::vector<std::string> PlayableCards;     // names that fit the pile top, in hand order
    std::array<std::uint8_t, 10> RankCounts{};  // slots 1, 3, 4, 5 and 9 are read
    std::array<std::uint8_t, 4> SuitCounts{};   // non-queen cards: hearts, diamonds, spades, clubs
    bool HasAce = false;
    bool HasSeven = false;
    bool HasKingOfSpades = false;
    std::array<std::uint8_t, 4> SuitIterator{};
    bool SuitIteratorEnded = false;
    std::array<std::uint8_t, 4> RankIterator{};  // rank slots 1..4 (jack, unused, king, ace)
    bool RankIteratorEnded = false;
    bool CardChosen = false;
    std::size_t ChosenPosition = 0;  // 1-based position in the computer's hand
};

struct ComputerMove {
    enum class Kind { Play, Draw, Stand };
    Kind kind = Kind::Draw;
    std::size_t position = 0;  // of the card to lay, 1-based, for Play

    friend bool operator==(const ComputerMove&, const ComputerMove&) = default;
};

// How the computer answers the player's last card under the return rule.
struct ReturnAnswer {
    std::size_t position = 0;   // of the card that returns the player, 1-based
    bool kingOfSpades = false;  // the king of spades rather than a seven
};

class ComputerOpponent {
  public:
    // The whole search of a turn, from a fresh look at the hand.
    ComputerMove ChooseMove(const GameState& state, const GameOptions& options);
    // The card that returns the player into the game: the king of spades under its
    // rule, else only the seven of the top's suit; nothing when it holds neither.
    std::optional<ReturnAnswer> ChooseReturnAnswer(const GameState& state, const GameOptions& options);

    // The steps of the search, open for tests.
    void AnalyseHand(const GameState& state);
    bool TryPlayPrefix(std::string_view prefix);
    bool TryPlaySuit(std::string_view key);
    std::string NextSuitByCount();
    std::string NextRankByCount();
    std::string StrongestSuit() const;
    void FallbackChoice(const GameOptions& options);

    const ComputerMind& Mind() const { return mind_; }

  private:
    // Runs the suit iterator to its end, offering each suit while nothing is chosen;
    // the iterator is then ready to refill next time.
    template <typename TryPlay>
    void ForEachSuitByCount(TryPlay tryPlay);
    bool ChooseHandCard(std::string_view name);
    ComputerMove Chosen() const;

    ComputerMind mind_;
    std::vector<std::string> handNames_;  // the hand as AnalyseHand saw it
};

// The suit names the computer says when it changes the suit ("srdce" …).
std::string_view SuitNameOfKey(std::string_view key);

}  // namespace tarvel
