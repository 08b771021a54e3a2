// Indices of the client's texts in its string table: the status bar, the message line,
// messages of the window and what the table tells a screen reader.
#pragma once

namespace tarvel::text {

// The status bar's labels.
inline constexpr int kYourWins = 27;
inline constexpr int kMyWins = 28;
inline constexpr int kYourPoints = 29;
inline constexpr int kMyPoints = 30;
inline constexpr int kGame = 31;

// The message line.
inline constexpr int kIDraw = 57;            // "lížu"
inline constexpr int kCardsTwoToFour = 58;   // "karty"
inline constexpr int kCardsFiveOrMore = 59;  // "karet"
inline constexpr int kIChange = 60;          // "měním"
inline constexpr int kIWin = 61;             // "Jsem vítěz"
inline constexpr int kIStand = 62;           // "Stojím"
inline constexpr int kIPlay = 63;            // "Vyhazuji"
inline constexpr int kYouBegin = 64;         // "Začínáš"
inline constexpr int kYouWin = 65;           // "Jsi vítěz"
// A match that survives a lost connection.
inline constexpr int kConnectionLostTrying = 190;
inline constexpr int kConnectionBack = 191;
inline constexpr int kOpponentConnectionLost = 192;
inline constexpr int kOpponentBack = 193;
inline constexpr int kOpponentNotBack = 194;

inline constexpr int kRestartToApply = 93;
inline constexpr int kServerNotStarted = 121;  // "%1" is the server program's path
inline constexpr int kHelpNotOpened = 122;     // "%1" is the help file's path
inline constexpr int kPicturesMissing = 123;
inline constexpr int kNotReadyYet = 124;
inline constexpr int kTableName = 125;
inline constexpr int kNoMatchRunning = 126;
inline constexpr int kSelectedCard = 127;
inline constexpr int kSelectedSuit = 128;
inline constexpr int kOnThePile = 129;
inline constexpr int kSuitAskedFor = 130;
inline constexpr int kOpponentCards = 131;
inline constexpr int kCardOf = 132;  // "2 z 5": the selected card's place in the hand

// Network play.
inline constexpr int kCannotConnect = 112;
inline constexpr int kServerBusy = 113;
inline constexpr int kWaitForOpponent = 118;
inline constexpr int kSameUserName = 119;
inline constexpr int kConnectionLost = 133;
inline constexpr int kOpponentLeftBeforeStart = 134;
inline constexpr int kDifferentRulesRequest = 135;  // the same Czech text in both languages

// Messages between the players and the voice that reads them.
inline constexpr int kCancelMessage = 150;        // the same Czech caption in both languages
inline constexpr int kVoiceChatNotAllowed = 151;  // the same Czech text in both languages
inline constexpr int kMessageFromOpponent = 152;  // "%1" is the message, for a screen reader
inline constexpr int kNoChatVoice = 153;

// The network settings and the wait for the opponent.
inline constexpr int kPortNotValid = 140;  // "%1" is the port as typed
inline constexpr int kServerNotAnsweringYet = 141;
inline constexpr int kServerWithoutName = 142;  // how a screen reader reads a list line without a name
inline constexpr int kTableNameField = 143;         // the table's field: empty means "anyone"
inline constexpr int kTableNameNotValid = 144;  // "%1" is the name as typed

// The history of the match and how the game is heard.
inline constexpr int kHistoryMenu = 160;
inline constexpr int kRepeatOpponent = 161;
inline constexpr int kPreviousAnnouncement = 162;
inline constexpr int kNextAnnouncement = 163;
inline constexpr int kHistoryWindow = 164;
inline constexpr int kHistoryCaption = 165;
inline constexpr int kSpeakerPlayer = 166;
inline constexpr int kSpeakerOpponent = 167;
inline constexpr int kSpeakerEffect = 168;
inline constexpr int kNothingYet = 169;
inline constexpr int kSpeechModeGroup = 170;
inline constexpr int kSpeechRecordings = 171;
inline constexpr int kSpeechService = 172;
inline constexpr int kSpeechOff = 173;
inline constexpr int kNoSpeechService = 174;
inline constexpr int kScreenReaderToo = 185;  // the environment's "tell a screen reader also while the game speaks"

// The help text shown inside the game when the desktop cannot open it.
inline constexpr int kHelpCaption = 178;

}  // namespace tarvel::text
