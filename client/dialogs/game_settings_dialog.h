// The game settings dialog: the rules of the next match and the player's gender.
// It only shows and collects the options; the main window saves them and sets the
// voice letters.
#pragma once

#include <QDialog>

#include "engine/game_options.h"
#include "common/string_table.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tarvel {

class RadioGroup;

class GameSettingsDialog final : public QDialog {
    Q_OBJECT

  public:
    // The captions are taken in the localizer's language now and kept for the run,
    // as every window of the game does.
    explicit GameSettingsDialog(const Localizer& localizer, QWidget* parent = nullptr);

    // Shows the dialog modally and maximised, every control set from `options` and the
    // focus on the gender. OK: returns true, and `options` takes the rules, the gender
    // ("m" or "z"), saypickedcards and the computer's level from the controls, each count inside its range;
    // its other fields stay. Cancel or Escape: returns false, `options` unchanged.
    bool Edit(GameOptions& options);

  private:
    void Load(const GameOptions& options);
    void Store(GameOptions& options);
    void PlayForPointsClicked(bool checked);

    RadioGroup* genderGroup_;  // the player's gender
    RadioGroup* sevenDrawGroup_;  // cards to draw on a seven
    QCheckBox* kingOfSpadesBox_;     // kingofspades
    QCheckBox* returnToGameBox_;     // returntogame
    QCheckBox* sayDrawnCardsBox_;     // saypickedcards
    QCheckBox* playForPointsBox_;     // playforpoints
    QLabel* numberOfGamesLabel_;
    QSpinBox* numberOfGamesSpin_;   // numberofgames
    QCheckBox* useTableBox_;  // usetable, only when playing for points
    QCheckBox* compulsoryBox_;  // compulsory
    QCheckBox* shuffleBox_;  // shufflecards
    QLabel* dealtCardsLabel_;
    QSpinBox* dealtCardsSpin_;   // dealtcards
    RadioGroup* computerLevelGroup_;  // the computer's level
    QPushButton* okButton_;  // OK
    QPushButton* cancelButton_;  // Cancel
};

}  // namespace tarvel
