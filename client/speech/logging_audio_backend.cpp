#include "client/speech/logging_audio_backend.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tarvel {

std::unique_ptr<LoggingAudioBackend> LoggingAudioBackend::Open(const std::string& logPath,
                                                               std::string& error) {
    std::ofstream log(logPath, std::ios::app);
    if (!log) {
        error = "cannot open the sound log " + logPath + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<LoggingAudioBackend>(new LoggingAudioBackend(std::move(log)));
}

void LoggingAudioBackend::Start(const std::string& path, Playback playback) {
    std::error_code ignored;
    const bool found = std::filesystem::is_regular_file(path, ignored);
    log_ << path << '\t' << (playback == Playback::Wait ? "wait" : "start") << '\t'
         << (found ? "found" : "missing") << '\n';
    // Flushed at once so that a reader sees every phrase while the game runs.
    log_.flush();
}

}  // namespace tarvel
