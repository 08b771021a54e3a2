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

// Positions of genderGroup_'s items.
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
    genderGroup_ = new RadioGroup(this);
    genderGroup_->setObjectName("genderGroup");
    genderGroup_->setTitle(LocalizedCaption(localizer, kTextPlayerIs));
    genderGroup_->AddItem(LocalizedCaption(localizer, kTextMale), kMalePosition);
    genderGroup_->AddItem(LocalizedCaption(localizer, kTextFemale), kFemalePosition);

    sevenDrawGroup_ = new RadioGroup(this);
    sevenDrawGroup_->setObjectName("sevenDrawGroup");
    sevenDrawGroup_->setTitle(LocalizedCaption(localizer, kTextOnASeven));
    sevenDrawGroup_->AddItem(LocalizedCaption(localizer, kTextTwoCards), kPickupForSevenRange.lowest);
    sevenDrawGroup_->AddItem(LocalizedCaption(localizer, kTextThreeCards), kPickupForSevenRange.highest);

    kingOfSpadesBox_ = NewCheckBox(localizer, kTextKingOfSpades, "kingOfSpadesBox", this);
    returnToGameBox_ = NewCheckBox(localizer, kTextReturnToGame, "returnToGameBox", this);
    sayDrawnCardsBox_ = NewCheckBox(localizer, kTextSayPickedCards, "sayDrawnCardsBox", this);
    playForPointsBox_ = NewCheckBox(localizer, kTextPlayForPoints, "playForPointsBox", this);
    numberOfGamesSpin_ = NewSpinField(kNumberOfGamesRange, "numberOfGamesSpin", this);
    numberOfGamesLabel_ =
        NewLabelFor(numberOfGamesSpin_, LocalizedCaption(localizer, kTextNumberOfGames), "numberOfGamesLabel", this);
    useTableBox_ = NewCheckBox(localizer, kTextUseTable, "useTableBox", this);
    compulsoryBox_ = NewCheckBox(localizer, kTextCompulsory, "compulsoryBox", this);
    shuffleBox_ = NewCheckBox(localizer, kTextShuffle, "shuffleBox", this);
    dealtCardsSpin_ = NewSpinField(kDealtCardsRange, "dealtCardsSpin", this);
    dealtCardsLabel_ =
        NewLabelFor(dealtCardsSpin_, LocalizedCaption(localizer, kTextDealtCards), "dealtCardsLabel", this);

    computerLevelGroup_ = new RadioGroup(this);
    computerLevelGroup_->setObjectName("computerLevelGroup");
    computerLevelGroup_->setTitle(LocalizedCaption(localizer, kTextComputerLevel));
    computerLevelGroup_->setAccessibleName(LocalizedCaption(localizer, kTextComputerLevel).remove('&'));
    computerLevelGroup_->AddItem(LocalizedCaption(localizer, kTextFixedComputer), kComputerFixed);
    computerLevelGroup_->AddItem(LocalizedCaption(localizer, kTextStrongComputer), kComputerStrong);

    okButton_ = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(LocalizedCaption(localizer, kTextCancel), this);
    cancelButton_->setObjectName("cancelButton");
    connect(okButton_, &QPushButton::clicked, this, &GameSettingsDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &GameSettingsDialog::reject);
    // Only the player's click counts: opening sets both boxes as the options hold them.
    connect(playForPointsBox_, &QCheckBox::clicked, this, &GameSettingsDialog::PlayForPointsClicked);

    auto* numberOfGamesRow = new QHBoxLayout;
    numberOfGamesRow->addWidget(numberOfGamesLabel_);
    numberOfGamesRow->addWidget(numberOfGamesSpin_);
    numberOfGamesRow->addStretch();
    auto* dealtCardsRow = new QHBoxLayout;
    dealtCardsRow->addWidget(dealtCardsLabel_);
    dealtCardsRow->addWidget(dealtCardsSpin_);
    dealtCardsRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(genderGroup_);
    layout->addWidget(sevenDrawGroup_);
    layout->addWidget(kingOfSpadesBox_);
    layout->addWidget(returnToGameBox_);
    layout->addWidget(sayDrawnCardsBox_);
    layout->addWidget(playForPointsBox_);
    layout->addLayout(numberOfGamesRow);
    layout->addWidget(useTableBox_);
    layout->addWidget(compulsoryBox_);
    layout->addWidget(shuffleBox_);
    layout->addLayout(dealtCardsRow);
    layout->addWidget(computerLevelGroup_);
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
    genderGroup_->Choose(options.playergender == "m" ? kMalePosition : kFemalePosition);
    sevenDrawGroup_->Choose(kPickupForSevenRange.Keep(options.pickupforseven) - kPickupForSevenRange.lowest);
    kingOfSpadesBox_->setChecked(options.kingofspades);
    returnToGameBox_->setChecked(options.returntogame);
    sayDrawnCardsBox_->setChecked(options.saypickedcards);
    playForPointsBox_->setChecked(options.playforpoints);
    numberOfGamesSpin_->setValue(kNumberOfGamesRange.Keep(options.numberofgames));
    useTableBox_->setChecked(options.usetable);
    useTableBox_->setEnabled(options.playforpoints);
    compulsoryBox_->setChecked(options.compulsory);
    shuffleBox_->setChecked(options.shufflecards);
    dealtCardsSpin_->setValue(kDealtCardsRange.Keep(options.dealtcards));
    computerLevelGroup_->Choose(kComputerLevelRange.Keep(options.computerlevel));
    genderGroup_->FocusChosen();
}

void GameSettingsDialog::Store(GameOptions& options) {
    // Text typed into a field but not yet taken (OK reached by the mouse) counts too;
    // the field keeps it inside its range.
    numberOfGamesSpin_->interpretText();
    dealtCardsSpin_->interpretText();
    // Copied from strings: GCC 12 warns falsely (-Wrestrict) on assigning the literals.
    static const std::string kMaleLetter = "m";
    static const std::string kFemaleLetter = "z";
    options.playergender = genderGroup_->ChosenPosition() == kFemalePosition ? kFemaleLetter : kMaleLetter;
    options.pickupforseven =
        static_cast<std::uint8_t>(sevenDrawGroup_->ChosenValue().value_or(kPickupForSevenRange.fallback));
    options.kingofspades = kingOfSpadesBox_->isChecked();
    options.returntogame = returnToGameBox_->isChecked();
    options.saypickedcards = sayDrawnCardsBox_->isChecked();
    options.playforpoints = playForPointsBox_->isChecked();
    options.numberofgames = static_cast<std::uint8_t>(numberOfGamesSpin_->value());
    options.usetable = useTableBox_->isChecked();
    options.compulsory = compulsoryBox_->isChecked();
    options.shufflecards = shuffleBox_->isChecked();
    options.dealtcards = static_cast<std::uint8_t>(dealtCardsSpin_->value());
    options.computerlevel = static_cast<std::uint8_t>(computerLevelGroup_->ChosenValue().value_or(kComputerFixed));
}

void GameSettingsDialog::PlayForPointsClicked(bool checked) {
    // The table of best results counts points, so it goes with playing for points.
    if (!checked) useTableBox_->setChecked(false);
    useTableBox_->setEnabled(checked);
}

}  // namespace tarvel
