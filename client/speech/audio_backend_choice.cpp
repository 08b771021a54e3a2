#include "client/speech/audio_backend_choice.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include "client/speech/logging_audio_backend.h"
#include "client/speech/sdl_audio_backend.h"

namespace tarvel {
namespace {

std::unique_ptr<AudioBackend> OpenSoundDevice(std::ostream& diagnostics) {
    std::string error;
    if (auto device = SdlAudioBackend::Open(error)) return device;
    diagnostics << "tarvel: no sound device (" << error << "); playing on without sound\n";
    return std::make_unique<SilentAudioBackend>();
}

std::unique_ptr<AudioBackend> OpenLog(std::string_view logPath, std::ostream& diagnostics) {
    std::string error;
    const std::string path(logPath.empty() ? kDefaultAudioLog : logPath);
    if (auto log = LoggingAudioBackend::Open(path, error)) return log;
    diagnostics << "tarvel: " << error << "; playing on without sound\n";
    return std::make_unique<SilentAudioBackend>();
}

std::string_view EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

std::unique_ptr<AudioBackend> MakeAudioBackend(std::string_view mode, std::string_view logPath,
                                               std::ostream& diagnostics) {
    if (mode == "log") return OpenLog(logPath, diagnostics);
    if (mode == "off") return std::make_unique<SilentAudioBackend>();
    if (!mode.empty() && mode != "sdl") {
        diagnostics << "tarvel: TARVEL_AUDIO=" << mode
                    << " is not one of sdl, log, off; using the sound device\n";
    }
    return OpenSoundDevice(diagnostics);
}

std::unique_ptr<AudioBackend> MakeAudioBackendFromEnvironment() {
    return MakeAudioBackend(EnvironmentValue("TARVEL_AUDIO"), EnvironmentValue("TARVEL_AUDIO_LOG"),
                            std::cerr);
}

}  // namespace tarvel
