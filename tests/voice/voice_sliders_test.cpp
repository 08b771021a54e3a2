#include "client/voice/voice_sliders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "client/settings/voice_settings.h"

namespace tarvel {
namespace {

struct SliderCase {
    int position;
    double level;
};

TEST(VoiceSlidersTest, PitchAndSpeedRunFromTheLowestToTheHighestWithZeroTheVoicesOwn) {
    const SliderCase cases[] = {{-10, -1.0}, {-5, -0.5}, {-1, -0.1}, {0, 0.0}, {3, 0.3}, {10, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_DOUBLE_EQ(PitchFromSlider(c.position), c.level);
        EXPECT_DOUBLE_EQ(RateFromSlider(c.position), c.level);
        EXPECT_EQ(SliderFromPitch(c.level), c.position);
        EXPECT_EQ(SliderFromRate(c.level), c.position);
    }
}

TEST(VoiceSlidersTest, VolumeRunsFromSilenceToFull) {
    const SliderCase cases[] = {{0, 0.0}, {51, 0.2}, {255, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_DOUBLE_EQ(VolumeFromSlider(c.position), c.level);
        EXPECT_EQ(SliderFromVolume(c.level), c.position);
    }
    EXPECT_NEAR(VolumeFromSlider(128), 0.502, 0.001);
    EXPECT_EQ(SliderFromVolume(0.5), 128);
}

TEST(VoiceSlidersTest, EveryPositionComesBackFromItsLevel) {
    for (int p = kPitchSlider.minimum; p <= kPitchSlider.maximum; ++p) {
        EXPECT_EQ(SliderFromPitch(PitchFromSlider(p)), p);
        EXPECT_EQ(SliderFromRate(RateFromSlider(p)), p);
    }
    for (int p = kVolumeSlider.minimum; p <= kVolumeSlider.maximum; ++p) {
        EXPECT_EQ(SliderFromVolume(VolumeFromSlider(p)), p);
    }
}

TEST(VoiceSlidersTest, APositionOffItsSliderIsTakenAsTheNearestEnd) {
    // Positions a file may hold from another engine's units, or spoiled by hand.
    EXPECT_DOUBLE_EQ(PitchFromSlider(150), 1.0);
    EXPECT_DOUBLE_EQ(RateFromSlider(-400), -1.0);
    EXPECT_DOUBLE_EQ(VolumeFromSlider(65280), 1.0);
    EXPECT_DOUBLE_EQ(VolumeFromSlider(-1), 0.0);
    EXPECT_EQ(SliderFromPitch(2.5), 10);
    EXPECT_EQ(SliderFromRate(-7.0), -10);
    EXPECT_EQ(SliderFromVolume(1.5), 255);
    EXPECT_EQ(SliderFromVolume(-0.1), 0);
}

TEST(VoiceSlidersTest, ALevelThatIsNoNumberGivesTheNeutralPosition) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(SliderFromPitch(nan), 0);
    EXPECT_EQ(SliderFromRate(nan), 0);
    EXPECT_EQ(SliderFromVolume(nan), 255);
}

TEST(VoiceSlidersTest, TheStoredDefaultsGiveTheVoiceAsItIsAtFullVolume) {
    EXPECT_EQ(LevelsFromSettings(VoiceSettings{}), (VoiceLevels{.rate = 0.0, .pitch = 0.0, .volume = 1.0}));
    const VoiceSettings moved{.person = "x", .pitch = -4, .speed = 7, .volume = 0};
    EXPECT_EQ(LevelsFromSettings(moved), (VoiceLevels{.rate = 0.7, .pitch = -0.4, .volume = 0.0}));
}

TEST(VoiceSlidersTest, TicksFallEveryTenthOfTheRange) {
    EXPECT_EQ(kPitchSlider.tick, (kPitchSlider.maximum - kPitchSlider.minimum) / 10);
    EXPECT_EQ(kSpeedSlider.tick, (kSpeedSlider.maximum - kSpeedSlider.minimum) / 10);
}

}  // namespace
}  // namespace tarvel
