// Which backend plays the phrases, chosen by the environment:
//   TARVEL_AUDIO       "sdl" (or unset): the sound device;
//                      "log": write the phrases to a log instead of sounding;
//                      "off": silence.
//   TARVEL_AUDIO_LOG   the log's path for "log" (default "tarvel-audio.log").
// A backend that cannot be opened is reported in one line and leaves silence.
#pragma once

#include <memory>
#include <ostream>
#include <string_view>

#include "client/speech/audio_backend.h"

namespace tarvel {

inline constexpr std::string_view kDefaultAudioLog = "tarvel-audio.log";

// `mode` and `logPath` as the two variables give them (empty when unset). Problems go
// to `diagnostics`, one line each.
std::unique_ptr<AudioBackend> MakeAudioBackend(std::string_view mode, std::string_view logPath,
                                               std::ostream& diagnostics);

// The same, read from the environment, problems on standard error.
std::unique_ptr<AudioBackend> MakeAudioBackendFromEnvironment();

}  // namespace tarvel
