// What happened on the table, in the game's own terms. The engine tells each step as it
// happens, between the phrases that say it; a front end draws from the state and the
// event, and places its pointer, enables its menus and writes its message line as it
// sees fit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rules/position.h"

namespace tarvel {

// What the message line announces (a front end words it in its language).
enum class MessageLine : std::uint8_t {
    None,
    YouBegin,                // "Začínáš"
    IPlay,                   // "Vyhazuji"
    IDraw,                   // "lížu", with the count of cards when more than one
    IStand,                  // "Stojím"
    IChangeSuit,             // "měním"
    IWin,                    // "Jsem vítěz"
    YouWin,                  // "Jsi vítěz"
    ConnectionLost,          // trying to come back
    ConnectionBack,
    OpponentConnectionLost,  // the server holds his seat
    OpponentBack,
    OpponentNotBack,
};

enum class GameEventKind : std::uint8_t {
    TableCleared,      // a new game: nothing lies on the table yet
    GameBegins,        // its rules and the match's tallies are set
    Dealt,             // the deal is complete, or the table was taken up again: the whole table
    TurnBegins,        // the player's turn: his first card selected, the pile in view
    SelectionMoved,    // the selected card or suit changed; `byKeys` when the keys moved it
    NamedSuitCovered,  // a card is about to lie over the suit a queen named
    PlayerLaid,        // a card left the player's hand for the pile
    OpponentLaid,      // a card left the opponent's hand (at `position`, its row's end) for the pile
    LookAtPile,        // the opponent's card, or the start card, lies on the pile
    PlayerDrew,        // `card` joined the player's hand at `position`
    OpponentDrew,      // a card joined the opponent's hand at `position`
    SuitChoiceOpened,  // the player names the suit after his queen
    SuitChoiceClosed,  // the suit was named, or the match ended during the choice
    SuitNamed,         // a suit holds over the queen on top of the pile
    Announced,         // the message line says `line`
    GameDecided,       // `seat` won the game
    ScoreStep,         // a local game ended: the table of best results may take its result
    GameUnderWay,      // the game has started and everything of it is in place
    MatchEnded,
};

struct GameEvent {
    GameEventKind kind = GameEventKind::TableCleared;
    std::size_t position = 0;          // PlayerDrew, OpponentDrew, OpponentLaid
    rules::CardId card = rules::kNoCard;  // PlayerDrew
    std::uint8_t seat = rules::kNoSeat;   // GameDecided
    bool byKeys = false;                  // SelectionMoved, TurnBegins
    MessageLine line = MessageLine::None;  // Announced
    std::uint8_t count = 0;                // Announced IDraw: the cards drawn

    friend bool operator==(const GameEvent&, const GameEvent&) = default;
};

// Where the engine tells what happened; the front end implements it.
class EventPort {
  public:
    virtual ~EventPort() = default;
    virtual void Happened(const GameEvent& event) = 0;
};

}  // namespace tarvel
