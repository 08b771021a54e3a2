#include "client/chat/chat_voice.h"

#include <algorithm>

#include "session/chat/chat_line.h"
#include "common/cp1250.h"
#include "client/chat/voice_order.h"

namespace tarvel {
namespace {

// Messages that arrive faster than they can be said wait up to this many; beyond it
// the oldest is dropped (each is printed all the same).
constexpr std::size_t kMostPending = 8;

// The settings file holds Windows-1250, so a voice whose name the code page cannot
// hold comes back with '?' in it; it is still the same voice.
bool SameAsSaved(const ServiceVoice& voice, std::string_view person) {
    return voice.id == person || Cp1250ToUtf8(Utf8ToCp1250(voice.id)) == person;
}

}  // namespace

const SliderRange& RangeOf(VoiceSlider slider) {
    switch (slider) {
        case VoiceSlider::Pitch:
            return kPitchSlider;
        case VoiceSlider::Speed:
            return kSpeedSlider;
        case VoiceSlider::Volume:
            break;
    }
    return kVolumeSlider;
}

ChatVoice::ChatVoice(SpeechService* service, bool allowVoiceChat)
    : service_(service), allowed_(allowVoiceChat) {
    if (!allowed_ || service_ == nullptr || !service_->Available()) return;
    voices_ = OrderVoicesForCzech(service_->Voices());
    if (!voices_.empty()) selected_ = 0;
}

void ChatVoice::Select(std::optional<std::size_t> entry) {
    selected_ = entry && *entry < voices_.size() ? entry : std::nullopt;
}

int ChatVoice::Position(VoiceSlider slider) const {
    return const_cast<ChatVoice*>(this)->PositionOf(slider);
}

int& ChatVoice::PositionOf(VoiceSlider slider) {
    switch (slider) {
        case VoiceSlider::Pitch:
            return positions_.pitch;
        case VoiceSlider::Speed:
            return positions_.speed;
        case VoiceSlider::Volume:
            break;
    }
    return positions_.volume;
}

bool ChatVoice::SelectVoice(std::string_view id) {
    if (id.empty() || service_ == nullptr || !service_->Available()) return false;
    const auto found =
        std::find_if(voices_.begin(), voices_.end(), [&](const auto& v) { return v.id == id; });
    if (found == voices_.end() || !service_->UseVoice(id)) return false;
    voice_ = id;
    selected_ = static_cast<std::size_t>(found - voices_.begin());
    service_->Say(kVoiceChosen);
    voiceReady_ = true;
    // The new voice speaks as the sliders stand.
    ApplyLevel(VoiceSlider::Speed);
    ApplyLevel(VoiceSlider::Pitch);
    ApplyLevel(VoiceSlider::Volume);
    if (onVoiceReady) onVoiceReady();
    return true;
}

void ChatVoice::ApplyLevel(VoiceSlider slider) {
    switch (slider) {
        case VoiceSlider::Pitch:
            service_->SetPitch(PitchFromSlider(positions_.pitch));
            break;
        case VoiceSlider::Speed:
            service_->SetRate(RateFromSlider(positions_.speed));
            break;
        case VoiceSlider::Volume:
            service_->SetVolume(VolumeFromSlider(positions_.volume));
            break;
    }
}

void ChatVoice::MoveSlider(VoiceSlider slider, int position, bool dialogActive) {
    const SliderRange& range = RangeOf(slider);
    const int kept = std::clamp(position, range.minimum, range.maximum);
    int& current = PositionOf(slider);
    if (kept == current) return;
    current = kept;
    if (!voiceReady_ || service_ == nullptr || !service_->Available()) return;
    // A move cuts off what is being said, the waiting messages too.
    service_->Stop();
    pending_.clear();
    ApplyLevel(slider);
    if (dialogActive) Speak(std::to_string(kept));
}

void ChatVoice::Load(const VoiceSettings& saved, bool allowVoiceChat) {
    if (!allowVoiceChat || saved.person.empty()) return;
    auto found = std::find_if(voices_.begin(), voices_.end(),
                              [&](const auto& v) { return SameAsSaved(v, saved.person); });
    // Files written before voices had ids keep the name the list showed.
    if (found == voices_.end()) {
        found = std::find_if(voices_.begin(), voices_.end(),
                             [&](const auto& v) { return v.label == saved.person; });
    }
    if (found == voices_.end()) {
        selected_.reset();
    } else {
        selected_ = static_cast<std::size_t>(found - voices_.begin());
        SelectVoice(found->id);
    }
    MoveSlider(VoiceSlider::Pitch, saved.pitch, false);
    MoveSlider(VoiceSlider::Speed, saved.speed, false);
    MoveSlider(VoiceSlider::Volume, saved.volume, false);
}

VoiceSettings ChatVoice::Save() const {
    VoiceSettings saved = positions_;
    saved.person = voice_;
    return saved;
}

void ChatVoice::SetAllowVoiceChat(bool allowed) {
    allowed_ = allowed;
    if (!allowed_) pending_.clear();
}

bool ChatVoice::CanSpeak() const {
    return allowed_ && voiceReady_ && service_ != nullptr && service_->Available();
}

void ChatVoice::Speak(std::string_view text) {
    // The game may have spoken in another voice of the same service meanwhile.
    service_->UseVoice(voice_);
    service_->Say(text);
}

bool ChatVoice::SpeakReceived(std::string_view message) {
    if (!CanSpeak() || !HasWords(message)) return false;
    if (!pending_.empty() || service_->Speaking()) {
        if (pending_.size() == kMostPending) pending_.pop_front();
        pending_.emplace_back(message);
        return true;
    }
    Speak(message);
    return true;
}

void ChatVoice::SpeakPending() {
    if (pending_.empty()) return;
    if (!CanSpeak()) {
        pending_.clear();
        return;
    }
    if (service_->Speaking()) return;
    Speak(pending_.front());
    pending_.pop_front();
}

}  // namespace tarvel
