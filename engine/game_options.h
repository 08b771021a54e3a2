// The rules a match is played by, and the presentation settings the engine consults.
// Field names are the settings-file keys.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

struct GameOptions {
    std::uint8_t pickupforseven = 2;  // 2 or 3 cards a seven adds to the pending draw
    bool kingofspades = false;   // the king of spades adds 5; it and the seven of spades answer each other
    bool returntogame = false;   // a player who empties his hand may be returned into the game
    bool playforpoints = false;  // remaining cards become penalty points
    std::uint8_t numberofgames = 3;  // games in a match; 0 means until the end command
    bool compulsory = true;          // the draw is refused while an answer to an ace or a seven is in hand
    bool shufflecards = false;       // shuffle the stock after turning the pile
    std::uint8_t dealtcards = 5;     // 4..10 cards dealt to each player
    std::string playergender = "m";  // the player's voice letter
    bool usetable = false;           // offer the table of best results when playing for points

    // Presentation settings of the same section.
    bool saypickedcards = true;
    bool movemouse = false;
    bool saycardsundermouse = false;
    bool gamesounds = true;

    friend bool operator==(const GameOptions&, const GameOptions&) = default;
};

}  // namespace tarvel
