// The About box: product name and version (the number before the word "verze").
#pragma once

#include <QDialog>

namespace tarvel::server {

class AboutBox final : public QDialog {
    Q_OBJECT

  public:
    AboutBox(int language, QWidget* parent = nullptr);
};

}  // namespace tarvel::server
