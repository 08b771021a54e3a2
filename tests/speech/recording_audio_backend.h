// An audio backend for tests: records what was started and sounds each phrase for a
// set number of polls, cutting it off when the next one starts.
#pragma once

#include <string>
#include <vector>

#include "client/speech/audio_backend.h"

namespace tarvel {

class RecordingAudioBackend final : public AudioBackend {
  public:
    struct Started {
        std::string path;
        Playback playback;
        friend bool operator==(const Started&, const Started&) = default;
    };

    explicit RecordingAudioBackend(int pollsPerSound = 0) : pollsPerSound_(pollsPerSound) {}

    void Start(const std::string& path, Playback playback) override {
        if (pollsLeft_ > 0) ++cutOff;
        started.push_back({path, playback});
        pollsLeft_ = pollsPerSound_;
    }

    bool IsPlaying() override {
        ++polls;
        if (pollsLeft_ == 0) return false;
        --pollsLeft_;
        return true;
    }

    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const auto& s : started) paths.push_back(s.path);
        return paths;
    }

    std::vector<Started> started;
    int polls = 0;
    int cutOff = 0;  // sounds still playing when the next one started

  private:
    int pollsPerSound_;
    int pollsLeft_ = 0;
};

}  // namespace tarvel
