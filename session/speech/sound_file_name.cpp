#include "session/speech/sound_file_name.h"

#include "session/speech/plain_letters.h"

namespace tarvel {

std::string PhraseFilePart(std::string_view text) {
    std::string plain = ToPlainLetters(text);
    if (plain.starts_with(' ')) plain.erase(0, 1);
    return plain;
}

std::string VariantSuffix(std::uint8_t variant, Playback playback, RandomSource& random) {
    if (variant == 0) return playback == Playback::Wait ? "1" : "";
    if (variant == 1) return "";
    if (variant <= 10) return std::to_string(random.Random(variant) + 1);
    return std::to_string(variant % 10);
}

std::string SoundFileName(std::string_view voice, std::string_view text, std::string_view suffix) {
    std::string name(kSoundFolder);
    name += voice;
    name += PhraseFilePart(text);
    name += suffix;
    name += kSoundExtension;
    return name;
}

}  // namespace tarvel
