// Recognises a client's message: which of the server's rules it falls under, which
// player digit it carries and its value. The rules are tried in a fixed order and
// the first that matches wins; a message no rule names is not recognised.
#pragma once

#include <optional>
#include <string_view>

namespace tarvel::server {

enum class ClientMessageKind {
    RuleSetting,      // "info kolikbrat0=2" … one of the eight compared settings
    Gender,           // "info pohlhrac0=m"
    UserName,         // "info uzivatel0=Jana"
    SettingsDone,     // "infosettings0 done"
    ReadyForDeal,     // "req startcard0"
    SendCard,         // "sendcard0=eso pikové"
    SendColor,        // "sendcolor0= piky"
    RequestCards,     // "req card0=3"
    Standing,         // "standing0"
    NoCardsLeft,      // "i have no cards0"
    AceCannotReturn,  // "acecannotreturn0"
    EndOfOneGame,     // "end of one game0"
    GiveUp,           // "i give it up0"
    Points,           // "points0=15"
    EndOfMatch,       // "end of game0"
    TerminateGame,    // "terminategame0"
    Say,              // "iwanttosay0=text"
    ReturnReady,      // "reconnectready0": the client keeps its secret and counts from here
};

struct ClientMessage {
    ClientMessageKind kind;
    // The player digit as sent. Most rules accept only "0" or "1"; the draw request and
    // the two end-of-game messages take whatever character stands in its place.
    std::string_view sender;
    std::string_view value;
    int settingIndex = -1;  // RuleSetting only: index into kRuleSettingNames
};

// Views in the result point into `message`.
std::optional<ClientMessage> RecogniseClientMessage(std::string_view message);

}  // namespace tarvel::server
