// Every message a client sends to the server: its name, how to write it and how the
// server recognises it.
//
// Most messages carry the sender's player digit glued to the keyword ("standing0",
// "sendcard1=eso pikové", "infosettings0 done"). A few are said before the server has
// numbered the client and carry none ("join=NAME", "canreconnect", "reconnect=...").
//
// Adding a message: a ClientKind, one row in the table of client_messages.cpp (its
// keyword and whether it has a value), then its handler on the server and its sender in
// the client.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel::protocol {

enum class ClientKind : std::uint8_t {
    // Said before the server speaks, without a player digit.
    Join,       // "join=NAME": the table to sit at (several tables)
    CanReturn,  // "canreconnect": this client can come back after a lost connection
    Reconnect,  // "reconnect=SECRET;COUNT": takes a held seat back
    // With the player digit.
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

// A chat text is relayed with at most this many characters (one byte each on the wire);
// a longer one is cut there.
inline constexpr std::size_t kMostChatChars = 512;

// The eight rule settings both players must agree on, in the order the client sends
// them and the server compares them.
inline constexpr int kRuleSettingCount = 8;
inline constexpr std::array<std::string_view, kRuleSettingCount> kRuleSettingNames = {
    "kolikbrat", "kralpikovy", "navratdohry", "hranabody",
    "donucen",   "zamichat",   "pocetkol",    "pocetrozdavanych"};
inline constexpr int kSevenDrawSetting = 0;      // cards to draw for a seven
inline constexpr int kKingOfSpadesSetting = 1;   // five cards for the king of spades
inline constexpr int kReturnToGameSetting = 2;   // a player who emptied his hand can be returned
inline constexpr int kPlayForPointsSetting = 3;  // play for penalty points
inline constexpr int kCompulsorySetting = 4;     // aces and sevens must be played
inline constexpr int kShuffleSetting = 5;        // shuffle the turned pile
inline constexpr int kGamesSetting = 6;          // games in a match
inline constexpr int kDealtCardsSetting = 7;     // cards dealt to each player

// The keyword of a kind without digit or value ("req card", "sendcard"); for RuleSetting
// "info " alone, each setting adding its name.
std::string_view KeywordOf(ClientKind kind);

// A numbered message: "standing0", "sendcard1=eso pikové", "infosettings0 done".
// `value` is written after "=" when given; the kinds that have none never get one.
std::string FormatPlayerMessage(ClientKind kind, char playerDigit,
                                std::optional<std::string_view> value = std::nullopt);
// "info kolikbrat0=2": `setting` indexes kRuleSettingNames.
std::string FormatRuleSetting(int setting, char playerDigit, std::string_view value);

// What a client that can come back shows on its new connection.
struct ReturnTicket {
    std::string_view secret;
    std::uint64_t received = 0;  // messages it got from the server since the key
};
std::string FormatJoin(std::string_view tableName);
std::string FormatCanReturn();
std::string FormatReconnect(std::string_view secret, std::uint64_t received);
// "SECRET;COUNT"; a count that is missing or not a number reads as 0.
ReturnTicket ParseReturnTicket(std::string_view value);

// A client's message as the server recognises it.
struct ClientMessage {
    ClientKind kind;
    // The player digit as sent; empty for the messages said before numbering. Most kinds
    // accept only "0" or "1"; the draw request and the two end-of-game messages take
    // whatever character (a whole UTF-8 character) stands in its place.
    std::string_view sender;
    std::string_view value;  // the text after the first "=", "=" and all
    int settingIndex = -1;   // RuleSetting only: index into kRuleSettingNames
};

// The rules are tried in a fixed order and the first that matches wins; nothing for a
// message no rule names. Views in the result point into `message`.
std::optional<ClientMessage> ParseClientMessage(std::string_view message);

// A setting's value: decimal ASCII digits, kept in 8 bits as the server keeps settings
// (300 gives 44). Nothing for any other text: empty, signs, blanks, letters.
std::optional<std::uint8_t> ParseSettingValue(std::string_view text);
// A count of cards or points: decimal ASCII digits; very large counts stop at a ceiling
// far above any real count. Nothing for any other text.
inline constexpr std::uint32_t kCountCeiling = 1'000'000;
std::optional<std::uint32_t> ParseCount(std::string_view text);

}  // namespace tarvel::protocol
