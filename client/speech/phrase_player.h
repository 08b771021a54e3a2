// The phrase players: the speech half of the engine's presentation port. The client
// window forwards SayPhrase, StartPhrase, SayNumber, SayWhoLeads and SoundsOn here.
//
// A waited-for phrase holds the game: SayPhrase returns only when the recording has
// been heard, and meanwhile calls nothing but the while-waiting hook, which the window
// sets to repaint itself without handling keys, clicks, timers or sockets.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "audio_backend.h"
#include "presentation_port.h"
#include "random_source.h"

namespace tarvel {

class PhrasePlayer {
  public:
    // Both are borrowed and must outlive the player. `random` picks among the
    // recordings of a phrase that has several.
    PhrasePlayer(AudioBackend& audio, RandomSource& random) : audio_(audio), random_(random) {}

    // Plays the recording of (voice letter, text, variant) and returns when it has
    // ended. The voice letter is "m", "z", or empty for sound effects.
    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant);
    // Starts the recording and returns at once.
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant);
    // The number word by word, each waited for.
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero);
    // Who leads the match, or who won it.
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing);

    // With sounds off no phrase plays and no file is opened.
    bool SoundsOn() const { return soundsOn_; }
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
