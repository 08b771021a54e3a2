// The phrase players: the engine's speech port, played from the recordings.
//
// A waited-for phrase holds the game: SayPhrase returns only when the recording has
// been heard, and meanwhile calls nothing but the while-waiting hook, which the window
// sets to repaint itself without handling keys, clicks, timers or sockets.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "client/speech/audio_backend.h"
#include "common/random_source.h"
#include "engine/speech_port.h"

namespace tarvel {

class PhrasePlayer final : public SpeechPort {
  public:
    // Both are borrowed and must outlive the player. `random` picks among the
    // recordings of a phrase that has several.
    PhrasePlayer(AudioBackend& audio, RandomSource& random) : audio_(audio), random_(random) {}
    PhrasePlayer(const PhrasePlayer&) = delete;
    PhrasePlayer& operator=(const PhrasePlayer&) = delete;

    // Plays the recording of (voice letter, text, variant) and returns when it has
    // ended. The voice letter is "m", "z", or empty for sound effects.
    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    // Starts the recording and returns at once.
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    // The number word by word, each waited for.
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override;
    // Who leads the match, or who won it.
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override;

    // With sounds off no phrase plays and no file is opened.
    bool SoundsOn() const override { return soundsOn_; }
    void SetSoundsOn(bool on) { soundsOn_ = on; }

    // Called repeatedly, a few milliseconds apart, while a waited-for phrase sounds.
    void SetWhileWaiting(std::function<void()> hook) { whileWaiting_ = std::move(hook); }
    // True inside SayPhrase, for a handler that finds itself run during the wait.
    bool IsHoldingGame() const { return holdingGame_; }

  private:
    void Play(std::string_view voice, std::string_view text, std::uint8_t variant, Playback playback);
    void WaitUntilSilent();

    AudioBackend& audio_;
    RandomSource& random_;
    bool soundsOn_ = true;
    bool holdingGame_ = false;
    std::function<void()> whileWaiting_;
};

}  // namespace tarvel
