#include "session/speech/sound_file_name.h"

#include <gtest/gtest.h>

#include <set>

#include "session/speech/plain_letters.h"
#include "tests/speech/scripted_random.h"

namespace tarvel {
namespace {

TEST(PlainLettersTest, EveryListedLetterBecomesPlain) {
    EXPECT_EQ(ToPlainLetters("áÁäÄčČďĎéÉěĚíÍĺĹľĽňŇóÓôÔöÖŕŔřŘšŠťŤúÚůŮüÜýÝžŽ"),
              "aAaAcCdDeEeEiIlLlLnNoOoOoOrRrRsStTuUuUuUyYzZ");
    EXPECT_EQ(ToPlainLetters("a§b"), "a b");
}

TEST(PlainLettersTest, OtherCharactersStay) {
    EXPECT_EQ(ToPlainLetters("Otáčím hromádku"), "Otacim hromadku");
    // Letters of the code page that are not in the list, and broken UTF-8, pass unchanged.
    EXPECT_EQ(ToPlainLetters("őłśź"), "őłśź");
    EXPECT_EQ(ToPlainLetters("a\xC3"), "a\xC3");
    EXPECT_EQ(ToPlainLetters("x\xC5\xA1y"), "xsy");
}

TEST(SoundFileNameTest, NamesFollowVoiceTextAndSuffix) {
    EXPECT_EQ(SoundFileName("m", "7 srdcová", "1"), "zvuky/m7 srdcova1.wav");
    EXPECT_EQ(SoundFileName("z", "Otáčím hromádku", ""), "zvuky/zOtacim hromadku.wav");
    EXPECT_EQ(SoundFileName("", "okraj", ""), "zvuky/okraj.wav");
    EXPECT_EQ(SoundFileName("", "vyhození", "6"), "zvuky/vyhozeni6.wav");
}

TEST(SoundFileNameTest, OneLeadingBlankIsDropped) {
    EXPECT_EQ(SoundFileName("m", " srdce", ""), SoundFileName("m", "srdce", ""));
    EXPECT_EQ(SoundFileName("z", " kříže", ""), "zvuky/zkrize.wav");
    // Only one blank goes; blanks inside stay.
    EXPECT_EQ(SoundFileName("m", "  piky", ""), "zvuky/m piky.wav");
    EXPECT_EQ(SoundFileName("m", "a nebo to zabal", ""), "zvuky/ma nebo to zabal.wav");
}

TEST(SoundFileNameTest, TheTwoVoicesDifferOnlyInTheirLetter) {
    const std::string male = SoundFileName("m", "eso pikové", "1");
    const std::string female = SoundFileName("z", "eso pikové", "1");
    EXPECT_EQ(male, "zvuky/meso pikove1.wav");
    EXPECT_EQ(female, "zvuky/zeso pikove1.wav");
}

TEST(VariantSuffixTest, FixedVariants) {
    ScriptedRandom random;
    EXPECT_EQ(VariantSuffix(0, Playback::Wait, random), "1");
    EXPECT_EQ(VariantSuffix(0, Playback::Start, random), "");
    EXPECT_EQ(VariantSuffix(1, Playback::Wait, random), "");
    EXPECT_EQ(VariantSuffix(1, Playback::Start, random), "");
    EXPECT_EQ(VariantSuffix(11, Playback::Start, random), "1");
    EXPECT_EQ(VariantSuffix(20, Playback::Wait, random), "0");
    EXPECT_EQ(VariantSuffix(255, Playback::Wait, random), "5");
}

TEST(VariantSuffixTest, RandomVariantsCoverOneToVariant) {
    ScriptedRandom lowest({0.0});
    ScriptedRandom highest({1.0});
    for (std::uint8_t variant = 2; variant <= 10; ++variant) {
        EXPECT_EQ(VariantSuffix(variant, Playback::Wait, lowest), "1");
        EXPECT_EQ(VariantSuffix(variant, Playback::Start, highest), std::to_string(variant));
    }
}

TEST(VariantSuffixTest, RandomVariantIsDrawnAfreshEachTime) {
    StandardRandom random(7);
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) seen.insert(VariantSuffix(6, Playback::Wait, random));
    EXPECT_EQ(seen, (std::set<std::string>{"1", "2", "3", "4", "5", "6"}));
}

}  // namespace
}  // namespace tarvel
