#include "server/language_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "server/server_strings.h"

namespace tarvel::server {

LanguageDialog::LanguageDialog(int& language, QWidget* parent)
    : QDialog(parent),
      language_(language),
      languageGroup_(new QGroupBox(this)),
      entries_(new QButtonGroup(this)),
      okButton_(new QPushButton(this)),
      cancelButton_(new QPushButton(this)) {
    languageGroup_->setObjectName("languageGroup");
    auto* groupLayout = new QVBoxLayout(languageGroup_);
    for (const auto& [name, base] : ServerLanguages()) {
        auto* button = new QRadioButton(name, languageGroup_);
        entries_->addButton(button, base);
        groupLayout->addWidget(button);
        buttons_.push_back(button);
    }
    if (!buttons_.empty()) buttons_.front()->setChecked(true);
    connect(entries_, &QButtonGroup::idClicked, this, [this](int base) {
        language_ = base;
        Relabel();
    });
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &LanguageDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &LanguageDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(languageGroup_);
    layout->addLayout(buttons);
    Relabel();
}

void LanguageDialog::Relabel() {
    setWindowTitle(ServerText(language_, kTextLanguageDialogCaption));
    languageGroup_->setTitle(ServerText(language_, kTextLanguageGroup));
    okButton_->setText(ServerText(language_, kTextOk));
    cancelButton_->setText(ServerText(language_, kTextCancel));
}

void LanguageDialog::SelectCurrent() {
    const int position = language_ / 1000 - 1;
    if (position < 0 || position >= static_cast<int>(buttons_.size())) return;
    buttons_[position]->setChecked(true);
    buttons_[position]->setFocus();
}

void LanguageDialog::Pick(int position) {
    if (position < 0 || position >= static_cast<int>(buttons_.size())) return;
    buttons_[position]->click();
}

}  // namespace tarvel::server
