// A titled group of radio items, one of which is chosen; each item carries a number
// (a choice index or a language base). The title's '&' letter takes the focus to the
// chosen item, and a screen reader reads the title as the group's name.
#pragma once

#include <QGroupBox>
#include <optional>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace tarvel {

class RadioGroup final : public QGroupBox {
    Q_OBJECT

  public:
    explicit RadioGroup(QWidget* parent = nullptr);

    QRadioButton* AddItem(const QString& text, int value);
    int Count() const { return static_cast<int>(items_.size()); }
    QRadioButton* Item(int position) const { return items_.at(position); }

    // The value of the chosen item; nothing when no item is chosen.
    std::optional<int> ChosenValue() const;
    int ChosenPosition() const;  // -1 when no item is chosen
    // Chooses the item at `position`; a position outside the items leaves none chosen.
    void Choose(int position);
    // Focuses the chosen item, or the first one when none is chosen.
    void FocusChosen();

  signals:
    // The player chose an item (by mouse, Space or the arrow keys); not sent by Choose.
    void itemClicked(int value);

  private:
    QButtonGroup* buttons_;
    std::vector<QRadioButton*> items_;
};

}  // namespace tarvel
