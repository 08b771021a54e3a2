// The environment dialog: the language of the server's captions.
#pragma once

#include <QDialog>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tarvel::server {

class LanguageDialog final : public QDialog {
    Q_OBJECT

  public:
    // `language` is the program's current language. Picking an entry changes it at
    // once, even if the dialog is then cancelled; only OK saves it.
    LanguageDialog(int& language, QWidget* parent = nullptr);

    // Selects and focuses the entry of the current language.
    void SelectCurrent();
    // Picks the entry at `position` (0-based) as a click would.
    void Pick(int position);

  private:
    void Relabel();

    int& language_;
    QGroupBox* languageGroup_;
    QButtonGroup* entries_;
    std::vector<QRadioButton*> buttons_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarvel::server
