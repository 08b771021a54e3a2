// How the game is heard: through the recordings, or not at all (a screen reader then
// follows the table and the message line). Every phrase of the game first stops a
// replay of the history, so the game is always heard at once.
#pragma once

#include <functional>

#include "client/speech/phrase_player.h"
#include "engine/speech_port.h"

namespace tarvel {

enum class SpeechMode { Recordings = 0, Service = 1, Off = 2 };

class GameSpeech final : public SpeechPort {
  public:
    explicit GameSpeech(PhrasePlayer& recordings) : recordings_(recordings) {}
    GameSpeech(const GameSpeech&) = delete;
    GameSpeech& operator=(const GameSpeech&) = delete;

    void SetMode(SpeechMode mode) { mode_ = mode; }
    SpeechMode Mode() const { return mode_; }
    // The speech service's port, when there is one (Service mode falls back without it).
    void SetService(SpeechPort* service) { service_ = service; }

    std::function<void()> beforeSpeaking;

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override;
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override;
    bool SoundsOn() const override { return recordings_.SoundsOn(); }

  private:
    SpeechPort* Target();

    PhrasePlayer& recordings_;
    SpeechPort* service_ = nullptr;
    SpeechMode mode_ = SpeechMode::Recordings;
};

}  // namespace tarvel
