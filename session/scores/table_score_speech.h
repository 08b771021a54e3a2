// What the table of best results says: the score the player would enter now, and
// the fanfare of a result that reaches a place.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/speech_port.h"

namespace tarvel {

// The score of the table, the opponent's penalty points minus the player's.
std::int32_t TableScore(std::int32_t playerPenalty, std::int32_t opponentPenalty);

// Spoken in the player's voice, each phrase waited for, with Czech agreement:
//   1 "jeden bod"; 2 "dva" "body"; 3, 4 n "body"; 0, 5 and more n "bodů";
//   -1 "jeden trestný bod"; -2 "dva" "trestné" "body"; -3, -4 n "trestné" "body";
//   -5 and less n "trestných" "bodů", n spoken without its sign.
void SayTableScore(SpeechPort& speech, std::string_view voice, std::int32_t playerPenalty,
                   std::int32_t opponentPenalty);

// "champion" for place 1, "tab" for places 2 to 10, as sound effects.
std::string_view FanfarePhrase(int place);
void PlayTableFanfare(SpeechPort& speech, int place);

}  // namespace tarvel
