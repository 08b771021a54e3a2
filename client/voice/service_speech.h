// The game heard through the speech service instead of the recordings: the engine's
// speech port over a SpeechService.
//
// Words are spoken by the service; sound effects (the empty voice letter: throwing,
// drawing, the edge, "off", "on", the table of results) are not words and go to a
// second speech port, the phrase player, so they still sound as recordings.
//
// A waited-for phrase holds the game as the phrase player does: SayPhrase returns when
// the service says it has finished, and meanwhile calls nothing but the while-waiting
// hook, a few milliseconds apart. A service that never reports the end holds the game
// no longer than a limit that grows with the length of the text.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/speech_port.h"
#include "client/voice/speech_service.h"

namespace tarvel {

class ServiceSpeech final : public SpeechPort {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // How long one waited-for phrase may hold the game: far beyond the slowest voice.
    struct WaitLimit {
        std::chrono::milliseconds base{2000};
        std::chrono::milliseconds perCharacter{200};
    };

    // Both are borrowed and must outlive this. `now` is the clock of the wait limit.
    ServiceSpeech(SpeechService& service, SpeechPort& effects, Clock now = std::chrono::steady_clock::now)
        : service_(service), effects_(effects), now_(std::move(now)) {}
    ServiceSpeech(const ServiceSpeech&) = delete;
    ServiceSpeech& operator=(const ServiceSpeech&) = delete;

    // Speaks the text (one leading blank dropped: " srdce" is "srdce") and returns
    // when it has been heard. With the empty voice letter, the effects port plays it.
    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    // Stops what is spoken, starts the text and returns at once.
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override;
    // The number as its decimal text, said in the voice's own language; nothing for 0
    // unless sayZero.
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override;
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override;

    // With sounds off nothing is spoken and no effect is handed on.
    bool SoundsOn() const override { return soundsOn_; }
    void SetSoundsOn(bool on) { soundsOn_ = on; }

    // The service's voices for the two voice letters, "m" and "z". An empty id (or one
    // the service does not have) falls back to the other letter's; with both empty the
    // service speaks in the voice it has. The voice is chosen again before every phrase,
    // as the same service also reads the opponent's messages in a voice of their own.
    void SetLetterVoices(std::string maleId, std::string femaleId);

    void SetWaitLimit(WaitLimit limit) { limit_ = limit; }
    // Called repeatedly, a few milliseconds apart, while a waited-for phrase is spoken.
    void SetWhileWaiting(std::function<void()> hook) { whileWaiting_ = std::move(hook); }
    // True inside SayPhrase, for a handler that finds itself run during the wait.
    bool IsHoldingGame() const { return holdingGame_; }

  private:
    // The words to speak, or empty when there are none.
    static std::string_view Words(std::string_view text);
    void Speak(std::string_view voice, std::string_view words);
    void ChooseVoice(std::string_view voice);
    void WaitUntilSpoken(std::size_t characters);

    SpeechService& service_;
    SpeechPort& effects_;
    Clock now_;
    WaitLimit limit_;
    std::string maleVoice_;
    std::string femaleVoice_;
    bool soundsOn_ = true;
    bool holdingGame_ = false;
    std::function<void()> whileWaiting_;
};

}  // namespace tarvel
