#include "client/dialogs/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvel {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), buttons_(new QButtonGroup(this)) {
    new QVBoxLayout(this);
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

QRadioButton* RadioGroup::AddItem(const QString& text, int value) {
    auto* item = new QRadioButton(text, this);
    buttons_->addButton(item, value);
    layout()->addWidget(item);
    items_.push_back(item);
    return item;
}

std::optional<int> RadioGroup::ChosenValue() const {
    if (buttons_->checkedButton() == nullptr) return std::nullopt;
    return buttons_->checkedId();
}

int RadioGroup::ChosenPosition() const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->isChecked()) return static_cast<int>(i);
    }
    return -1;
}

void RadioGroup::Choose(int position) {
    if (position >= 0 && position < Count()) {
        items_[position]->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last item; lift the rule for a moment.
    buttons_->setExclusive(false);
    for (QRadioButton* item : items_) item->setChecked(false);
    buttons_->setExclusive(true);
}

void RadioGroup::FocusChosen() {
    const int position = ChosenPosition();
    if (position >= 0) {
        items_[position]->setFocus(Qt::OtherFocusReason);
    } else if (!items_.empty()) {
        items_.front()->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace tarvel
