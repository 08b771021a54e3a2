// The voice settings dialog for the opponent's messages: the list of voices, the
// pitch, speed and volume sliders, and the choose and close buttons. It only shows
// and collects; ChatVoice chooses the voice and applies the sliders.
#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "client/chat/chat_voice.h"
#include "client/voice/speech_service.h"
#include "common/string_table.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

namespace tarvel {

class VoiceDialog final : public QDialog {
    Q_OBJECT

  public:
    // The list is filled once, now, with the voices' labels in the order given. The
    // captions are taken in the localizer's language now and kept for the run.
    VoiceDialog(const Localizer& localizer, const std::vector<ServiceVoice>& voices,
                QWidget* parent = nullptr);

    struct Shown {
        std::optional<std::size_t> selected;  // the list entry; none selects nothing
        int pitch = 0;
        int speed = 0;
        int volume = 255;
        bool slidersEnabled = false;  // once a voice is ready
    };

    // Shows the dialog modally as given, the focus on the list. Choose: the selected
    // entry, or nothing when none is selected. Close or Escape: nothing.
    std::optional<std::size_t> Edit(const Shown& shown);
    // The entry selected when the dialog was last closed.
    std::optional<std::size_t> SelectedEntry() const;

    // The player moved a slider to this position while the dialog was shown.
    std::function<void(VoiceSlider slider, int position)> onSliderMoved;

  private:
    QSlider* NewSlider(VoiceSlider slider, const char* name);
    void SetSlidersEnabled(bool enabled);

    QLabel* voiceLabel_;
    QListWidget* voiceList_;
    QLabel* pitchLabel_;
    QSlider* pitchtb;
    QLabel* speedLabel_;
    QSlider* speedtb;
    QLabel* volumeLabel_;
    QSlider* volumetb;
    QPushButton* chooseVoiceButton_;  // choose the voice
    QPushButton* closeButton_;     // close
};

}  // namespace tarvel
