// Messages between the players and the voice that reads them, as the main window
// uses them: the voice settings command, the message command, the saved voice loaded
// for a network game, and a received message read aloud. It owns the chat voice and
// both dialogs; the window sends what it gives and prints what it gets.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "client/chat/chat_voice.h"
#include "client/chat/message_dialog.h"
#include "client/settings/settings_file.h"
#include "client/voice/speech_service.h"
#include "common/string_table.h"
#include "client/chat/voice_dialog.h"

class QWidget;

namespace tarvel {

// A received message as the table shows it.
struct ReceivedMessage {
    QString line;          // printed at the table's chat place, blanks to its full length
    QString announcement;  // the message for a screen reader: "Zpráva soupeře: …"
    bool spoken = false;   // read, or waiting to be read, by the chat voice
};

class ChatController final : public QObject {
    Q_OBJECT

  public:
    using ShowMessage = std::function<void(const QString& text)>;

    // Made once at start-up, with the settings file already there: the voices are
    // listed now if allowvoicechat is on. `service` may be null (no speech service);
    // it, `settings` and `texts` are borrowed. The dialogs are children of `window`.
    // `showMessage` shows the player a message (a message box in the game).
    ChatController(SpeechService* service, SettingsFile& settings, const Localizer& texts,
                   ShowMessage showMessage, QWidget* window);
    ~ChatController() override;
    ChatController(const ChatController&) = delete;
    ChatController& operator=(const ChatController&) = delete;

    // The voice settings command: a warning when voice messages are not allowed, the
    // saved voice loaded, the dialog shown; choosing uses the selected voice. Whenever a
    // voice is ready at the end, the voice settings are saved (also after Close).
    void EditVoice();

    // The message command: the message to send as typed (UTF-8), or nothing for
    // Cancel or a message without words.
    std::optional<std::string> AskMessage();

    // The saved voice and sliders, when voice messages are allowed (a network game
    // asks for it while no voice is ready).
    void LoadVoiceSettings();

    // A message from the opponent: read aloud when allowed and a voice is ready (after
    // whatever the service is saying), and what to print. Never waits.
    ReceivedMessage Receive(std::string_view message);

    bool VoiceReady() const { return voice_.VoiceReady(); }
    // Told once a voice has been chosen: the message command may be enabled.
    std::function<void()> onVoiceReady;

    // The network settings changed voice messages: off silences the next messages.
    void SetAllowVoiceChat(bool allowed) { voice_.SetAllowVoiceChat(allowed); }

    ChatVoice& Voice() { return voice_; }
    VoiceDialog& VoiceSettingsDialog() { return *voiceDialog_; }
    MessageDialog& MessageEntryDialog() { return *messageDialog_; }

  private:
    QString Text(std::int32_t index) const;
    bool ReadAllowVoiceChat();

    SettingsFile& settings_;
    const Localizer& texts_;
    ShowMessage showMessage_;
    bool allowedAtStart_;
    ChatVoice voice_;
    // Children of the window, deleted with this when the window is gone or was none.
    QPointer<VoiceDialog> voiceDialog_;
    QPointer<MessageDialog> messageDialog_;
    QTimer pendingTimer_;  // says the messages that waited for the service
};

}  // namespace tarvel
