// A presentation that writes down what the engine says and does, so a test can
// state exactly what the player hears after a move.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "null_presentation.h"

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

// One spoken event: "say z|Začínáš|1", "start |off|1", "number z|47", "leads z|3,5,3,2".
class RecordingPresentation : public NullPresentation {
  public:
    std::vector<std::string> spoken;
    std::vector<std::string> actions;  // drawing, labels, panels, menu items
    std::string label;
    std::vector<std::string> labels;  // every text the message line showed
    std::map<int, std::string> panels;
    std::map<MenuItem, bool> menu;
    bool soundsOn = true;

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        NoteSpoken({std::string(voice), std::string(text), variant});
        spoken.push_back("say " + std::string(voice) + "|" + std::string(text) + "|" +
                         std::to_string(variant));
    }
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        NoteSpoken({std::string(voice), std::string(text), variant});
        spoken.push_back("start " + std::string(voice) + "|" + std::string(text) + "|" +
                         std::to_string(variant));
    }
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override {
        NoteNumber(voice, number, sayZero);
        spoken.push_back("number " + std::string(voice) + "|" + std::to_string(number) +
                         (sayZero ? "" : "|nozero"));
    }
    void SayWhoLeads(std::string_view voice, const MatchStanding& s) override {
        NoteWhoLeads(voice, s);
        spoken.push_back("leads " + std::string(voice) + "|" + std::to_string(s.playerPenalty) + "," +
                         std::to_string(s.opponentPenalty) + "," + std::to_string(s.numberOfGames) + "," +
                         std::to_string(s.gameNumber));
    }
    bool SoundsOn() const override { return soundsOn; }
    void DrawSuitChoice() override { actions.push_back("DrawSuitChoice"); }
    void EraseSuitChoice() override { actions.push_back("EraseSuitChoice"); }
    void DrawRequestedSuit() override { actions.push_back("DrawRequestedSuit"); }
    void EraseRequestedSuit() override { actions.push_back("EraseRequestedSuit"); }
    void MovePointer(int x, int y) override {
        actions.push_back("MovePointer " + std::to_string(x) + "," + std::to_string(y));
    }
    void SetLabel(std::string_view text) override {
        label = std::string(text);
        labels.push_back(label);
    }
    void SetStatusPanel(int panel, std::string_view text) override { panels[panel] = std::string(text); }
    void EnableMenuItem(MenuItem item, bool enabled) override { menu[item] = enabled; }
    void ScoreTableStep() override { actions.push_back("ScoreTableStep"); }
    std::string LocalizedText(int index) override;

    // The spoken events, each shortened to its text, for compact expectations.
    std::vector<std::string> Texts() const;
    void Clear() {
        spoken.clear();
        actions.clear();
    }
};

}  // namespace tarvel::testing
