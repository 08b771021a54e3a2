#include "settings_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "server_strings.h"

namespace tarvel::server {

SettingsDialog::SettingsDialog(int language, QWidget* parent)
    : QDialog(parent),
      language_(language),
      portLabel_(new QLabel(ServerText(language, kTextPortLabel), this)),
      portedit(new QLineEdit(this)),
      pripojitpostartucheck(new QCheckBox(ServerText(language, kTextConnectAtStartup), this)),
      okButton_(new QPushButton(ServerText(language, kTextOk), this)),
      cancelButton_(new QPushButton(ServerText(language, kTextCancel), this)) {
    setWindowTitle(ServerText(language, kTextSettingsDialogCaption));
    portedit->setObjectName("portedit");
    pripojitpostartucheck->setObjectName("pripojitpostartucheck");
    portLabel_->setBuddy(portedit);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &SettingsDialog::reject);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portLabel_);
    portRow->addWidget(portedit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(portRow);
    layout->addWidget(pripojitpostartucheck);
    layout->addLayout(buttons);
}

void SettingsDialog::Load(int port, bool connectAtStartup) {
    portedit->setText(QString::number(port));
    pripojitpostartucheck->setChecked(connectAtStartup);
    portedit->setFocus();
    portedit->selectAll();
}

std::optional<int> SettingsDialog::Port() const {
    const QString text = portedit->text();
    bool isNumber = false;
    const int port = text.toInt(&isNumber, 10);
    // Digits only: QString::toInt would also take a sign and surrounding blanks.
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!isNumber || !digitsOnly || port < 0 || port > 65535) return std::nullopt;
    return port;
}

bool SettingsDialog::ConnectAtStartup() const {
    return pripojitpostartucheck->isChecked();
}

void SettingsDialog::accept() {
    if (!Port()) {
        QMessageBox::warning(this, windowTitle(),
                             ServerText(language_, kTextNotAPortNumber).arg(portedit->text()));
        portedit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace tarvel::server
