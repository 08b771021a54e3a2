// A presentation that writes down everything the engine says and does, in order, so
// a test can state exactly what the player hears and sees after a move.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "testing/null_presentation.h"

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

// Says nothing and shows nothing; only notes which phrases were asked for.
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
};

// Records every phrase and every event as one line, in the order they came:
//   speech  "say z|Začínáš|1", "start |off|1", "number z|47", "leads z|3,5,3,2"
//   events  "Dealt", "PlayerDrew 3", "OpponentLaid 2", "Selection keys", "Won player",
//           "Label Vyhazuji" (the message line in Czech, as the window writes it)
// `events` holds them all; `spoken` only the speech and `actions` only the rest.
class RecordingPresentation : public PresentationPort {
  public:
    std::vector<std::string> events;
    std::vector<std::string> spoken;
    std::vector<std::string> actions;
    std::string label;
    std::vector<std::string> labels;  // every text the message line showed
    bool soundsOn = true;

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override;
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override;
    bool SoundsOn() const override { return soundsOn; }
    void Happened(const GameEvent& event) override;

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
    void WriteLine(MessageLine line, std::uint8_t count);
};

}  // namespace tarvel::testing
