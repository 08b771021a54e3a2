// The engine's state of one match: the game as this player knows it, the order of the
// cards in each hand, the selection and the match's progress.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/position.h"

namespace tarvel {

inline constexpr std::uint8_t kStarterUnknown = 255;
// The player is seat 0 of the game, his opponent seat 1.
inline constexpr std::uint8_t kPlayerSeat = 0;
inline constexpr std::uint8_t kOpponentSeat = 1;

struct GameState {
    // The game as this player knows it: in a local game all of it, in a network game his
    // own hand and the open table (the other hand and the stock are the server's).
    rules::Position game;
    // Each hand in the order its cards came: the player's as he holds them, the
    // computer's as its choices walk it. The network opponent's hand is unseen: empty.
    std::vector<rules::CardId> playerHand;
    std::vector<rules::CardId> opponentHand;
    std::uint8_t opponentCount = 0;  // the cards the opponent holds, seen or not
    std::size_t selected = 0;                    // 1-based position of the selected card; 0 with no selection
    std::uint8_t selectedSuit = rules::kHearts;  // the suit selected while he names one
    bool matchOn = false;  // from a match's first game to its end, between its games too
    bool running = false;  // from a game's start to its decision
    bool dealt = false;    // the deal is complete (a network deal comes card by card)
    std::uint8_t lastStarter = kStarterUnknown;
    std::uint16_t gameNumber = 0;
    std::uint8_t playerWins = 0;
    std::uint8_t opponentWins = 0;
    std::int32_t playerPenalty = 0;
    std::int32_t opponentPenalty = 0;

    // The voice letters: the player's gender, and the other one for the opponent
    // (in a network game the gender the server reports for the remote player).
    std::string playerVoice = "m";
    std::string opponentVoice = "z";

    std::uint8_t PlayerCount() const { return static_cast<std::uint8_t>(playerHand.size()); }
    // The player may move: the game is on, dealt, undecided, and he is the one to move.
    bool PlayerTurn() const { return running && dealt && !game.Over() && game.toMove == kPlayerSeat; }
    // He laid a queen and names its suit.
    bool SuitChoiceActive() const { return PlayerTurn() && game.suitToName; }
    // A queen on top of the pile names the suit that holds; its symbol lies beside it.
    bool RequestedSuitShown() const { return game.namedSuit != rules::kNoSuit; }
    // The opponent laid his last card and waits to be returned into the game.
    bool ReturnPending() const { return game.outSeat == kOpponentSeat; }
    // The card under the selection; kNoCard when nothing is selected.
    rules::CardId SelectedCard() const {
        return selected >= 1 && selected <= playerHand.size() ? playerHand[selected - 1] : rules::kNoCard;
    }
};

// What a network game is waiting for from the server. The step that needs it returns
// at once and is taken up again when the message arrives, so nothing waits inside an
// engine call and a broken-off match can end from any of them.
enum class NetworkWait : std::uint8_t {
    None,
    Beginner,        // who begins the match, at its first game
    StartCards,      // the deal of a game
    PendingCards,    // the cards the loser takes under the return rule, before the verdict
    OpponentPoints,  // the loser's points, before the winner's verdict on points
};

// What the network client tells the engine during a network game.
struct NetworkGame {
    bool active = false;
    char playerNumber = '0';  // '0' or '1', as the server numbered this client
    bool startCardsComplete = false;
    std::optional<std::int32_t> opponentPoints;  // the opponent's penalty points of the game
    NetworkWait waiting = NetworkWait::None;
    // A draw was asked for and its cards have not all come: no second draw, no card laid.
    bool awaitingCards = false;
    // The opponent's connection is lost and the server holds his seat.
    bool opponentAway = false;
};

}  // namespace tarvel
