// Plays the recordings of an installed game: the phrase players name every recording
// relative to the game folder ("zvuky/m7 srdcova1.wav"); here that name is looked up
// in the folder the recordings were installed into.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "client/speech/audio_backend.h"

namespace tarvel {

class FolderAudioBackend final : public AudioBackend {
  public:
    FolderAudioBackend(std::unique_ptr<AudioBackend> inner, std::filesystem::path folder)
        : inner_(std::move(inner)), folder_(std::move(folder)) {}

    // A relative name is taken inside the folder; an absolute one is played as it is.
    void Start(const std::string& path, Playback playback) override;
    bool IsPlaying() override { return inner_->IsPlaying(); }

  private:
    std::unique_ptr<AudioBackend> inner_;
    std::filesystem::path folder_;
};

}  // namespace tarvel
