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
      portedit(new QLineEdit(this)),
      pripojitpostartucheck(new QCheckBox(ServerText(language, kTextConnectAtStartup), this)),
      tablesLabel_(new QLabel(ServerText(language, kTextTablesLabel), this)),
      tablesedit(new QLineEdit(this)),
      reconnectLabel_(new QLabel(ServerText(language, kTextReconnectWaitLabel), this)),
      reconnectedit(new QLineEdit(this)),
      okButton_(new QPushButton(ServerText(language, kTextOk), this)),
      cancelButton_(new QPushButton(ServerText(language, kTextCancel), this)) {
    setWindowTitle(ServerText(language, kTextSettingsDialogCaption));
    portedit->setObjectName("portedit");
    pripojitpostartucheck->setObjectName("pripojitpostartucheck");
    portLabel_->setBuddy(portedit);
    tablesedit->setObjectName("tablesedit");
    tablesLabel_->setBuddy(tablesedit);
    tablesedit->setAccessibleName(QString(ServerText(language, kTextTablesLabel)).remove(QLatin1Char('&')));
    reconnectedit->setObjectName("reconnectedit");
    reconnectLabel_->setBuddy(reconnectedit);
    reconnectedit->setAccessibleName(
        QString(ServerText(language, kTextReconnectWaitLabel)).remove(QLatin1Char('&')));
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
    auto* tablesRow = new QHBoxLayout;
    tablesRow->addWidget(tablesLabel_);
    tablesRow->addWidget(tablesedit);
    layout->addLayout(tablesRow);
    auto* reconnectRow = new QHBoxLayout;
    reconnectRow->addWidget(reconnectLabel_);
    reconnectRow->addWidget(reconnectedit);
    layout->addLayout(reconnectRow);
    layout->addLayout(buttons);
}

void SettingsDialog::Load(int port, bool connectAtStartup, int tables, int reconnectWait) {
    portedit->setText(QString::number(port));
    tablesedit->setText(QString::number(tables));
    reconnectedit->setText(QString::number(reconnectWait));
    pripojitpostartucheck->setChecked(connectAtStartup);
    portedit->setFocus();
    portedit->selectAll();
}

std::optional<int> SettingsDialog::Port() const {
    return DecimalIn(portedit->text(), 0, 65535);
}

std::optional<int> SettingsDialog::Tables() const {
    return DecimalIn(tablesedit->text(), 1, kMostTables);
}

std::optional<int> SettingsDialog::ReconnectWait() const {
    return DecimalIn(reconnectedit->text(), 0, kLongestReconnectWait);
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
    if (!Tables()) {
        QMessageBox::warning(this, windowTitle(),
                             ServerText(language_, kTextNotATableCount).arg(tablesedit->text()).arg(kMostTables));
        tablesedit->setFocus();
        return;
    }
    if (!ReconnectWait()) {
        QMessageBox::warning(this, windowTitle(),
                             ServerText(language_, kTextNotAReconnectWait).arg(reconnectedit->text()).arg(kLongestReconnectWait));
        reconnectedit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace tarvel::server
