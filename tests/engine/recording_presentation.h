// A presentation that writes down everything the engine says and does, in order, so
// a test can state exactly what the player hears and sees after a move.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "engine/null_presentation.h"

namespace tarvel::testing {

// A phrase as the engine asked for it.
struct SpokenPhrase {
    std::string voice;
    std::string text;
    std::uint8_t variant = 1;
    auto operator<=>(const SpokenPhrase&) const = default;
};

// Every phrase any recording presentation of this test program was asked to play,
// numbers and who-leads announcements already broken into their words.
const std::set<SpokenPhrase>& AllSpokenPhrases();
void NoteSpoken(SpokenPhrase phrase);
void NoteNumber(std::string_view voice, std::int32_t number, bool sayZero);
void NoteWhoLeads(std::string_view voice, const MatchStanding& standing);

// Says nothing and draws nothing; only notes which phrases were asked for.
class PhraseCollector : public NullPresentation {
  public:
    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        NoteSpoken({std::string(voice), std::string(text), variant});
    }
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        NoteSpoken({std::string(voice), std::string(text), variant});
    }
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override {
        NoteNumber(voice, number, sayZero);
    }
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override {
        NoteWhoLeads(voice, standing);
    }
    std::string LocalizedText(int) override { return "text"; }
};

// Records every call of the three ports as one line, in the order they came:
//   speech  "say z|Začínáš|1", "start |off|1", "number z|47", "leads z|3,5,3,2"
//   table   "RedrawTable", "DrawPlayerCardAt 3", "PlaceMarker 45,225 pointer", "ShowMarker off",
//           "MovePointer 65,315", "PointAtPile", "ResetHover", "SetHoverSuit  srdce"
//   window  "Label Začínáš", "ShowLabel on", "Panel 9 2", "Menu ekni1 on", "ActivationTimer",
//           "ScoreTableStep"
// `events` holds them all; `spoken` only the speech and `actions` only the rest.
class RecordingPresentation : public PresentationPort {
  public:
    std::vector<std::string> events;
    std::vector<std::string> spoken;
    std::vector<std::string> actions;
    std::string label;
    std::vector<std::string> labels;  // every text the message line showed
    std::map<int, std::string> panels;
    std::map<MenuItem, bool> menu;
    bool soundsOn = true;
    // The marker's place is read from the state when PlaceMarker is called.
    const GameState* state = nullptr;

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override;
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override;
    bool SoundsOn() const override { return soundsOn; }

    void ClearTable() override { Act("ClearTable"); }
    void RedrawTable() override { Act("RedrawTable"); }
    void DrawPlayerHand() override { Act("DrawPlayerHand"); }
    void DrawOpponentHand() override { Act("DrawOpponentHand"); }
    void DrawPile() override { Act("DrawPile"); }
    void DrawStock() override { Act("DrawStock"); }
    void DrawPlayerCardAt(std::size_t position) override {
        Act("DrawPlayerCardAt " + std::to_string(position));
    }
    void DrawOpponentBackAt(std::size_t position) override {
        Act("DrawOpponentBackAt " + std::to_string(position));
    }
    void BlankPlayerCardAt(std::size_t position) override {
        Act("BlankPlayerCardAt " + std::to_string(position));
    }
    void BlankOpponentCardAt(std::size_t position) override {
        Act("BlankOpponentCardAt " + std::to_string(position));
    }
    void DrawSuitChoice() override { Act("DrawSuitChoice"); }
    void EraseSuitChoice() override { Act("EraseSuitChoice"); }
    void DrawRequestedSuit() override { Act("DrawRequestedSuit"); }
    void EraseRequestedSuit() override { Act("EraseRequestedSuit"); }
    void PlaceMarker(bool movePointer) override;
    void ShowMarker(bool visible) override { Act(std::string("ShowMarker ") + (visible ? "on" : "off")); }
    void MovePointer(int x, int y) override {
        Act("MovePointer " + std::to_string(x) + "," + std::to_string(y));
    }
    void PointAtPile() override { Act("PointAtPile"); }
    void ResetHover() override { Act("ResetHover"); }
    void SetHoverSuit(std::string_view marker) override { Act("SetHoverSuit " + std::string(marker)); }

    void SetLabel(std::string_view text) override;
    void ShowLabel(bool visible) override { Act(std::string("ShowLabel ") + (visible ? "on" : "off")); }
    void SetStatusPanel(StatusPanel panel, std::string_view text) override;
    void EnableMenuItem(MenuItem item, bool enabled) override;
    void StartActivationTimer() override { Act("ActivationTimer"); }
    void ScoreTableStep() override { Act("ScoreTableStep"); }
    std::string LocalizedText(int index) override;

    // The spoken events, each shortened to its text, for compact expectations.
    std::vector<std::string> Texts() const;
    // The events that start with one of the prefixes, in order.
    std::vector<std::string> Only(std::initializer_list<std::string_view> prefixes) const;
    void Clear() {
        events.clear();
        spoken.clear();
        actions.clear();
    }

  private:
    void Speak(std::string event);
    void Act(std::string event);
};

std::string_view MenuItemName(MenuItem item);

}  // namespace tarvel::testing
