// The window around the table as the engine uses it: the message line, the status
// bar, the menu, the activation timer, the table of best results and the texts of
// the string table.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Menu items whose enabling the engine changes.
enum class MenuItem {
    Novsovhra1,           // new network match
    Ukonenhry1,           // end the match
    Nastavenhry1,         // game settings
    Sovnastaven1,         // network settings
    ekni1,                // the Say submenu
    tvojebody1,           // say your points
    Mojebody1,            // say my points
    Tvojebodydotabulky1,  // your points into the table
    Polizprvusoupei1,     // message to the opponent
};

// The ten panels of the status bar, left to right: a label, then its figure.
enum class StatusPanel {
    PlayerWinsLabel,
    PlayerWins,
    OpponentWinsLabel,
    OpponentWins,
    PlayerPointsLabel,
    PlayerPoints,
    OpponentPointsLabel,
    OpponentPoints,
    GameLabel,
    GameNumber,
};

// Indices of the string table the engine shows.
namespace text {
inline constexpr int kYourWins = 27;
inline constexpr int kMyWins = 28;
inline constexpr int kYourPoints = 29;
inline constexpr int kMyPoints = 30;
inline constexpr int kGame = 31;
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
}  // namespace text

class WindowPort {
  public:
    virtual ~WindowPort() = default;

    // The message line that shows the last announcement while sounds are off.
    virtual void SetLabel(std::string_view text) = 0;
    virtual void ShowLabel(bool visible) = 0;
    virtual void SetStatusPanel(StatusPanel panel, std::string_view text) = 0;
    virtual void EnableMenuItem(MenuItem item, bool enabled) = 0;
    // The full redraw a moment after a match starts.
    virtual void StartActivationTimer() = 0;
    // After a game: offer the table of best results.
    virtual void ScoreTableStep() = 0;
    // A caption or message of the string table, in the chosen language.
    virtual std::string LocalizedText(int index) = 0;
};

}  // namespace tarvel
