// The speech service over Qt TextToSpeech.
//
// The engine is speech-dispatcher ("speechd", which gives espeak-ng's Czech voices)
// when it comes up, else flite, else any other engine Qt has. An engine counts as up
// when it was created without an error and answered within the start limit; flite
// reports an error when there is no sound device, speech-dispatcher when its server
// cannot be reached or started.
//
// Nothing here waits on the speech library: the engine runs on a thread of its own
// (see speech_engine_thread.h), and the only wait is the constructor's, at most the
// start limit for each engine tried. An engine that stops taking commands is given up:
// the service then reports itself unavailable and silent.
//
// Needs the application object (QCoreApplication or one of its kind).
#pragma once

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "client/voice/speech_service.h"

namespace tarvel {

namespace voice_detail {
class SpeechEngineThread;
}

class QtSpeechService final : public SpeechService {
  public:
    struct Limits {
        std::chrono::milliseconds start{8000};  // for one engine to come up (speech-dispatcher
                                                // may first have to be started)
        std::chrono::milliseconds answer{5000};  // for the engine to take a command
        std::chrono::milliseconds begin{3000};   // for a said text to begin
        std::chrono::milliseconds base{2000};    // for it to end: this and, per character,
        std::chrono::milliseconds perCharacter{200};
    };

    // The engines in their order of preference: speechd, flite, then Qt's others.
    static std::vector<std::string> PreferredEngines();

    QtSpeechService() : QtSpeechService(PreferredEngines(), Limits{}) {}
    // Tries the engines in the order given and keeps the first that comes up.
    QtSpeechService(const std::vector<std::string>& engines, Limits limits);
    ~QtSpeechService() override;
    QtSpeechService(const QtSpeechService&) = delete;
    QtSpeechService& operator=(const QtSpeechService&) = delete;

    bool Available() const override;
    // Every voice of every language of the engine; empty without one.
    std::vector<ServiceVoice> Voices() override;
    bool UseVoice(std::string_view id) override;

    void SetRate(double rate) override;
    void SetPitch(double pitch) override;
    void SetVolume(double volume) override;

    void Say(std::string_view text) override;
    void Stop() override;
    bool Speaking() override;

    // The engine in use ("speechd", "flite", …), empty when none came up.
    std::string Engine() const;
    // The engine's last error, or why there is none, for the player's message.
    std::string Problem() const;

  private:
    bool Stuck() const;

    Limits limits_;
    std::unique_ptr<voice_detail::SpeechEngineThread> engine_;
    std::string engineName_;
    std::string problem_;
    std::vector<ServiceVoice> voices_;
    std::set<std::string, std::less<>> voiceIds_;
    std::uint64_t lastUtterance_ = 0;
    std::uint64_t stoppedUtterance_ = 0;
};

}  // namespace tarvel
