// The voice that reads the opponent's messages: which of the speech service's voices,
// and where its three sliders stand. It keeps the choice and applies it to the
// service; the voice dialog only shows it and hands on what the player does.
//
// The service may also speak the game in voices of its own, so a message re-chooses
// the chat voice before it is said, and nothing here touches the service before a
// chat voice has been chosen (a slider moved then only keeps its position).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/voice/speech_service.h"
#include "client/settings/voice_settings.h"
#include "client/voice/voice_sliders.h"

namespace tarvel {

enum class VoiceSlider { Pitch, Speed, Volume };

// The positions the slider takes.
const SliderRange& RangeOf(VoiceSlider slider);

// Said in the new voice when it has been chosen.
inline constexpr std::string_view kVoiceChosen = "Hlas vybrán";

class ChatVoice {
  public:
    // `service` is borrowed and may be null (no speech service at all). The voices are
    // listed now, once: none when voice messages are not allowed or there is no service.
    ChatVoice(SpeechService* service, bool allowVoiceChat);
    ChatVoice(const ChatVoice&) = delete;
    ChatVoice& operator=(const ChatVoice&) = delete;

    // The list the dialog shows: Czech voices first, then English, then the rest.
    const std::vector<ServiceVoice>& Voices() const { return voices_; }
    // The entry selected in the list: the first at the start, then what the player left
    // selected or a load found; none when a saved voice is not in the list.
    std::optional<std::size_t> Selected() const { return selected_; }
    void Select(std::optional<std::size_t> entry);

    // On from the first chosen voice.
    bool VoiceReady() const { return voiceReady_; }
    // The id of the voice in use; empty before the first choice.
    const std::string& Voice() const { return voice_; }
    int Position(VoiceSlider slider) const;

    // Told once a voice has been chosen: messages can be sent now.
    std::function<void()> onVoiceReady;

    // Uses the listed voice of this id, says kVoiceChosen in it and gives it the
    // sliders' levels. A voice the list or the service lacks, an empty id or no service
    // change nothing. Returns whether the voice was chosen.
    bool SelectVoice(std::string_view id);

    // A slider moved (by the player or a load): a position outside its range is taken
    // as the nearest end. Once a voice is ready, what is spoken stops, the level goes
    // to the service and, only while the dialog is the active window, the new position
    // is said as feedback. A position equal to the current one is no move.
    void MoveSlider(VoiceSlider slider, int position, bool dialogActive);

    // The saved voice and sliders, when voice messages are allowed: nothing for an
    // empty person; otherwise the entry of that voice is selected (none when the list
    // lacks it) and chosen, then pitch, speed and volume move in this order.
    void Load(const VoiceSettings& saved, bool allowVoiceChat);
    // What the settings file keeps: the voice in use by its id, and the positions.
    VoiceSettings Save() const;

    // Switching voice messages off silences the messages that come after. Switching them
    // on lists no voices: the list is made once, at the start.
    void SetAllowVoiceChat(bool allowed);

    // Reads a received message when voice messages are allowed and a voice is ready.
    // While the service is still speaking the message waits its turn (SpeakPending);
    // returns whether it is or will be spoken. Never waits itself.
    bool SpeakReceived(std::string_view message);
    bool HasPending() const { return !pending_.empty(); }
    // Says the next waiting message once the service has fallen silent.
    void SpeakPending();

  private:
    bool CanSpeak() const;
    void Speak(std::string_view text);
    void ApplyLevel(VoiceSlider slider);
    int& PositionOf(VoiceSlider slider);

    SpeechService* service_;
    bool allowed_;
    std::vector<ServiceVoice> voices_;
    std::optional<std::size_t> selected_;
    bool voiceReady_ = false;
    std::string voice_;
    VoiceSettings positions_;  // person unused: the voice is voice_
    std::deque<std::string> pending_;
};

}  // namespace tarvel
