#include "client/dialogs/game_settings_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string>

#include "client/dialogs/localized_caption.h"
#include "client/dialogs/radio_group.h"

namespace tarvel {

namespace {

// Indices of the dialog's captions in the string table.
constexpr std::int32_t kTextCaption = 32;
constexpr std::int32_t kTextPlayerIs = 33;
constexpr std::int32_t kTextMale = 34;
constexpr std::int32_t kTextFemale = 35;
constexpr std::int32_t kTextOnASeven = 36;
constexpr std::int32_t kTextTwoCards = 37;
constexpr std::int32_t kTextThreeCards = 38;
constexpr std::int32_t kTextKingOfSpades = 39;
constexpr std::int32_t kTextReturnToGame = 41;
constexpr std::int32_t kTextSayPickedCards = 20;
constexpr std::int32_t kTextPlayForPoints = 42;
constexpr std::int32_t kTextNumberOfGames = 43;
constexpr std::int32_t kTextUseTable = 70;
constexpr std::int32_t kTextCompulsory = 44;
constexpr std::int32_t kTextShuffle = 45;
constexpr std::int32_t kTextDealtCards = 46;
constexpr std::int32_t kTextOk = 47;
constexpr std::int32_t kTextComputerLevel = 175;
constexpr std::int32_t kTextFixedComputer = 176;
constexpr std::int32_t kTextStrongComputer = 177;
constexpr std::int32_t kTextCancel = 48;

// Positions of RadioGroup1's items.
constexpr int kMalePosition = 0;
constexpr int kFemalePosition = 1;

QCheckBox* NewCheckBox(const Localizer& localizer, std::int32_t index, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(LocalizedCaption(localizer, index), parent);
    box->setObjectName(name);
    return box;
}

QSpinBox* NewSpinField(CountRange range, const char* name, QWidget* parent) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(range.lowest, range.highest);
    field->setValue(range.fallback);
    return field;
}

QLabel* NewLabelFor(QWidget* buddy, const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);  // its '&' letter focuses the field; a screen reader names the field by it
    return label;
}

}  // namespace

