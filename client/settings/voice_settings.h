// The text-to-speech voice for the opponent's messages, as its dialog stores it.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

struct VoiceSettings {
    std::string person{};    // name of the chosen voice; empty while none is chosen
    std::int32_t pitch = 0;  // slider positions
    std::int32_t speed = 0;
    std::int32_t volume = 255;

    friend bool operator==(const VoiceSettings&, const VoiceSettings&) = default;
};

}  // namespace tarvel
