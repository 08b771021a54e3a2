// The about box: the program's icon, name and version.
#pragma once

#include <QDialog>

#include "common/string_table.h"

namespace tarvel {

class AboutBox final : public QDialog {
    Q_OBJECT

  public:
    // Texts in the localizer's language now; the main window shows it with exec().
    explicit AboutBox(const Localizer& localizer, QWidget* parent = nullptr);
};

}  // namespace tarvel
