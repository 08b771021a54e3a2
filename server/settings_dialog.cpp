#include "server/settings_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "server/server_settings.h"
#include "server/server_strings.h"

namespace tarvel::server {
namespace {

// Digits only: QString::toInt would also take a sign and surrounding blanks.
std::optional<int> DecimalIn(const QString& text, int least, int most) {
    bool isNumber = false;
    const int value = text.toInt(&isNumber, 10);
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!isNumber || !digitsOnly || value < least || value > most) return std::nullopt;
    return value;
}

}  // namespace

SettingsDialog::SettingsDialog(int language, QWidget* parent)
    : QDialog(parent),
      language_(language),
      portLabel_(new QLabel(ServerText(language, kTextPortLabel), this)),
      portEdit_(new QLineEdit(this)),
      listenAtStartCheck_(new QCheckBox(ServerText(language, kTextConnectAtStartup), this)),
      tablesLabel_(new QLabel(ServerText(language, kTextTablesLabel), this)),
      tablesEdit_(new QLineEdit(this)),
      reconnectLabel_(new QLabel(ServerText(language, kTextReconnectWaitLabel), this)),
      reconnectEdit_(new QLineEdit(this)),
      okButton_(new QPushButton(ServerText(language, kTextOk), this)),
      cancelButton_(new QPushButton(ServerText(language, kTextCancel), this)) {
    setWindowTitle(ServerText(language, kTextSettingsDialogCaption));
    portEdit_->setObjectName("portEdit");
    listenAtStartCheck_->setObjectName("listenAtStartCheck");
    portLabel_->setBuddy(portEdit_);
    tablesEdit_->setObjectName("tablesEdit");
    tablesLabel_->setBuddy(tablesEdit_);
    tablesEdit_->setAccessibleName(QString(ServerText(language, kTextTablesLabel)).remove(QLatin1Char('&')));
    reconnectEdit_->setObjectName("reconnectEdit");
    reconnectLabel_->setBuddy(reconnectEdit_);
    reconnectEdit_->setAccessibleName(
        QString(ServerText(language, kTextReconnectWaitLabel)).remove(QLatin1Char('&')));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &SettingsDialog::reject);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portLabel_);
    portRow->addWidget(portEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(portRow);
    layout->addWidget(listenAtStartCheck_);
    auto* tablesRow = new QHBoxLayout;
    tablesRow->addWidget(tablesLabel_);
    tablesRow->addWidget(tablesEdit_);
    layout->addLayout(tablesRow);
    auto* reconnectRow = new QHBoxLayout;
    reconnectRow->addWidget(reconnectLabel_);
    reconnectRow->addWidget(reconnectEdit_);
    layout->addLayout(reconnectRow);
    layout->addLayout(buttons);
}

void SettingsDialog::Load(int port, bool connectAtStartup, int tables, int reconnectWait) {
    portEdit_->setText(QString::number(port));
    tablesEdit_->setText(QString::number(tables));
    reconnectEdit_->setText(QString::number(reconnectWait));
    listenAtStartCheck_->setChecked(connectAtStartup);
    portEdit_->setFocus();
    portEdit_->selectAll();
}

std::optional<int> SettingsDialog::Port() const {
    return DecimalIn(portEdit_->text(), 0, 65535);
}

std::optional<int> SettingsDialog::Tables() const {
    return DecimalIn(tablesEdit_->text(), 1, kMostTables);
}

std::optional<int> SettingsDialog::ReconnectWait() const {
    return DecimalIn(reconnectEdit_->text(), 0, kLongestReconnectWait);
}

bool SettingsDialog::ConnectAtStartup() const {
    return listenAtStartCheck_->isChecked();
}

void SettingsDialog::accept() {
    if (!Port()) {
        QMessageBox::warning(this, windowTitle(),
                             ServerText(language_, kTextNotAPortNumber).arg(portEdit_->text()));
        portEdit_->setFocus();
        return;
    }
    if (!Tables()) {
        QMessageBox::warning(this, windowTitle(),
                             ServerText(language_, kTextNotATableCount).arg(tablesEdit_->text()).arg(kMostTables));
        tablesEdit_->setFocus();
        return;
    }
    if (!ReconnectWait()) {
        QMessageBox::warning(this, windowTitle(),
                             ServerText(language_, kTextNotAReconnectWait)
                                 .arg(reconnectEdit_->text())
                                 .arg(kLongestReconnectWait));
        reconnectEdit_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace tarvel::server
