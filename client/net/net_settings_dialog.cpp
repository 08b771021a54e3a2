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
#include "client/net/table_name.h"

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
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(LocalizedCaption(localizer_, kTextCaption));
    if (!showMessage_) {
        showMessage_ = [this](const QString& message) { QMessageBox::warning(this, windowTitle(), message); };
    }
    serverList_ = new ServerListDialog(localizer_, std::move(serverList), this);

    // Created in the order of the tab chain.
    ipedit = NewField("ipedit", this);
    ipstatic = NewLabelFor(ipedit, LocalizedCaption(localizer_, kTextAddress), "ipstatic", this);
    portedit = NewField("portedit", this);
    portstatic = NewLabelFor(portedit, LocalizedCaption(localizer_, kTextPort), "portstatic", this);
    jmenoserveruedit = NewField("jmenoserveruedit", this);
    jmenoserveruedit->setReadOnly(true);
    jmenoserverustatic = NewLabelFor(jmenoserveruedit, LocalizedCaption(localizer_, kTextServerName),
                                     "jmenoserverustatic", this);
    seznamserverubtn =
        NewButton<QPushButton>(LocalizedCaption(localizer_, kTextServerList), "seznamserverubtn", this);
    spustservercheck =
        NewButton<QCheckBox>(LocalizedCaption(localizer_, kTextRunServer), "spustservercheck", this);
    hlasovezpravycheck =
        NewButton<QCheckBox>(LocalizedCaption(localizer_, kTextAllowVoiceChat), "hlasovezpravycheck", this);
    okbitbtn = NewButton<QPushButton>(LocalizedCaption(localizer_, kTextOk), "okbitbtn", this);
    okbitbtn->setDefault(true);
    BitBtn2 = NewButton<QPushButton>(LocalizedCaption(localizer_, kTextCancel), "BitBtn2", this);
    // Last in the tab chain, so the chain of the fields that were always there stays as
    // players know it; its letter reaches it from anywhere.
    stuledit = NewField("stuledit", this);
    stuledit->setMaxLength(static_cast<int>(kMostTableNameCharacters));
    stulstatic = NewLabelFor(stuledit, LocalizedCaption(localizer_, text::kTableNameField), "stulstatic", this);

    connect(seznamserverubtn, &QPushButton::clicked, this, &NetSettingsDialog::seznamserverubtnClick);
    connect(okbitbtn, &QPushButton::clicked, this, &NetSettingsDialog::okbitbtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, &NetSettingsDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(ipstatic, 0, 0);
    fields->addWidget(ipedit, 0, 1);
    fields->addWidget(portstatic, 1, 0);
    fields->addWidget(portedit, 1, 1);
    fields->addWidget(jmenoserverustatic, 2, 0);
    fields->addWidget(jmenoserveruedit, 2, 1);
    fields->addWidget(seznamserverubtn, 2, 2);
    fields->addWidget(stulstatic, 3, 0);
    fields->addWidget(stuledit, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okbitbtn);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(spustservercheck);
    layout->addWidget(hlasovezpravycheck);
    layout->addStretch();
    layout->addLayout(buttons);
}

std::optional<NetSettings> NetSettingsDialog::Edit(const NetSettings& current, bool serverListExists) {
    jmenoserveruedit->setText(QString::fromStdString(current.servername));
    seznamserverubtn->setEnabled(serverListExists);
    ipedit->setText(QString::fromStdString(current.ipaddress));
    portedit->setText(QString::fromStdString(ServerPortText(current.port)));
    stuledit->setText(QString::fromStdString(current.table));
    spustservercheck->setChecked(current.runserver);
    hlasovezpravycheck->setChecked(current.allowvoicechat);
    ipedit->setFocus(Qt::OtherFocusReason);
    ipedit->selectAll();
    if (exec() != QDialog::Accepted) return std::nullopt;

    NetSettings chosen;
    chosen.ipaddress = ServerAddressOrDefault(ipedit->text().toStdString());
    chosen.port = acceptedPort_;
    chosen.servername = jmenoserveruedit->text().toStdString();
    chosen.table = acceptedTable_;
    chosen.runserver = spustservercheck->isChecked();
    chosen.allowvoicechat = hlasovezpravycheck->isChecked();
    return chosen;
}

void NetSettingsDialog::seznamserverubtnClick() {
    const std::optional<ServerEntry> entry = serverList_->Choose(jmenoserveruedit->text().toStdString());
    if (entry) {
        ipedit->setText(QString::fromStdString(entry->address));
        const PortAndTable field = SplitPortAndTable(entry->port);
        portedit->setText(QString::fromStdString(field.port));
        // A line without a table keeps the one typed.
        if (!field.table.empty()) stuledit->setText(QString::fromStdString(field.table));
        jmenoserveruedit->setText(QString::fromStdString(entry->name));
    }
    // Back to this dialog with the keys, also where the window system does not give
    // the activation back by itself.
    activateWindow();
    seznamserverubtn->setFocus(Qt::OtherFocusReason);
}

void NetSettingsDialog::okbitbtnClick() {
    const std::optional<std::int32_t> port = ReadServerPort(portedit->text().toStdString());
    if (!port) {
        // Nothing is taken over: the dialog stays with what was typed, the port ready
        // to be typed again.
        showMessage_(LocalizedCaption(localizer_, text::kPortNotValid).arg(portedit->text()));
        activateWindow();
        portedit->setFocus(Qt::OtherFocusReason);
        portedit->selectAll();
        return;
    }
    const std::optional<std::string> table = ReadTableName(stuledit->text().toStdString());
    if (!table) {
        showMessage_(LocalizedCaption(localizer_, text::kTableNameNotValid).arg(stuledit->text()));
        activateWindow();
        stuledit->setFocus(Qt::OtherFocusReason);
        stuledit->selectAll();
        return;
    }
    acceptedPort_ = *port;
    acceptedTable_ = *table;
    accept();
}

}  // namespace tarvel
