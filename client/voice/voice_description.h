// How a voice of a speech engine is named: an id that stays the same from run to run
// (the settings file keeps it) and a label a player recognises in the list of voices.
#pragma once

#include <string_view>

#include "client/voice/speech_service.h"

namespace tarvel {

// id "engine:locale:voice", e.g. "speechd:cs_CZ:Czech+Adam";
// label "voice (language, engine)", e.g. "Czech+Adam (čeština, speechd)"; the locale as given.
ServiceVoice DescribeVoice(std::string_view engine, std::string_view locale, std::string_view language,
                           std::string_view voiceName);

}  // namespace tarvel
