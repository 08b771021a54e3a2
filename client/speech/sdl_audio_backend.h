// Plays recordings through SDL's audio queue. Decoded sounds are kept, converted to
// the device's format, so that a phrase heard before starts without reading its file.
#pragma once

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "client/speech/audio_backend.h"

namespace tarvel {

class SdlAudioBackend final : public AudioBackend {
  public:
    // Opens the default output device; nothing when there is none, with SDL's reason
    // in `error`.
    static std::unique_ptr<SdlAudioBackend> Open(std::string& error);
    ~SdlAudioBackend() override;
    SdlAudioBackend(const SdlAudioBackend&) = delete;
    SdlAudioBackend& operator=(const SdlAudioBackend&) = delete;

    void Start(const std::string& path, Playback playback) override;
    bool IsPlaying() override;

    // Drops every decoded sound, so that the next playing reads its file again.
    void ForgetDecodedSounds() { decoded_.clear(); }

  private:
    using Clock = std::chrono::steady_clock;

    SdlAudioBackend(SDL_AudioDeviceID device, const SDL_AudioSpec& spec);
    // The samples of the file in the device's format; nothing when it cannot be read.
    const std::vector<std::uint8_t>* Decoded(const std::string& path);
    std::optional<std::vector<std::uint8_t>> DecodeFile(const std::string& path) const;
    Clock::duration DurationOf(std::size_t bytes) const;

    SDL_AudioDeviceID device_;
    SDL_AudioSpec spec_;
    std::unordered_map<std::string, std::vector<std::uint8_t>> decoded_;

    bool playing_ = false;
    // A device that stops taking samples must not hold the game forever.
    Clock::time_point giveUpAt_;
    // Once the queue is empty the device's own buffer still sounds for a moment.
    std::optional<Clock::time_point> drainedAt_;
};

}  // namespace tarvel
