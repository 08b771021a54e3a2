// Every message the server sends to a client: its name, how to write it and how the
// client recognises it.
//
// A message is either a bare word or phrase ("busy", "pickup done") or a keyword, "="
// and a value ("deckcard=eso pikové"). A bare message is recognised only when it is the
// whole text; a keyed one by its key, and only when it has an "=".
//
// Adding a message: a ServerKind, one row in the table of server_messages.cpp, then its
// handler in the client and its sender on the server.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel::protocol {

enum class ServerKind : std::uint8_t {
    // Bare.
    Busy,               // "busy": no seat for this client
    SettingsRequest,    // "req settings"
    SameName,           // "samename"
    SettingsAgreed,     // "oksettings"
    StartCardsDone,     // "startcard done"
    OpponentDraws,      // "opponentpickup"
    OpponentTakesCard,  // "opptakescard"
    NothingToDraw,      // "nocardforpickup"
    TurningPile,        // "turningthedeck"
    DrawDone,           // "pickup done"
    OpponentStands,     // "i stand"
    OpponentOut,        // "opp has no cards"
    AceCannotReturn,    // "ace you cannot return me"
    OpponentGivesUp,    // "opp gives it up"
    ForcedEnd,          // "forcedendofgame"
    OpponentBack,       // "opponentback"
    MatchOver,          // "matchover": a returning client's last words all arrived
    // Keyed.
    YourNumber,         // "yournumber=0"
    DifferentSettings,  // "diffsettings=TEXT"
    OpponentGender,     // "opponentgender=m"
    FirstPlayer,        // "firstplayer=1"
    YourStartCard,      // "yourstartcard=CARD"
    PileStartCard,      // "deckstartcard=CARD"
    PileStartSuit,      // "deckstartcolorcard= piky"
    OpponentCard,       // "deckcard=CARD"
    OpponentSuit,       // "deckcolorcard= piky"
    YourCard,           // "yourcard=CARD"
    OpponentPoints,     // "opp points=12"
    Said,               // "sayit=TEXT"
    ReturnKey,          // "reconnectkey=SECRET;WAIT"
    OpponentLost,       // "opponentlost=WAIT"
    Reconnected,        // "reconnected=COUNT"
    Position,           // "position=FIELDS" (seat_position.h)
};

// The keyword, or the whole text of a bare message.
std::string_view KeywordOf(ServerKind kind);
// "busy", or "deckcard=eso pikové"; a bare kind ignores `value`.
std::string FormatServerMessage(ServerKind kind, std::string_view value = {});
// The same into `message`, replacing what it held (its room is kept).
void FormatServerMessage(ServerKind kind, std::string_view value, std::string& message);

struct ServerMessage {
    ServerKind kind;
    std::string_view value;  // keyed kinds: the text after the first "=", "=" and all
};
// Nothing for a message no row names. The view points into `message`.
std::optional<ServerMessage> ParseServerMessage(std::string_view message);

// "reconnectkey=": the secret and the seconds the seat is held.
struct ReturnKey {
    std::string_view secret;
    int waitSeconds = 0;  // missing, negative or not a number: 0
};
std::string FormatReturnKey(std::string_view secret, int waitSeconds);
ReturnKey ParseReturnKey(std::string_view value);

// A signed decimal number in 32 bits ("opp points=", "reconnected=", a wait); nothing
// for any other text.
std::optional<std::int32_t> ParseNumber(std::string_view text);

}  // namespace tarvel::protocol
