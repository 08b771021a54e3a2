// A text-to-speech service as the game uses it: the voices it has, speaking a text
// in the background, stopping, and the rate, pitch and volume of the voice. The
// opponent's messages are read with it, and a player may hear the whole game through
// it instead of the recordings. The window gives the real service; tests a fake.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

struct ServiceVoice {
    std::string id;     // what UseVoice takes, and what the settings file keeps
    std::string label;  // what a player recognises: the engine, the voice and its language
    std::string locale{};  // the voice's language and country, "cs_CZ"; empty when unknown

    friend bool operator==(const ServiceVoice&, const ServiceVoice&) = default;
};

class SpeechService {
  public:
    virtual ~SpeechService() = default;

    // False when there is no service at all (nothing installed, nothing answering).
    virtual bool Available() const = 0;
    virtual std::vector<ServiceVoice> Voices() = 0;
    // False, and the voice unchanged, for a voice the service does not have.
    virtual bool UseVoice(std::string_view id) = 0;

    // The service's own ranges: rate and pitch -1 … 1 (0 is the voice's own), volume 0 … 1.
    virtual void SetRate(double rate) = 0;
    virtual void SetPitch(double pitch) = 0;
    virtual void SetVolume(double volume) = 0;

    // Starts speaking the text (UTF-8), cutting off what is being spoken; returns at once.
    virtual void Say(std::string_view text) = 0;
    virtual void Stop() = 0;
    // True from Say until the text has been spoken (or stopped, or failed).
    virtual bool Speaking() = 0;
};

}  // namespace tarvel
