// The environment settings dialog: the language, the sounds and the pointer help.
// It only shows and collects the choice; the main window applies and saves it and
// redraws the table after it closes.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

#include "common/string_table.h"

class QCheckBox;
class QPushButton;

namespace tarvel {

class RadioGroup;

struct EnvironmentChoice {
    bool soundsOn = true;             // the sounds menu item's check mark (gamesounds)
    bool movemouse = false;           // move the pointer onto the selection
    bool saycardsundermouse = false;  // speak the card under the resting pointer
    std::int32_t languageBase = kCzechLanguageBase;
    // How the game is heard: 0 the recordings, 1 the speech service, 2 not at all (a
    // screen reader follows the table).
    std::int32_t speechMode = 0;
    // A screen reader is told what the game says also while the game speaks (with the
    // speech off it always is).
    bool screenReader = false;

    friend bool operator==(const EnvironmentChoice&, const EnvironmentChoice&) = default;
};

class EnvironmentDialog final : public QDialog {
    Q_OBJECT

  public:
    // `localizer` is the program's own: choosing a language in the dialog sets its
    // language base at once, so every text looked up afterwards comes in that language,
    // whether the dialog then ends with OK or Cancel. The captions are taken in its
    // language now.
    explicit EnvironmentDialog(Localizer& localizer, QWidget* parent = nullptr);

    // Shows the dialog modally with the controls set from `current`, whose languageBase
    // is the language in force (the localizer's), and the focus on the languages.
    // OK: the choice, with the chosen language's base (the localizer then holds it too).
    // Cancel or Escape: nothing; a language chosen meanwhile stays in the localizer
    // but is not part of any result, so it is not saved.
    std::optional<EnvironmentChoice> Edit(const EnvironmentChoice& current);

    // After Edit: whether it ended with OK on another language than the one in force
    // at opening, so the captions change at the next start.
    bool LanguageChanged() const { return languageChanged_; }
    // Tells the player, in the new language, that the change applies after a restart
    // (string 93): only after an OK that changed the language, and once for it. The
    // main window calls it after saving.
    void ShowRestartNoticeIfLanguageChanged();

  private:
    void JazykrgroupClick(int languageBase);
    void Relabel();

    Localizer& localizer_;
    RadioGroup* languageGroup_;
    RadioGroup* speechgroup;
    QCheckBox* soundsBox_;               // sounds
    QCheckBox* moveMouseBox_;            // movemouse
    QCheckBox* sayCardsUnderMouseBox_;  // saycardsundermouse
    QCheckBox* screenreadercheck;       // screenreader
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    bool languageChanged_ = false;
    bool restartNoticeDue_ = false;
};

}  // namespace tarvel
