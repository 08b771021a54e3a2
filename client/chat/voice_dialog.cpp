#include "client/chat/voice_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "client/dialogs/localized_caption.h"
#include "client/voice/voice_sliders.h"

namespace tarvel {
namespace {

// Indices of the dialog's texts in the string table.
constexpr std::int32_t kTextClose = 87;
constexpr std::int32_t kTextCaption = 105;
constexpr std::int32_t kTextVoices = 106;
constexpr std::int32_t kTextPitch = 107;
constexpr std::int32_t kTextSpeed = 108;
constexpr std::int32_t kTextVolume = 109;
constexpr std::int32_t kTextChoose = 111;

QLabel* NewLabelFor(QWidget* buddy, const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);  // its '&' letter focuses the control
    // The list's accessible interface does not look for a label, so every control is
    // named outright.
    buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

}  // namespace

VoiceDialog::VoiceDialog(const Localizer& localizer, const std::vector<ServiceVoice>& voices, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("voiceDialog"));
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    voiceList_ = new QListWidget(this);
    voiceList_->setObjectName("voiceList");
    voiceList_->setUniformItemSizes(true);  // thousands of voices list quickly
    for (const ServiceVoice& voice : voices) voiceList_->addItem(QString::fromStdString(voice.label));
    if (voiceList_->count() > 0) voiceList_->setCurrentRow(0);
    voiceLabel_ = NewLabelFor(voiceList_, LocalizedCaption(localizer, kTextVoices), "voiceLabel", this);

    pitchtb = NewSlider(VoiceSlider::Pitch, "pitchtb");
    pitchLabel_ = NewLabelFor(pitchtb, LocalizedCaption(localizer, kTextPitch), "pitchLabel", this);
    speedtb = NewSlider(VoiceSlider::Speed, "speedtb");
    speedLabel_ = NewLabelFor(speedtb, LocalizedCaption(localizer, kTextSpeed), "speedLabel", this);
    volumetb = NewSlider(VoiceSlider::Volume, "volumetb");
    volumeLabel_ = NewLabelFor(volumetb, LocalizedCaption(localizer, kTextVolume), "volumeLabel", this);
    SetSlidersEnabled(false);

    chooseVoiceButton_ = new QPushButton(LocalizedCaption(localizer, kTextChoose), this);
    chooseVoiceButton_->setObjectName("chooseVoiceButton");
    chooseVoiceButton_->setDefault(true);
    closeButton_ = new QPushButton(LocalizedCaption(localizer, kTextClose), this);
    closeButton_->setObjectName("closeButton");
    connect(chooseVoiceButton_, &QPushButton::clicked, this, &VoiceDialog::accept);
    connect(closeButton_, &QPushButton::clicked, this, &VoiceDialog::reject);

    auto* sliders = new QGridLayout;
    sliders->addWidget(pitchLabel_, 0, 0);
    sliders->addWidget(pitchtb, 0, 1);
    sliders->addWidget(speedLabel_, 1, 0);
    sliders->addWidget(speedtb, 1, 1);
    sliders->addWidget(volumeLabel_, 2, 0);
    sliders->addWidget(volumetb, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(chooseVoiceButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(voiceLabel_);
    layout->addWidget(voiceList_);
    layout->addLayout(sliders);
    layout->addLayout(buttons);
}

QSlider* VoiceDialog::NewSlider(VoiceSlider slider, const char* name) {
    const SliderRange& range = RangeOf(slider);
    auto* bar = new QSlider(Qt::Horizontal, this);
    bar->setObjectName(name);
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(1);
    bar->setPageStep(std::max(1, (range.maximum - range.minimum) / 10));
    if (range.tick > 0) {
        bar->setTickPosition(QSlider::TicksBelow);
        bar->setTickInterval(range.tick);
    }
    connect(bar, &QSlider::valueChanged, this, [this, slider](int position) {
        if (onSliderMoved) onSliderMoved(slider, position);
    });
    return bar;
}

void VoiceDialog::SetSlidersEnabled(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(pitchLabel_), static_cast<QWidget*>(pitchtb),
                             static_cast<QWidget*>(speedLabel_), static_cast<QWidget*>(speedtb),
                             static_cast<QWidget*>(volumeLabel_), static_cast<QWidget*>(volumetb)}) {
        control->setEnabled(enabled);
    }
}

std::optional<std::size_t> VoiceDialog::Edit(const Shown& shown) {
    if (shown.selected && static_cast<int>(*shown.selected) < voiceList_->count()) {
        voiceList_->setCurrentRow(static_cast<int>(*shown.selected));
    } else {
        // The focus may still put the cursor on an entry; none is selected.
        voiceList_->setCurrentRow(-1);
        voiceList_->clearSelection();
    }
    {
        // Showing where the sliders stand moves nothing.
        const QSignalBlocker pitch(pitchtb);
        const QSignalBlocker speed(speedtb);
        const QSignalBlocker volume(volumetb);
        pitchtb->setValue(shown.pitch);
        speedtb->setValue(shown.speed);
        volumetb->setValue(shown.volume);
    }
    SetSlidersEnabled(shown.slidersEnabled);
    voiceList_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return SelectedEntry();
}

std::optional<std::size_t> VoiceDialog::SelectedEntry() const {
    const int row = voiceList_->currentRow();
    if (row < 0 || voiceList_->currentItem() == nullptr || !voiceList_->currentItem()->isSelected())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

}  // namespace tarvel
