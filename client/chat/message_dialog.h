// The dialog a message to the opponent is typed in: one field of at most 70
// characters, send and cancel. It only collects the text; the window sends it.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "common/string_table.h"

class QLineEdit;
class QPushButton;

namespace tarvel {

class MessageDialog final : public QDialog {
    Q_OBJECT

  public:
    // The captions are taken in the localizer's language now and kept for the run.
    explicit MessageDialog(const Localizer& localizer, QWidget* parent = nullptr);

    // Shows the dialog modally with the field empty and focused. OK: the message as
    // typed (UTF-8), or nothing when it has no words. Cancel or Escape: nothing.
    std::optional<std::string> Ask();

  private:
    QLineEdit* messageEdit_;
    QPushButton* sendButton_;  // send
    QPushButton* cancelButton_;       // cancel
};

}  // namespace tarvel
