// The engine's single state record for one match.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/card.h"
#include "common/card_containers.h"
#include "common/deck.h"

namespace tarvel {

inline constexpr std::uint8_t kStarterUnknown = 255;

struct GameState {
    CardStack Stock;  // top = next card drawn
    CardStack Pile;   // top = card in play, or a suit marker over a queen
    CardQueue PlayerHand;
    CardQueue OpponentHand;  // empty in a network game
    std::uint8_t PlayerCount = 0;
    std::uint8_t OpponentCount = 0;
    CardTableArray CardTable = StandardCardTable();
    typhodnoty CurrentCard;
    std::size_t SelectedIndex = 0;  // 1-based position of the selected card; 0 with no selection
    std::uint16_t MarkerX = 25;
    std::uint16_t MarkerY = 225;
    std::uint8_t PendingDraw = 0;
    bool AcePending = false;
    bool ReturnPending = false;
    bool StockOrderKnown = false;
    bool SuitChoiceActive = false;
    bool RequestedSuitShown = false;
    bool GameRunning = false;
    bool GameOver = false;
    bool PlayerTurn = false;
    std::uint8_t LastStarter = kStarterUnknown;
    std::uint16_t GameNumber = 0;
    std::uint8_t PlayerWins = 0;
    std::uint8_t OpponentWins = 0;
    std::int32_t PlayerPenalty = 0;
    std::int32_t OpponentPenalty = 0;

    // The voice letters: the player's gender, and the other one for the opponent
    // (in a network game the gender the server reports for the remote player).
    std::string PlayerVoice = "m";
    std::string OpponentVoice = "z";
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
