// The help text inside the game, for a machine whose desktop cannot open the file:
// read only, in the player's language, its text named for a screen reader; Escape
// closes it.
#pragma once

#include <QDialog>

#include "common/string_table.h"

class QPlainTextEdit;

namespace tarvel {

class HelpWindow final : public QDialog {
    Q_OBJECT

  public:
    HelpWindow(const Localizer& texts, QWidget* parent);

    // Shows the part of `fullText` in the language of the string table, modally, from its top.
    void ShowHelp(const QString& fullText);

  private:
    const Localizer& texts_;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace tarvel
