#include "web/messages/message_set.h"

#include <array>

namespace tarvel::web {
namespace {

using K = FieldKind;

// Page to tarvelweb.
constexpr std::array kHelloFields{
    FieldSpec{field::kLanguage, K::Text, true, kLanguageLength},
    FieldSpec{field::kResume, K::Text, false, kSecretLength},
};
constexpr std::array kCommandFields{FieldSpec{field::kName, K::Command, true, kCommandNameLength}};
constexpr std::array kScoreNameFields{FieldSpec{field::kName, K::Text, true, kPlayerNameLength}};

// The game settings of the desktop's dialog, kept in the browser.
constexpr std::array kSettingsFields{
    FieldSpec{field::kPickupForSeven, K::Integer},  // 2 or 3
    FieldSpec{field::kKingOfSpades, K::Flag},
    FieldSpec{field::kReturnToGame, K::Flag},
    FieldSpec{field::kPlayForPoints, K::Flag},
    FieldSpec{field::kNumberOfGames, K::Integer},  // 0 (until the end command) to 99
    FieldSpec{field::kCompulsory, K::Flag},
    FieldSpec{field::kShuffleCards, K::Flag},
    FieldSpec{field::kDealtCards, K::Integer},  // 4 to 10
    FieldSpec{field::kGender, K::Text, true, 1},  // "m" or "z": the player's voice
    FieldSpec{field::kUseTable, K::Flag},
    FieldSpec{field::kComputerLevel, K::Integer},  // 0 fixed preferences, 1 strong
};

constexpr std::array kKeptScoresFields{FieldSpec{field::kTable, K::Text, true, kKeptScoresLength}};
// The table to meet at; empty: anyone. The server is tarvelweb's, never the page's.
constexpr std::array kNetworkMatchFields{FieldSpec{field::kTable, K::Text, true, kTableNameLength}};
constexpr std::array kChatFields{FieldSpec{field::kText, K::Text, true, kChatLength}};

constexpr std::array kPageMessages{
    MessageSpec{"hello", kHelloFields,
                "The first message of a tab: its language, and the secret of the session it had before a reload."},
    MessageSpec{"command", kCommandFields, "A key or a menu item: one of the game commands."},
    MessageSpec{"scoreName", kScoreNameFields, "The name written into the table of best results."},
    MessageSpec{"settings", kSettingsFields,
                "The game settings the page keeps: sent after hello and whenever the player changes them."},
    MessageSpec{"keptScores", kKeptScoresFields,
                "The table of best results this browser keeps (base64), sent after a new session's welcome."},
    MessageSpec{"networkMatch", kNetworkMatchFields,
                "A network match on tarvelweb's game server, at the table named (empty: with anyone)."},
    MessageSpec{"chat", kChatFields, "A message to the opponent of the network match."},
};

// tarvelweb to the page.
constexpr std::array kWelcomeFields{
    FieldSpec{field::kSecret, K::Text},
    FieldSpec{field::kResumed, K::Flag},
};
constexpr std::array kPhraseFields{
    FieldSpec{field::kFile, K::Text},  // the recording's name in zvuky/, without its extension
    FieldSpec{field::kText, K::Text},
};
constexpr std::array kSentenceFields{
    FieldSpec{field::kPhrases, K::ObjectList, true, 0, kPhraseFields},
    FieldSpec{field::kText, K::Text},
    FieldSpec{field::kLang, K::Text},
};
// A card or a suit as the page shows it: its picture in karty/ without the extension
// ("card5", "col1") and its name as the screen reader reads it.
constexpr std::array kShownFields{
    FieldSpec{field::kPicture, K::Text},
    FieldSpec{field::kName, K::Text},
};
constexpr std::array kTableFields{
    FieldSpec{field::kHand, K::ObjectList, true, 0, kShownFields},  // in hand order
    FieldSpec{field::kSelected, K::Integer},                        // index into the hand, -1 for none
    FieldSpec{field::kSuits, K::ObjectList, true, 0, kShownFields},  // the suit choice, empty when none runs
    FieldSpec{field::kSelectedSuit, K::Integer},                     // index into the suits, -1 for none
    FieldSpec{field::kPile, K::ObjectList, true, 0, kShownFields},   // the pile's top card, if any
    FieldSpec{field::kRequestedSuit, K::ObjectList, true, 0, kShownFields},  // the suit a queen asks for, if any
    FieldSpec{field::kOpponentCount, K::Integer},
    FieldSpec{field::kStock, K::Integer},
    FieldSpec{field::kPlayerTurn, K::Flag},
    FieldSpec{field::kRunning, K::Flag},
    FieldSpec{field::kLine, K::Text},  // the message line: what the game announces in writing
};
constexpr std::array kHistoryFields{
    FieldSpec{field::kLines, K::TextList},
    FieldSpec{field::kReplace, K::Flag},
};
constexpr std::array kEnabledFields{FieldSpec{field::kCommands, K::CommandList}};
constexpr std::array kNoticeFields{FieldSpec{field::kText, K::Text}};
constexpr std::array kScoresFields{
    FieldSpec{field::kLines, K::TextList},
    FieldSpec{field::kCanWrite, K::Flag},     // the result just reached a place: a name may be written
    FieldSpec{field::kCanContinue, K::Flag},  // closing it goes on with the match
    FieldSpec{field::kCanClose, K::Flag},
};
constexpr std::array kKeepScoresFields{FieldSpec{field::kTable, K::Text}};
constexpr std::array kReceivedChatFields{FieldSpec{field::kText, K::Text}};
constexpr std::array kNetworkFields{
    FieldSpec{field::kWaiting, K::Flag},    // waiting for the server or the opponent: stopWaiting ends it
    FieldSpec{field::kNoAnswer, K::Flag},   // and the server has not answered for a while
    FieldSpec{field::kReturning, K::Flag},  // coming back after a lost connection: giveUpReturn ends it
    FieldSpec{field::kMatch, K::Flag},      // a network match runs: messages may be sent
};

constexpr std::array kServerMessages{
    MessageSpec{"welcome", kWelcomeFields, "The tab's session: its secret, and whether it was the one asked back."},
    MessageSpec{"sentence", kSentenceFields,
                "What the game says in answer to one command: its recordings in order and its text."},
    MessageSpec{"table", kTableFields, "What lies on the table, for the helper's drawing and the hand's list."},
    MessageSpec{"history", kHistoryFields, "Lines of the history: added, or all of them when replace is set."},
    MessageSpec{"enabled", kEnabledFields, "The game commands that do something now."},
    MessageSpec{"notice", kNoticeFields, "A message to the player, as the desktop shows in a message box."},
    MessageSpec{"scores", kScoresFields,
                "The table of best results to show, until the page sends closeScores or a name."},
    MessageSpec{"keepScores", kKeepScoresFields,
                "The table of best results (base64) for the browser to keep, after a result was written into it."},
    MessageSpec{"network", kNetworkFields, "The network match's moment, whenever it changes."},
    MessageSpec{"chatReceived", kReceivedChatFields,
                "A message from the opponent, as it is read (its line comes in the history)."},
};

constexpr std::array<std::string_view, 29> kGameCommandNames{
    "newMatch",     "endMatch",       "play",           "draw",          "left",
    "right",        "first",          "last",           "selectedCard",  "selectedValue",
    "allCards",     "pileCard",       "gameNumber",     "playerWins",    "opponentWins",
    "playerPoints", "tablePoints",    "opponentPoints", "opponentCount", "playerCount",
    "toggleSounds", "toggleSayDrawn", "repeatOpponent", "previousAnnouncement", "nextAnnouncement",
    "showScores",   "closeScores",    "stopWaiting",    "giveUpReturn",
};
static_assert(kGameCommandNames.size() == static_cast<std::size_t>(GameCommand::GiveUpReturn) + 1);

}  // namespace

std::span<const MessageSpec> PageMessages() {
    return kPageMessages;
}

std::span<const MessageSpec> ServerMessages() {
    return kServerMessages;
}

const MessageSpec& Spec(PageMessage message) {
    return kPageMessages.at(static_cast<std::size_t>(message));
}

const MessageSpec& Spec(ServerMessage message) {
    return kServerMessages.at(static_cast<std::size_t>(message));
}

std::span<const std::string_view> GameCommandNames() {
    return kGameCommandNames;
}

std::string_view Name(GameCommand command) {
    return kGameCommandNames.at(static_cast<std::size_t>(command));
}

}  // namespace tarvel::web
