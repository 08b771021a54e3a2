// The engine's speech passed on unchanged, with every phrase also written into the
// history of the match: numbers as the words they are heard as, who leads as its text.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "session/history/announcement_history.h"
#include "engine/speech_port.h"

namespace tarvel {

class RecordedSpeech final : public SpeechPort {
  public:
    // `playerVoice` tells which voice letter is the player's at the moment.
    RecordedSpeech(SpeechPort& inner, AnnouncementHistory& history, std::function<std::string()> playerVoice)
        : inner_(inner), history_(history), playerVoice_(std::move(playerVoice)) {}
    // Every voiced phrase is `speaker`'s, whatever its voice: the engine's port for the
    // opponent's words, whose voice may be the player's own.
    RecordedSpeech(SpeechPort& inner, AnnouncementHistory& history, Speaker speaker)
        : inner_(inner), history_(history), speaker_(speaker) {}
    RecordedSpeech(const RecordedSpeech&) = delete;
    RecordedSpeech& operator=(const RecordedSpeech&) = delete;

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override;
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override;
    bool SoundsOn() const override { return inner_.SoundsOn(); }

  private:
    void Note(std::string_view voice, std::string_view text, std::uint8_t variant, bool waited);

    SpeechPort& inner_;
    AnnouncementHistory& history_;
    std::function<std::string()> playerVoice_;
    std::optional<Speaker> speaker_;
};

}  // namespace tarvel
