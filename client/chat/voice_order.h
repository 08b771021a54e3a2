// The order the voices are listed in for a Czech player. A speech service may have
// thousands (every language of every synthesizer), so the ones a player here wants
// come first: Czech, then English, then the rest.
#pragma once

#include <vector>

#include "client/voice/speech_service.h"

namespace tarvel {

// Groups by the voices' language, keeping the service's order within each group.
std::vector<ServiceVoice> OrderVoicesForCzech(std::vector<ServiceVoice> voices);

}  // namespace tarvel
