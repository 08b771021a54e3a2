// The three sliders of the voice for messages, as the settings file keeps them (whole
// positions), and the levels of the speech service they stand for.
//
// Pitch and speed run from -10 to 10 with 0 the voice's own, so one step of a slider
// is a tenth of the service's range on either side and every step is heard; volume
// keeps its 0 … 255 steps, 255 the loudest. A position outside its slider is taken as
// the nearest end: a file written for another speech engine still gives a voice.
#pragma once

namespace tarvel {

struct VoiceSettings;

struct SliderRange {
    int minimum;
    int maximum;
    int tick;  // 0: no ticks
};

inline constexpr SliderRange kPitchSlider{-10, 10, 2};
inline constexpr SliderRange kSpeedSlider{-10, 10, 2};
inline constexpr SliderRange kVolumeSlider{0, 255, 0};

// What the service is given: rate and pitch -1 … 1, volume 0 … 1.
struct VoiceLevels {
    double rate = 0.0;
    double pitch = 0.0;
    double volume = 1.0;

    friend bool operator==(const VoiceLevels&, const VoiceLevels&) = default;
};

double PitchFromSlider(int position);
double RateFromSlider(int position);
double VolumeFromSlider(int position);

// Back to the nearest position; a level out of range (or not a number) gives the
// nearest end (or the slider's neutral position: 0, or 255 for volume).
int SliderFromPitch(double pitch);
int SliderFromRate(double rate);
int SliderFromVolume(double volume);

VoiceLevels LevelsFromSettings(const VoiceSettings& settings);

}  // namespace tarvel
