#include "client/dialogs/environment_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/dialogs/localized_caption.h"
#include "client/dialogs/radio_group.h"

namespace tarvel {

namespace {

// Indices of the dialog's texts in the string table.
constexpr std::int32_t kTextProductName = 1;
constexpr std::int32_t kTextSounds = 19;
constexpr std::int32_t kTextOk = 47;
constexpr std::int32_t kTextCancel = 48;
constexpr std::int32_t kTextMoveTheMouse = 89;
constexpr std::int32_t kTextLanguage = 90;
constexpr std::int32_t kTextCaption = 91;
constexpr std::int32_t kTextRestartToApply = 93;
constexpr std::int32_t kTextSayCardsUnderMouse = 120;
constexpr std::int32_t kTextSpeech = 170;
constexpr std::int32_t kTextSpeechChoices[] = {171, 172, 173};  // recordings, service, off
constexpr std::int32_t kTextScreenReaderToo = 185;

// Languages are listed from base 1000 upwards, one every thousand.
int LanguagePosition(std::int32_t languageBase) {
    return languageBase / kLanguageBaseStep - 1;
}

}  // namespace

EnvironmentDialog::EnvironmentDialog(Localizer& localizer, QWidget* parent)
    : QDialog(parent), localizer_(localizer) {
    languageGroup_ = new RadioGroup(this);
    languageGroup_->setObjectName("languageGroup");
    for (const LanguageItem& language : localizer_.ListLanguages()) {
        languageGroup_->AddItem(QString::fromStdString(language.name), language.base);
    }
    languageGroup_->Choose(0);
    connect(languageGroup_, &RadioGroup::itemClicked, this, &EnvironmentDialog::JazykrgroupClick);

    speechgroup = new RadioGroup(this);
    speechgroup->setObjectName("speechgroup");
    speechgroup->setTitle(LocalizedCaption(localizer_, kTextSpeech));
    for (std::int32_t mode = 0; mode < 3; ++mode) {
        speechgroup->AddItem(LocalizedCaption(localizer_, kTextSpeechChoices[mode]), mode);
    }
    speechgroup->Choose(0);
    screenreadercheck = new QCheckBox(LocalizedCaption(localizer_, kTextScreenReaderToo), this);
    screenreadercheck->setObjectName("screenreadercheck");

    soundsBox_ = new QCheckBox(LocalizedCaption(localizer_, kTextSounds), this);
    soundsBox_->setObjectName("soundsBox");
    moveMouseBox_ = new QCheckBox(LocalizedCaption(localizer_, kTextMoveTheMouse), this);
    moveMouseBox_->setObjectName("moveMouseBox");
    sayCardsUnderMouseBox_ = new QCheckBox(LocalizedCaption(localizer_, kTextSayCardsUnderMouse), this);
    sayCardsUnderMouseBox_->setObjectName("sayCardsUnderMouseBox");

    okButton_ = new QPushButton(this);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName("cancelButton");
    connect(okButton_, &QPushButton::clicked, this, &EnvironmentDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &EnvironmentDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(languageGroup_);
    layout->addWidget(soundsBox_);
    layout->addWidget(moveMouseBox_);
    layout->addWidget(sayCardsUnderMouseBox_);
    layout->addWidget(speechgroup);
    layout->addWidget(screenreadercheck);
    layout->addStretch();
    layout->addLayout(buttons);
    Relabel();
}

std::optional<EnvironmentChoice> EnvironmentDialog::Edit(const EnvironmentChoice& current) {
    languageChanged_ = false;
    restartNoticeDue_ = false;
    // A base the list lacks (a hand-edited settings file) leaves no language chosen.
    languageGroup_->Choose(LanguagePosition(current.languageBase));
    soundsBox_->setChecked(current.soundsOn);
    moveMouseBox_->setChecked(current.movemouse);
    sayCardsUnderMouseBox_->setChecked(current.saycardsundermouse);
    speechgroup->Choose(current.speechMode >= 0 && current.speechMode <= 2 ? current.speechMode : 0);
    screenreadercheck->setChecked(current.screenReader);
    languageGroup_->FocusChosen();
    if (exec() != QDialog::Accepted) return std::nullopt;

    EnvironmentChoice chosen;
    chosen.soundsOn = soundsBox_->isChecked();
    chosen.movemouse = moveMouseBox_->isChecked();
    chosen.saycardsundermouse = sayCardsUnderMouseBox_->isChecked();
    chosen.languageBase = languageGroup_->ChosenValue().value_or(current.languageBase);
    chosen.speechMode = speechgroup->ChosenValue().value_or(0);
    chosen.screenReader = screenreadercheck->isChecked();
    // What is saved is also what later messages are looked up in.
    localizer_.SetLanguageBase(chosen.languageBase);
    languageChanged_ = chosen.languageBase != current.languageBase;
    restartNoticeDue_ = languageChanged_;
    return chosen;
}

void EnvironmentDialog::ShowRestartNoticeIfLanguageChanged() {
    if (!restartNoticeDue_) return;
    restartNoticeDue_ = false;
    QMessageBox::information(parentWidget(), LocalizedCaption(localizer_, kTextProductName),
                             LocalizedCaption(localizer_, kTextRestartToApply));
}

void EnvironmentDialog::JazykrgroupClick(int languageBase) {
    localizer_.SetLanguageBase(languageBase);
    Relabel();
}

void EnvironmentDialog::Relabel() {
    // The check boxes keep the captions of creation, like every other window.
    setWindowTitle(LocalizedCaption(localizer_, kTextCaption));
    languageGroup_->setTitle(LocalizedCaption(localizer_, kTextLanguage));
    okButton_->setText(LocalizedCaption(localizer_, kTextOk));
    cancelButton_->setText(LocalizedCaption(localizer_, kTextCancel));
}

}  // namespace tarvel
