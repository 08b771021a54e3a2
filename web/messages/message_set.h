// The messages between the page and tarvelweb, both ways, in one place: every message
// name, every field name and kind, and the game commands the page may send. The page's
// TypeScript module is printed from these tables (typescript_export.h), so no name is
// written twice and the two ends cannot drift apart.
//
// On the wire each message is one WebSocket text frame holding a JSON object whose
// "type" is the message name; its other members are the message's fields.
#pragma once

#include <span>
#include <string_view>

namespace tarvel::web {

enum class FieldKind {
    Text,
    Integer,
    Flag,
    Command,  // the name of a game command
    IntegerList,
    TextList,
    CommandList,
    ObjectList,  // objects whose fields `items` lists
};

struct FieldSpec {
    std::string_view name;
    FieldKind kind;
    bool required = true;
    int maxLength = 0;  // Text: the most UTF-16 code units the page may send
    std::span<const FieldSpec> items = {};
};

struct MessageSpec {
    std::string_view name;
    std::span<const FieldSpec> fields;
    std::string_view meaning;  // one line, printed above the TypeScript type
};

// The member that names a message.
inline constexpr std::string_view kTypeField = "type";

// What the page sends.
enum class PageMessage { Hello, Command, ScoreName, Settings, KeptScores, NetworkMatch, Chat };
// What tarvelweb sends.
enum class ServerMessage { Welcome, Sentence, Table, History, Enabled, Notice, Scores, KeepScores, Network, ChatReceived };

std::span<const MessageSpec> PageMessages();
std::span<const MessageSpec> ServerMessages();
const MessageSpec& Spec(PageMessage message);
const MessageSpec& Spec(ServerMessage message);

// The commands a key, a click or a menu item of the page stands for; the game decides
// what each does at the moment (a card or a suit moves, a draw or a stand...).
enum class GameCommand {
    NewMatch,
    EndMatch,
    Play,
    Draw,
    Left,
    Right,
    First,
    Last,
    SelectedCard,
    SelectedValue,
    AllCards,
    PileCard,
    GameNumber,
    PlayerWins,
    OpponentWins,
    PlayerPoints,
    TablePoints,
    OpponentPoints,
    OpponentCount,
    PlayerCount,
    ToggleSounds,
    ToggleSayDrawn,
    RepeatOpponent,
    PreviousAnnouncement,
    NextAnnouncement,
    ShowScores,
    CloseScores,
    StopWaiting,   // the wait for the network opponent's Cancel
    GiveUpReturn,  // stop trying to come back into a network match whose connection was lost
};

std::span<const std::string_view> GameCommandNames();
std::string_view Name(GameCommand command);

// Field names the two directions' code refers to.
namespace field {
inline constexpr std::string_view kLanguage = "language";
inline constexpr std::string_view kResume = "resume";
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kSecret = "secret";
inline constexpr std::string_view kResumed = "resumed";
inline constexpr std::string_view kPhrases = "phrases";
inline constexpr std::string_view kFile = "file";
inline constexpr std::string_view kText = "text";
inline constexpr std::string_view kLang = "lang";
inline constexpr std::string_view kHand = "hand";
inline constexpr std::string_view kSelected = "selected";
inline constexpr std::string_view kPicture = "picture";
inline constexpr std::string_view kSuits = "suits";
inline constexpr std::string_view kSelectedSuit = "selectedSuit";
inline constexpr std::string_view kOpponentCount = "opponentCount";
inline constexpr std::string_view kPile = "pile";
inline constexpr std::string_view kRequestedSuit = "requestedSuit";
inline constexpr std::string_view kStock = "stock";
inline constexpr std::string_view kPlayerTurn = "playerTurn";
inline constexpr std::string_view kRunning = "running";
inline constexpr std::string_view kLine = "line";
inline constexpr std::string_view kLines = "lines";
inline constexpr std::string_view kReplace = "replace";
inline constexpr std::string_view kCommands = "commands";
inline constexpr std::string_view kPickupForSeven = "pickupForSeven";
inline constexpr std::string_view kKingOfSpades = "kingOfSpades";
inline constexpr std::string_view kReturnToGame = "returnToGame";
inline constexpr std::string_view kPlayForPoints = "playForPoints";
inline constexpr std::string_view kNumberOfGames = "numberOfGames";
inline constexpr std::string_view kCompulsory = "compulsory";
inline constexpr std::string_view kShuffleCards = "shuffleCards";
inline constexpr std::string_view kDealtCards = "dealtCards";
inline constexpr std::string_view kGender = "gender";
inline constexpr std::string_view kUseTable = "useTable";
inline constexpr std::string_view kComputerLevel = "computerLevel";
inline constexpr std::string_view kCanWrite = "canWrite";
inline constexpr std::string_view kCanContinue = "canContinue";
inline constexpr std::string_view kCanClose = "canClose";
inline constexpr std::string_view kTable = "table";
inline constexpr std::string_view kWaiting = "waiting";
inline constexpr std::string_view kNoAnswer = "noAnswer";
inline constexpr std::string_view kReturning = "returning";
inline constexpr std::string_view kMatch = "match";
}  // namespace field

// Limits every page message is held to.
inline constexpr int kLanguageLength = 2;
inline constexpr int kSecretLength = 32;
inline constexpr int kPlayerNameLength = 31;
inline constexpr int kCommandNameLength = 32;
// The table of best results in base64: 320 bytes are 428 characters.
inline constexpr int kKeptScoresLength = 428;
// A table's name on the game server: 32 characters; a UTF-16 pair is one of them, but
// none is a letter the server's code page holds, so 32 code units are enough.
inline constexpr int kTableNameLength = 32;
// A message to the opponent: as long as the desktop's message field takes.
inline constexpr int kChatLength = 70;

}  // namespace tarvel::web
