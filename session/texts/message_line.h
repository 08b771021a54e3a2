// The message line's words for what the game announces: what a player with the sounds
// off reads instead of hearing it.
#pragma once

#include <cstdint>
#include <string>

#include "common/string_table.h"
#include "engine/game_event.h"

namespace tarvel {

// "Vyhazuji", "lížu  3 karty" (the count only for more than one card), "Jsi vítěz" …
std::string MessageLineText(MessageLine line, std::uint8_t count, const Localizer& texts);

}  // namespace tarvel
