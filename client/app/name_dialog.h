// The name under which a result goes into the table of best results: at most 20
// characters, and an empty name is refused with a message, the dialog staying open.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <functional>

#include "common/string_table.h"

namespace tarvel {

class NameDialog final : public QDialog {
    Q_OBJECT

  public:
    NameDialog(const Localizer& texts, std::function<void(const QString&)> showMessage, QWidget* parent);

    // Clears the field and asks; the name, or nothing when the player cancelled.
    std::optional<QString> AskName();

  private:
    void Confirm();

    const Localizer& texts_;
    std::function<void(const QString&)> showMessage_;
    QLineEdit* nameEdit_ = nullptr;
};

}  // namespace tarvel
