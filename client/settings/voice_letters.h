// The voice letters the recordings are chosen by: "m" male, "z" female.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

struct VoiceLetters {
    std::string player = "m";    // PlayerVoice
    std::string opponent = "z";  // OpponentVoice

    friend bool operator==(const VoiceLetters&, const VoiceLetters&) = default;
};

// The player speaks in his own gender's letter as stored; the computer opponent in the
// other one ("z" exactly when the player is "m"). A network game may later set the
// opponent's letter from what the server reports.
VoiceLetters VoiceLettersForGender(std::string_view playergender);

}  // namespace tarvel
