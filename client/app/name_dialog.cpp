#include "client/app/name_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/scores/score_texts.h"

namespace tarvel {
namespace {

constexpr int kLongestName = 20;

QString Text(const Localizer& texts, int index) {
    return QString::fromStdString(texts.LocalizedText(index));
}

}  // namespace

NameDialog::NameDialog(const Localizer& texts, std::function<void(const QString&)> showMessage, QWidget* parent)
    : QDialog(parent), texts_(texts), showMessage_(std::move(showMessage)) {
    setObjectName(QStringLiteral("nameDialog"));
    setWindowTitle(Text(texts, score_text::kNameDialogCaption));
    auto* label = new QLabel(Text(texts, score_text::kNameLabel), this);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("jmenoedit"));
    nameEdit_->setMaxLength(kLongestName);
    nameEdit_->setAccessibleName(label->text().remove('&'));
    label->setBuddy(nameEdit_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Text(texts, score_text::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okbutton"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Text(texts, score_text::kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelbutton"));
    connect(ok, &QPushButton::clicked, this, &NameDialog::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(nameEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

std::optional<QString> NameDialog::AskName() {
    nameEdit_->clear();
    nameEdit_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return nameEdit_->text();
}

void NameDialog::Confirm() {
    if (nameEdit_->text().isEmpty()) {
        showMessage_(Text(texts_, score_text::kEmptyName));
        nameEdit_->setFocus();
        return;
    }
    accept();
}

}  // namespace tarvel
