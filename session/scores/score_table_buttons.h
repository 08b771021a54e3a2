// Which buttons the table dialog offers. Shown means enabled and visible; a button
// not shown is disabled and hidden.
#pragma once

#include <cstdint>

namespace tarvel {

struct ScoreTableButtons {
    bool write = false;         // writetabbutton: name the result and end the match
    bool continueGame = false;  // continuegamebutton: close, and the match goes on
    bool close = false;         // closebitbtn

    friend bool operator==(const ScoreTableButtons&, const ScoreTableButtons&) = default;
};

// A result that reached a place at the end of a game can always be written; beside
// it the dialog offers to continue while the match goes on (a limited match before
// its last game, or an unlimited one under way), or to close once it is over.
ScoreTableButtons EndOfGameButtons(std::uint8_t numberOfGames, std::uint16_t gameNumber);

// The table opened from the menu, and the table just written into: only close.
inline constexpr ScoreTableButtons kCloseOnlyButtons{false, false, true};

}  // namespace tarvel
