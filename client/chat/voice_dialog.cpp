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
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    hlaslist = new QListWidget(this);
    hlaslist->setObjectName("hlaslist");
    hlaslist->setUniformItemSizes(true);  // thousands of voices list quickly
    for (const ServiceVoice& voice : voices) hlaslist->addItem(QString::fromStdString(voice.label));
    if (hlaslist->count() > 0) hlaslist->setCurrentRow(0);
    hlasstatic = NewLabelFor(hlaslist, LocalizedCaption(localizer, kTextVoices), "hlasstatic", this);

    pitchtb = NewSlider(VoiceSlider::Pitch, "pitchtb");
    pitchstatic = NewLabelFor(pitchtb, LocalizedCaption(localizer, kTextPitch), "pitchstatic", this);
    speedtb = NewSlider(VoiceSlider::Speed, "speedtb");
    speedstatic = NewLabelFor(speedtb, LocalizedCaption(localizer, kTextSpeed), "speedstatic", this);
    volumetb = NewSlider(VoiceSlider::Volume, "volumetb");
    volumestatic = NewLabelFor(volumetb, LocalizedCaption(localizer, kTextVolume), "volumestatic", this);
    SetSlidersEnabled(false);

    vyberhlasbitbtn = new QPushButton(LocalizedCaption(localizer, kTextChoose), this);
    vyberhlasbitbtn->setObjectName("vyberhlasbitbtn");
    vyberhlasbitbtn->setDefault(true);
    zavritbitbtn = new QPushButton(LocalizedCaption(localizer, kTextClose), this);
    zavritbitbtn->setObjectName("zavritbitbtn");
    connect(vyberhlasbitbtn, &QPushButton::clicked, this, &VoiceDialog::accept);
    connect(zavritbitbtn, &QPushButton::clicked, this, &VoiceDialog::reject);

    auto* sliders = new QGridLayout;
    sliders->addWidget(pitchstatic, 0, 0);
    sliders->addWidget(pitchtb, 0, 1);
    sliders->addWidget(speedstatic, 1, 0);
    sliders->addWidget(speedtb, 1, 1);
    sliders->addWidget(volumestatic, 2, 0);
    sliders->addWidget(volumetb, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(vyberhlasbitbtn);
    buttons->addWidget(zavritbitbtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hlasstatic);
    layout->addWidget(hlaslist);
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
    for (QWidget* control : {static_cast<QWidget*>(pitchstatic), static_cast<QWidget*>(pitchtb),
                             static_cast<QWidget*>(speedstatic), static_cast<QWidget*>(speedtb),
                             static_cast<QWidget*>(volumestatic), static_cast<QWidget*>(volumetb)}) {
        control->setEnabled(enabled);
    }
}

std::optional<std::size_t> VoiceDialog::Edit(const Shown& shown) {
    if (shown.selected && static_cast<int>(*shown.selected) < hlaslist->count()) {
        hlaslist->setCurrentRow(static_cast<int>(*shown.selected));
    } else {
        // The focus may still put the cursor on an entry; none is selected.
        hlaslist->setCurrentRow(-1);
        hlaslist->clearSelection();
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
    hlaslist->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return SelectedEntry();
}

std::optional<std::size_t> VoiceDialog::SelectedEntry() const {
    const int row = hlaslist->currentRow();
    if (row < 0 || hlaslist->currentItem() == nullptr || !hlaslist->currentItem()->isSelected())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

}  // namespace tarvel
