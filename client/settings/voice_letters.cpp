#include "voice_letters.h"

namespace tarvel {

VoiceLetters VoiceLettersForGender(std::string_view playergender) {
    return {std::string(playergender), playergender == "m" ? "z" : "m"};
}

}  // namespace tarvel
