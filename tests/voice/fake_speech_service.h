// A speech service for tests: keeps a record of every call but Speaking(), and says it
// is still speaking for a set number of Speaking() questions after each Say.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "client/voice/speech_service.h"

namespace tarvel::testing {

class FakeSpeechService final : public SpeechService {
  public:
    // Calls as text: "say:<text>", "stop", "voice:<id>", "rate", "pitch", "volume".
    std::vector<std::string> calls;
    // How many Speaking() answers are true after each Say; below zero, every one.
    int speakingPolls = 0;
    int polls = 0;  // Speaking() questions so far
    bool available = true;
    std::vector<ServiceVoice> voices;
    std::string voice;  // the id of the voice in use
    double rate = 0.0;
    double pitch = 0.0;
    double volume = 1.0;

    bool Available() const override { return available; }
    std::vector<ServiceVoice> Voices() override { return voices; }
    bool UseVoice(std::string_view id) override {
        const bool known = std::any_of(voices.begin(), voices.end(), [&](const auto& v) { return v.id == id; });
        if (!known) return false;
        calls.push_back("voice:" + std::string(id));
        voice = id;
        return true;
    }
    void SetRate(double value) override {
        calls.emplace_back("rate");
        rate = value;
    }
    void SetPitch(double value) override {
        calls.emplace_back("pitch");
        pitch = value;
    }
    void SetVolume(double value) override {
        calls.emplace_back("volume");
        volume = value;
    }
    void Say(std::string_view text) override {
        calls.push_back("say:" + std::string(text));
        left_ = speakingPolls;
    }
    void Stop() override {
        calls.emplace_back("stop");
        left_ = 0;
    }
    bool Speaking() override {
        ++polls;
        if (left_ == 0) return false;
        if (left_ > 0) --left_;
        return true;
    }

  private:
    int left_ = 0;
};

}  // namespace tarvel::testing
