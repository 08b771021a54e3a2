// The announcement of who leads the match, or who won it once the last game is played.
#pragma once

#include <string_view>

#include "engine/speech_port.h"

namespace tarvel {

// Spoken by the opponent, so "you" is the player. Fewer penalty points lead.
//   match on:   "vyhráváš", "vyhrávám", "jsme na tom stejně";
//   match over: "jsi vítěz", "jsem vítěz", "remíza".
std::string_view WhoLeadsText(const MatchStanding& standing);

}  // namespace tarvel
