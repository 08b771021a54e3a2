#include "client/voice/voice_sliders.h"

#include <algorithm>
#include <cmath>

#include "client/settings/voice_settings.h"

namespace tarvel {
namespace {

// -10 … 10 onto -1 … 1, 0 staying 0.
double Centred(int position, const SliderRange& range) {
    return static_cast<double>(std::clamp(position, range.minimum, range.maximum)) / range.maximum;
}

int CentredBack(double level, const SliderRange& range) {
    if (std::isnan(level)) return 0;
    const double position = std::round(std::clamp(level, -1.0, 1.0) * range.maximum);
    return std::clamp(static_cast<int>(position), range.minimum, range.maximum);
}

}  // namespace

double PitchFromSlider(int position) {
    return Centred(position, kPitchSlider);
}

double RateFromSlider(int position) {
    return Centred(position, kSpeedSlider);
}

double VolumeFromSlider(int position) {
    return static_cast<double>(std::clamp(position, kVolumeSlider.minimum, kVolumeSlider.maximum)) /
           kVolumeSlider.maximum;
}

int SliderFromPitch(double pitch) {
    return CentredBack(pitch, kPitchSlider);
}

int SliderFromRate(double rate) {
    return CentredBack(rate, kSpeedSlider);
}

int SliderFromVolume(double volume) {
    if (std::isnan(volume)) return kVolumeSlider.maximum;
    return static_cast<int>(std::round(std::clamp(volume, 0.0, 1.0) * kVolumeSlider.maximum));
}

VoiceLevels LevelsFromSettings(const VoiceSettings& settings) {
    return {.rate = RateFromSlider(settings.speed),
            .pitch = PitchFromSlider(settings.pitch),
            .volume = VolumeFromSlider(settings.volume)};
}

}  // namespace tarvel
