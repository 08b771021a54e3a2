// Everything the game can play: every phrase in both voices, the card and suit names,
// the numbers and the sound effects. The voice-pack generator prints this list and
// the game's tests check against it, so a phrase is added here once for both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// A text the game passes to the phrase players, with the variant it is played with.
struct PhraseUse {
    std::string text;
    std::uint8_t variant = 1;
};

// One recording of the voice pack.
struct Recording {
    std::string fileName;  // as the players name it: "zvuky/m7 srdcova1.wav"
    std::string voice;     // "m", "z", or empty for a sound effect
    std::string text;      // the phrase as the game passes it: "7 srdcová"
    std::string spoken;    // what the voice says ("sedma srdcová"); empty for an effect
    int take = 1;          // which of a phrase's several recordings (1..variant), else 1
};

inline constexpr std::string_view kMaleVoice = "m";
inline constexpr std::string_view kFemaleVoice = "z";

// Spoken in both voices: announcements, card and suit names, numerals and number words.
std::vector<PhraseUse> VoicePhrases();
// Played with the empty voice letter.
std::vector<PhraseUse> SoundEffects();

// Every suffix a variant can give a file name, in increasing order.
std::vector<std::string> AllVariantSuffixes(std::uint8_t variant);

// The Czech words a voice says for a phrase text: numerals and rank digits as words,
// the plain number words with their accents.
std::string SpokenWords(std::string_view text);

// Every recording, each file once, in a fixed order.
const std::vector<Recording>& VoicePackRecordings();

// True when the voice pack has a recording of that name ("zvuky/zlizu.wav").
bool InventoryHasFile(std::string_view fileName);

}  // namespace tarvel
