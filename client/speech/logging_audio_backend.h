// Instead of sounding, writes one line per phrase to a log: the file name, whether it
// was waited for, and whether the file exists. Used by tests, on machines without
// sound, and to find a missing recording.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "client/speech/audio_backend.h"

namespace tarvel {

class LoggingAudioBackend final : public AudioBackend {
  public:
    // Appends to the log at `logPath`; nothing when it cannot be opened, with the
    // reason in `error`.
    static std::unique_ptr<LoggingAudioBackend> Open(const std::string& logPath, std::string& error);

    // One line: "<file>\t<wait|start>\t<found|missing>". File names hold blanks, so
    // the fields are separated by tabs.
    void Start(const std::string& path, Playback playback) override;
    bool IsPlaying() override { return false; }

  private:
    explicit LoggingAudioBackend(std::ofstream log) : log_(std::move(log)) {}

    std::ofstream log_;
};

}  // namespace tarvel
