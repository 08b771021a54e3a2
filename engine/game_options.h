// The rules a match is played by, and the presentation settings the engine consults.
// Field names are the settings-file keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/rule_options.h"

namespace tarvel {

inline constexpr std::uint8_t kDefaultPickupForSeven = 2;
inline constexpr std::uint8_t kDefaultNumberOfGames = 3;
inline constexpr std::uint8_t kDefaultDealtCards = 5;
// The computer's levels: the one that plays by its fixed preferences (the default), and
// the strong one that looks ahead.
inline constexpr std::uint8_t kComputerFixed = 0;
inline constexpr std::uint8_t kComputerStrong = 1;

struct GameOptions {
    std::uint8_t pickupforseven = kDefaultPickupForSeven;  // 2 or 3 cards a seven adds to the pending draw
    bool kingofspades = false;   // the king of spades adds 5; it and the seven of spades answer each other
    bool returntogame = false;   // a player who empties his hand may be returned into the game
    bool playforpoints = false;  // remaining cards become penalty points
    std::uint8_t numberofgames = kDefaultNumberOfGames;  // games in a match; 0 means until the end command
    bool compulsory = true;     // the draw is refused while an answer to an ace or a seven is in hand
    bool shufflecards = false;  // shuffle the stock after turning the pile
    std::uint8_t dealtcards = kDefaultDealtCards;  // 4..10 cards dealt to each player
    std::string playergender = "m";                // the player's voice letter
    bool usetable = false;                         // offer the table of best results when playing for points
    std::uint8_t computerlevel = kComputerFixed;   // how the computer chooses its moves; not part of a network match

    // Presentation settings of the same section.
    bool saypickedcards = true;
    bool movemouse = false;
    bool saycardsundermouse = false;
    bool gamesounds = true;

    friend bool operator==(const GameOptions&, const GameOptions&) = default;
};

// The counts the rules can use. A value outside its range (a hand-edited settings
// file) gives the default, for the settings reader and the rules alike.
struct CountRange {
    std::uint8_t lowest = 0;
    std::uint8_t highest = 0;
    std::uint8_t fallback = 0;
    constexpr bool Holds(std::uint8_t value) const { return value >= lowest && value <= highest; }
    constexpr std::uint8_t Keep(std::uint8_t value) const { return Holds(value) ? value : fallback; }
};
inline constexpr CountRange kPickupForSevenRange{2, 3, kDefaultPickupForSeven};
inline constexpr CountRange kNumberOfGamesRange{0, 99, kDefaultNumberOfGames};
inline constexpr CountRange kDealtCardsRange{4, 10, kDefaultDealtCards};
inline constexpr CountRange kComputerLevelRange{kComputerFixed, kComputerStrong, kComputerFixed};

// The options with every count inside its range; one outside takes its default.
GameOptions WithCountsInRange(GameOptions options);

// The rules of play in the options, every count inside its range.
rules::RuleOptions RulesOf(const GameOptions& options);

// The voice letters of a gender text: "m" is the man, any other text the woman (as the
// settings dialog shows it), and the opponent speaks in the other voice.
struct VoiceLetters {
    std::string player = "m";    // PlayerVoice
    std::string opponent = "z";  // OpponentVoice

    friend bool operator==(const VoiceLetters&, const VoiceLetters&) = default;
};
VoiceLetters VoiceLettersForGender(std::string_view playergender);

}  // namespace tarvel
