// The naming rule that ties a phrase to its recording:
//   "zvuky/" + voice letter + plain phrase text + variant suffix + ".wav"
// File names are UTF-8 on disk. After ToPlainLetters every phrase the game speaks is
// plain ASCII, so the names are the same bytes in any code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "session/speech/playback.h"
#include "common/random_source.h"

namespace tarvel {

// Relative to the current directory, which is the game folder.
inline constexpr std::string_view kSoundFolder = "zvuky/";
inline constexpr std::string_view kSoundExtension = ".wav";

// The phrase's part of the name: plain letters, then one leading blank dropped, so
// that a suit marker " srdce" and the word "srdce" share a recording. Blanks inside
// the text stay.
std::string PhraseFilePart(std::string_view text);

// The variant suffix:
//   0      "1" when waited for, nothing when started;
//   1      nothing;
//   2..10  a fresh random choice of 1..variant at every playing;
//   11..   variant mod 10 (every card name is played with 11 and so ends in "1").
std::string VariantSuffix(std::uint8_t variant, Playback playback, RandomSource& random);

// The path of the recording, e.g. "zvuky/m7 srdcova1.wav".
std::string SoundFileName(std::string_view voice, std::string_view text, std::string_view suffix);

}  // namespace tarvel
