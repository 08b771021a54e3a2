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
    void CheckBox4Click(bool checked);

    RadioGroup* RadioGroup1;  // the player's gender
    RadioGroup* RadioGroup2;  // cards to draw on a seven
    QCheckBox* CheckBox1;     // kingofspades
    QCheckBox* CheckBox2;     // returntogame
    QCheckBox* CheckBox3;     // saypickedcards
    QCheckBox* CheckBox4;     // playforpoints
    QLabel* StaticText1;
    QSpinBox* SpinEdit1;   // numberofgames
    QCheckBox* CheckBox8;  // usetable, only when playing for points
    QCheckBox* CheckBox5;  // compulsory
    QCheckBox* CheckBox6;  // shufflecards
    QLabel* StaticText2;
    QSpinBox* SpinEdit2;   // dealtcards
    RadioGroup* RadioGroup3;  // the computer's level
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // Cancel
};

}  // namespace tarvel
