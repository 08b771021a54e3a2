#include "client/chat/chat_controller.h"

#include <QWidget>

#include "session/chat/chat_line.h"
#include "session/texts/client_texts.h"
#include "client/chat/message_dialog.h"
#include "common/profile_file.h"
#include "client/chat/voice_dialog.h"

namespace tarvel {
namespace {

// How often a waiting message looks whether the service has fallen silent.
constexpr int kPendingMilliseconds = 100;

}  // namespace

ChatController::ChatController(SpeechService* service, SettingsFile& settings, const Localizer& texts,
                               ShowMessage showMessage, QWidget* window)
    : QObject(window),
      settings_(settings),
      texts_(texts),
      showMessage_(std::move(showMessage)),
      allowedAtStart_(settings.LoadAllowVoiceChat()),
      voice_(service, allowedAtStart_),
      voiceDialog_(new VoiceDialog(texts, voice_.Voices(), window)),
      messageDialog_(new MessageDialog(texts, window)) {
    voice_.onVoiceReady = [this] {
        if (onVoiceReady) onVoiceReady();
    };
    voiceDialog_->onSliderMoved = [this](VoiceSlider slider, int position) {
        voice_.MoveSlider(slider, position, voiceDialog_->isActiveWindow());
    };
    pendingTimer_.setInterval(kPendingMilliseconds);
    connect(&pendingTimer_, &QTimer::timeout, this, [this] {
        voice_.SpeakPending();
        if (!voice_.HasPending()) pendingTimer_.stop();
    });
}

ChatController::~ChatController() {
    delete voiceDialog_;
    delete messageDialog_;
}

QString ChatController::Text(std::int32_t index) const {
    return QString::fromStdString(texts_.LocalizedText(index));
}

bool ChatController::ReadAllowVoiceChat() {
    const bool allowed = settings_.LoadAllowVoiceChat();
    voice_.SetAllowVoiceChat(allowed);
    return allowed;
}

void ChatController::LoadVoiceSettings() {
    const bool allowed = ReadAllowVoiceChat();
    if (!allowed) return;
    voice_.Load(settings_.LoadVoice(), allowed);
}

void ChatController::EditVoice() {
    const bool allowed = ReadAllowVoiceChat();
    if (!allowed) {
        showMessage_(Text(text::kVoiceChatNotAllowed));
    } else if (voice_.Voices().empty()) {
        // Allowed only since the start, the voices are listed at the next start;
        // allowed from the start, the service has none.
        showMessage_(Text(allowedAtStart_ ? text::kNoChatVoice : text::kRestartToApply));
    }
    if (allowed) voice_.Load(settings_.LoadVoice(), allowed);

    const std::optional<std::size_t> chosen =
        voiceDialog_->Edit({.selected = voice_.Selected(),
                            .pitch = voice_.Position(VoiceSlider::Pitch),
                            .speed = voice_.Position(VoiceSlider::Speed),
                            .volume = voice_.Position(VoiceSlider::Volume),
                            .slidersEnabled = voice_.VoiceReady()});
    voice_.Select(voiceDialog_->SelectedEntry());
    if (chosen) voice_.SelectVoice(voice_.Voices()[*chosen].id);
    if (!voice_.VoiceReady()) return;
    try {
        settings_.SaveVoice(voice_.Save());
    } catch (const ProfileWriteError& error) {
        showMessage_(QString::fromUtf8(error.what()));
    }
}

std::optional<std::string> ChatController::AskMessage() {
    return messageDialog_->Ask();
}

ReceivedMessage ChatController::Receive(std::string_view message) {
    const std::string clean = CleanReceivedMessage(message);
    ReceivedMessage received;
    received.spoken = voice_.SpeakReceived(clean);
    if (voice_.HasPending() && !pendingTimer_.isActive()) pendingTimer_.start();
    received.line = QString::fromStdString(ChatLineText(clean));
    received.announcement = Text(text::kMessageFromOpponent).arg(QString::fromStdString(clean));
    return received;
}

}  // namespace tarvel
