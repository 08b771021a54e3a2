// What a player asks of the game: the commands of the keys, the menus and the pointer,
// the same in every front end.
#pragma once

#include <cstdint>

namespace tarvel::session {

// The commands of the keys, the menus and the pointer.
enum class Command : std::uint8_t {
    // The match.
    NewMatch,         // Ctrl+N: a new match against the computer
    EndMatch,         // the end-match command (also gives up coming back into a match)
    NewNetworkMatch,  // Ctrl+I: connect to the server of the network settings
    StopWaiting,      // the wait's Cancel: give up waiting for the opponent
    GiveUpReturn,     // Escape while coming back after a lost connection
    // The table's keys.
    Play,            // Enter: lay the selected card, or name the selected suit
    DrawOrStand,     // Space: draw, stand on an ace, or give up returning the opponent
    SelectPrevious,  // Left: the card or suit before
    SelectNext,      // Right
    SelectFirst,     // Home, Shift+Left
    SelectLast,      // End, Shift+Right
    // The Say menu; Up is SayPileCard, Down SayOpponentCount.
    SaySelected,
    SaySelectedValue,
    SayAllCards,
    SayPileCard,
    SayGameNumber,
    SayPlayerWins,
    SayOpponentWins,
    SayPlayerPoints,
    SayOpponentPoints,
    SayPlayerTableScore,
    SayOpponentCount,
    SayPlayerCount,
    // Hearing it again.
    RepeatOpponent,        // the opponent's last announcement
    PreviousAnnouncement,  // stepping back through the history
    NextAnnouncement,
    // Switches.
    ToggleSounds,
    ToggleSayDrawnCards,
    // The table of best results.
    ShowScoreTable,   // from the menu
    CloseScoreTable,  // closed without writing: the match goes on, or is over
};

}  // namespace tarvel::session
