// Everything the engine does to the player's senses goes through this port: the
// phrase players, the table drawing, the pointer, the message line, the status bar
// and the menu. The client implements it; tests record it.
#pragma once

#include <cstddef>
#include <cstdint>
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

// What SayWhoLeads compares: the match is on while games remain.
struct MatchStanding {
    std::int32_t playerPenalty = 0;
    std::int32_t opponentPenalty = 0;
    std::uint8_t numberOfGames = 0;
    std::uint16_t gameNumber = 0;
};

class PresentationPort {
  public:
    virtual ~PresentationPort() = default;

    // Speech. The voice letter is "m", "z" or empty for sound effects.
    // SayPhrase returns when the phrase has been heard; StartPhrase returns at once.
    virtual void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) = 0;
    virtual void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) = 0;
    virtual void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) = 0;
    virtual void SayWhoLeads(std::string_view voice, const MatchStanding& standing) = 0;
    virtual bool SoundsOn() const = 0;

    // The table.
    virtual void ClearTable() = 0;
    virtual void RedrawTable() = 0;
    virtual void DrawPlayerHand() = 0;
    virtual void DrawOpponentHand() = 0;
    virtual void DrawPile() = 0;
    virtual void DrawStock() = 0;
    // A card just drawn, shown at its new place (1-based) at the end of a row.
    virtual void DrawPlayerCardAt(std::size_t position) = 0;
    virtual void DrawOpponentBackAt(std::size_t position) = 0;
    // A place left empty at the end of a row after a card was played from it.
    virtual void BlankPlayerCardAt(std::size_t position) = 0;
    virtual void BlankOpponentCardAt(std::size_t position) = 0;
    virtual void DrawSuitChoice() = 0;
    virtual void EraseSuitChoice() = 0;
    virtual void DrawRequestedSuit() = 0;
    virtual void EraseRequestedSuit() = 0;
    // Puts the selection marker at the state's MarkerX/MarkerY, moving the pointer too if asked.
    virtual void PlaceMarker(bool movePointer) = 0;
    virtual void ShowMarker(bool visible) = 0;

    // The pointer and what it last spoke under it.
    virtual void MovePointer(int x, int y) = 0;
    virtual void PointAtPile() = 0;
    virtual void ResetHover() = 0;
    virtual void SetHoverSuit(std::string_view marker) = 0;

    // The window around the table.
    virtual void SetLabel(std::string_view text) = 0;
    virtual void ShowLabel(bool visible) = 0;
    virtual void SetStatusPanel(int panel, std::string_view text) = 0;
    virtual void EnableMenuItem(MenuItem item, bool enabled) = 0;
    virtual void StartActivationTimer() = 0;
    // After a game played for points: offer the table of best results.
    virtual void ScoreTableStep() = 0;
    // A caption or message of the string table, in the chosen language.
    virtual std::string LocalizedText(int index) = 0;
};

}  // namespace tarvel
