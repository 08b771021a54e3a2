#include "client/net/net_settings_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/texts/client_texts.h"
#include "client/dialogs/localized_caption.h"
#include "client/net/net_dialog_captions.h"
#include "session/net/server_address.h"
#include "client/net/server_list_dialog.h"
#include "session/net/table_name.h"

namespace tarvel {

namespace {

using net_dialogs::WithoutAccelerator;

// Indices of the dialog's texts in the string table.
constexpr std::int32_t kTextOk = 47;
constexpr std::int32_t kTextCancel = 48;
constexpr std::int32_t kTextCaption = 100;
constexpr std::int32_t kTextAllowVoiceChat = 101;
constexpr std::int32_t kTextAddress = 102;
constexpr std::int32_t kTextPort = 103;
constexpr std::int32_t kTextRunServer = 104;
constexpr std::int32_t kTextServerList = 115;
constexpr std::int32_t kTextServerName = 117;

QLineEdit* NewField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    return field;
}

QLabel* NewLabelFor(QLineEdit* buddy, const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);  // its '&' letter focuses the field
    buddy->setAccessibleName(WithoutAccelerator(text));
    return label;
}

template <class Button>
Button* NewButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new Button(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(WithoutAccelerator(text));
    return button;
}

}  // namespace

NetSettingsDialog::NetSettingsDialog(const Localizer& localizer, std::vector<ServerEntry> serverList,
                                     ShowMessage showMessage, QWidget* parent)
    : QDialog(parent), localizer_(localizer), showMessage_(std::move(showMessage)) {
    setObjectName(QStringLiteral("netSettingsDialog"));
    setWindowTitle(LocalizedCaption(localizer_, kTextCaption));
    if (!showMessage_) {
        showMessage_ = [this](const QString& message) { QMessageBox::warning(this, windowTitle(), message); };
    }
    serverList_ = new ServerListDialog(localizer_, std::move(serverList), this);

    // Created in the order of the tab chain.
    addressEdit_ = NewField("addressEdit", this);
    addressLabel_ = NewLabelFor(addressEdit_, LocalizedCaption(localizer_, kTextAddress), "addressLabel", this);
    portEdit_ = NewField("portEdit", this);
    portLabel_ = NewLabelFor(portEdit_, LocalizedCaption(localizer_, kTextPort), "portLabel", this);
    serverNameEdit_ = NewField("serverNameEdit", this);
    serverNameEdit_->setReadOnly(true);
    serverNameLabel_ = NewLabelFor(serverNameEdit_, LocalizedCaption(localizer_, kTextServerName),
                                     "serverNameLabel", this);
    serverListButton_ =
        NewButton<QPushButton>(LocalizedCaption(localizer_, kTextServerList), "serverListButton", this);
    spustservercheck =
        NewButton<QCheckBox>(LocalizedCaption(localizer_, kTextRunServer), "spustservercheck", this);
    spokenMessagesBox_ =
        NewButton<QCheckBox>(LocalizedCaption(localizer_, kTextAllowVoiceChat), "spokenMessagesBox", this);
    okButton_ = NewButton<QPushButton>(LocalizedCaption(localizer_, kTextOk), "okButton", this);
    okButton_->setDefault(true);
    cancelButton_ = NewButton<QPushButton>(LocalizedCaption(localizer_, kTextCancel), "cancelButton", this);
    // Last in the tab chain, so the chain of the fields that were always there stays as
    // players know it; its letter reaches it from anywhere.
    tableEdit_ = NewField("tableEdit", this);
    tableEdit_->setMaxLength(static_cast<int>(kMostTableNameCharacters));
    tableLabel_ = NewLabelFor(tableEdit_, LocalizedCaption(localizer_, text::kTableNameField), "tableLabel", this);

    connect(serverListButton_, &QPushButton::clicked, this, &NetSettingsDialog::ChooseFromServerList);
    connect(okButton_, &QPushButton::clicked, this, &NetSettingsDialog::okbitbtnClick);
    connect(cancelButton_, &QPushButton::clicked, this, &NetSettingsDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(addressLabel_, 0, 0);
    fields->addWidget(addressEdit_, 0, 1);
    fields->addWidget(portLabel_, 1, 0);
    fields->addWidget(portEdit_, 1, 1);
    fields->addWidget(serverNameLabel_, 2, 0);
    fields->addWidget(serverNameEdit_, 2, 1);
    fields->addWidget(serverListButton_, 2, 2);
    fields->addWidget(tableLabel_, 3, 0);
    fields->addWidget(tableEdit_, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(spustservercheck);
    layout->addWidget(spokenMessagesBox_);
    layout->addStretch();
    layout->addLayout(buttons);
}

std::optional<NetSettings> NetSettingsDialog::Edit(const NetSettings& current, bool serverListExists) {
    serverNameEdit_->setText(QString::fromStdString(current.servername));
    serverListButton_->setEnabled(serverListExists);
    addressEdit_->setText(QString::fromStdString(current.ipaddress));
    portEdit_->setText(QString::fromStdString(ServerPortText(current.port)));
    tableEdit_->setText(QString::fromStdString(current.table));
    spustservercheck->setChecked(current.runserver);
    spokenMessagesBox_->setChecked(current.allowvoicechat);
    addressEdit_->setFocus(Qt::OtherFocusReason);
    addressEdit_->selectAll();
    if (exec() != QDialog::Accepted) return std::nullopt;

    NetSettings chosen;
    chosen.ipaddress = ServerAddressOrDefault(addressEdit_->text().toStdString());
    chosen.port = acceptedPort_;
    chosen.servername = serverNameEdit_->text().toStdString();
    chosen.table = acceptedTable_;
    chosen.runserver = spustservercheck->isChecked();
    chosen.allowvoicechat = spokenMessagesBox_->isChecked();
    return chosen;
}

void NetSettingsDialog::ChooseFromServerList() {
    const std::optional<ServerEntry> entry = serverList_->Choose(serverNameEdit_->text().toStdString());
    if (entry) {
        addressEdit_->setText(QString::fromStdString(entry->address));
        const PortAndTable field = SplitPortAndTable(entry->port);
        portEdit_->setText(QString::fromStdString(field.port));
        // A line without a table keeps the one typed.
        if (!field.table.empty()) tableEdit_->setText(QString::fromStdString(field.table));
        serverNameEdit_->setText(QString::fromStdString(entry->name));
    }
    // Back to this dialog with the keys, also where the window system does not give
    // the activation back by itself.
    activateWindow();
    serverListButton_->setFocus(Qt::OtherFocusReason);
}

void NetSettingsDialog::okbitbtnClick() {
    const std::optional<std::int32_t> port = ReadServerPort(portEdit_->text().toStdString());
    if (!port) {
        // Nothing is taken over: the dialog stays with what was typed, the port ready
        // to be typed again.
        showMessage_(LocalizedCaption(localizer_, text::kPortNotValid).arg(portEdit_->text()));
        activateWindow();
        portEdit_->setFocus(Qt::OtherFocusReason);
        portEdit_->selectAll();
        return;
    }
    const std::optional<std::string> table = ReadTableName(tableEdit_->text().toStdString());
    if (!table) {
        showMessage_(LocalizedCaption(localizer_, text::kTableNameNotValid).arg(tableEdit_->text()));
        activateWindow();
        tableEdit_->setFocus(Qt::OtherFocusReason);
        tableEdit_->selectAll();
        return;
    }
    acceptedPort_ = *port;
    acceptedTable_ = *table;
    accept();
}

}  // namespace tarvel
