// Where phrases become sound. One sound at a time: starting a new one cuts off the
// one still sounding, waited for or not.
#pragma once

#include <string>

#include "session/speech/playback.h"

namespace tarvel {

class AudioBackend {
  public:
    virtual ~AudioBackend() = default;

    // Starts the recording at `path`, cutting off whatever still sounds. A missing or
    // unreadable file leaves silence and is not reported to the player. `playback`
    // says whether the caller will wait for the end; the backend never blocks here.
    virtual void Start(const std::string& path, Playback playback) = 0;

    // True while the sound started last is still being heard.
    virtual bool IsPlaying() = 0;
};

// Plays nothing: machines without a sound device.
class SilentAudioBackend final : public AudioBackend {
  public:
    void Start(const std::string&, Playback) override {}
    bool IsPlaying() override { return false; }
};

}  // namespace tarvel