GameSettingsDialog::GameSettingsDialog(const Localizer& localizer, QWidget* parent) : QDialog(parent) {
    // Created in the order of the tab chain.
    RadioGroup1 = new RadioGroup(this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setTitle(LocalizedCaption(localizer, kTextPlayerIs));
    RadioGroup1->AddItem(LocalizedCaption(localizer, kTextMale), kMalePosition);
    RadioGroup1->AddItem(LocalizedCaption(localizer, kTextFemale), kFemalePosition);

    RadioGroup2 = new RadioGroup(this);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setTitle(LocalizedCaption(localizer, kTextOnASeven));
    RadioGroup2->AddItem(LocalizedCaption(localizer, kTextTwoCards), kPickupForSevenRange.lowest);
    RadioGroup2->AddItem(LocalizedCaption(localizer, kTextThreeCards), kPickupForSevenRange.highest);

    CheckBox1 = NewCheckBox(localizer, kTextKingOfSpades, "CheckBox1", this);
    CheckBox2 = NewCheckBox(localizer, kTextReturnToGame, "CheckBox2", this);
    CheckBox3 = NewCheckBox(localizer, kTextSayPickedCards, "CheckBox3", this);
    CheckBox4 = NewCheckBox(localizer, kTextPlayForPoints, "CheckBox4", this);
    SpinEdit1 = NewSpinField(kNumberOfGamesRange, "SpinEdit1", this);
    StaticText1 =
        NewLabelFor(SpinEdit1, LocalizedCaption(localizer, kTextNumberOfGames), "StaticText1", this);
    CheckBox8 = NewCheckBox(localizer, kTextUseTable, "CheckBox8", this);
    CheckBox5 = NewCheckBox(localizer, kTextCompulsory, "CheckBox5", this);
    CheckBox6 = NewCheckBox(localizer, kTextShuffle, "CheckBox6", this);
    SpinEdit2 = NewSpinField(kDealtCardsRange, "SpinEdit2", this);
    StaticText2 = NewLabelFor(SpinEdit2, LocalizedCaption(localizer, kTextDealtCards), "StaticText2", this);

    RadioGroup3 = new RadioGroup(this);
    RadioGroup3->setObjectName("RadioGroup3");
    RadioGroup3->setTitle(LocalizedCaption(localizer, kTextComputerLevel));
    RadioGroup3->setAccessibleName(LocalizedCaption(localizer, kTextComputerLevel).remove('&'));
    RadioGroup3->AddItem(LocalizedCaption(localizer, kTextFixedComputer), kComputerFixed);
    RadioGroup3->AddItem(LocalizedCaption(localizer, kTextStrongComputer), kComputerStrong);

    BitBtn1 = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(LocalizedCaption(localizer, kTextCancel), this);
    BitBtn2->setObjectName("BitBtn2");
    connect(BitBtn1, &QPushButton::clicked, this, &GameSettingsDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &GameSettingsDialog::reject);
    // Only the player's click counts: opening sets both boxes as the options hold them.
    connect(CheckBox4, &QCheckBox::clicked, this, &GameSettingsDialog::CheckBox4Click);

    auto* numberOfGamesRow = new QHBoxLayout;
    numberOfGamesRow->addWidget(StaticText1);
    numberOfGamesRow->addWidget(SpinEdit1);
    numberOfGamesRow->addStretch();
    auto* dealtCardsRow = new QHBoxLayout;
    dealtCardsRow->addWidget(StaticText2);
    dealtCardsRow->addWidget(SpinEdit2);
    dealtCardsRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(RadioGroup2);
    layout->addWidget(CheckBox1);
    layout->addWidget(CheckBox2);
    layout->addWidget(CheckBox3);
    layout->addWidget(CheckBox4);
    layout->addLayout(numberOfGamesRow);
    layout->addWidget(CheckBox8);
    layout->addWidget(CheckBox5);
    layout->addWidget(CheckBox6);
    layout->addLayout(dealtCardsRow);
    layout->addWidget(RadioGroup3);
    layout->addStretch();
    layout->addLayout(buttons);

    setWindowTitle(LocalizedCaption(localizer, kTextCaption));
    // A title but no buttons on it: the dialog ends by OK, Cancel or Escape.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

bool GameSettingsDialog::Edit(GameOptions& options) {
    Load(options);
    setWindowState(windowState() | Qt::WindowMaximized);
    if (exec() != QDialog::Accepted) return false;
    Store(options);
    return true;
}

void GameSettingsDialog::Load(const GameOptions& options) {
    RadioGroup1->Choose(options.playergender == "m" ? kMalePosition : kFemalePosition);
    RadioGroup2->Choose(kPickupForSevenRange.Keep(options.pickupforseven) - kPickupForSevenRange.lowest);
    CheckBox1->setChecked(options.kingofspades);
    CheckBox2->setChecked(options.returntogame);
    CheckBox3->setChecked(options.saypickedcards);
    CheckBox4->setChecked(options.playforpoints);
    SpinEdit1->setValue(kNumberOfGamesRange.Keep(options.numberofgames));
    CheckBox8->setChecked(options.usetable);
    CheckBox8->setEnabled(options.playforpoints);
    CheckBox5->setChecked(options.compulsory);
    CheckBox6->setChecked(options.shufflecards);
    SpinEdit2->setValue(kDealtCardsRange.Keep(options.dealtcards));
    RadioGroup3->Choose(kComputerLevelRange.Keep(options.computerlevel));
    RadioGroup1->FocusChosen();
}

void GameSettingsDialog::Store(GameOptions& options) {
    // Text typed into a field but not yet taken (OK reached by the mouse) counts too;
    // the field keeps it inside its range.
    SpinEdit1->interpretText();
    SpinEdit2->interpretText();
    // Copied from strings: GCC 12 warns falsely (-Wrestrict) on assigning the literals.
    static const std::string kMaleLetter = "m";
    static const std::string kFemaleLetter = "z";
    options.playergender = RadioGroup1->ChosenPosition() == kFemalePosition ? kFemaleLetter : kMaleLetter;
    options.pickupforseven =
        static_cast<std::uint8_t>(RadioGroup2->ChosenValue().value_or(kPickupForSevenRange.fallback));
    options.kingofspades = CheckBox1->isChecked();
    options.returntogame = CheckBox2->isChecked();
    options.saypickedcards = CheckBox3->isChecked();
    options.playforpoints = CheckBox4->isChecked();
    options.numberofgames = static_cast<std::uint8_t>(SpinEdit1->value());
    options.usetable = CheckBox8->isChecked();
    options.compulsory = CheckBox5->isChecked();
    options.shufflecards = CheckBox6->isChecked();
    options.dealtcards = static_cast<std::uint8_t>(SpinEdit2->value());
    options.computerlevel = static_cast<std::uint8_t>(RadioGroup3->ChosenValue().value_or(kComputerFixed));
}

void GameSettingsDialog::CheckBox4Click(bool checked) {
    // The table of best results counts points, so it goes with playing for points.
    if (!checked) CheckBox8->setChecked(false);
    CheckBox8->setEnabled(checked);
}

}  // namespace tarvel
