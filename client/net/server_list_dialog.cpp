#include "client/net/server_list_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/texts/client_texts.h"
#include "client/dialogs/localized_caption.h"
#include "client/net/net_dialog_captions.h"

namespace tarvel {

namespace {

// Indices of the dialog's texts in the string table.
constexpr std::int32_t kTextOk = 47;
constexpr std::int32_t kTextCancel = 48;
constexpr std::int32_t kTextListLabel = 115;
constexpr std::int32_t kTextCaption = 116;

}  // namespace

ServerListDialog::ServerListDialog(const Localizer& localizer, std::vector<ServerEntry> entries,
                                   QWidget* parent)
    : QDialog(parent), list_(std::move(entries)) {
    using net_dialogs::WithoutAccelerator;
    setObjectName(QStringLiteral("serverListDialog"));
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    serversList_ = new QListWidget(this);
    serversList_->setObjectName(QStringLiteral("serversList"));
    serversList_->setSelectionMode(QAbstractItemView::SingleSelection);
    const QString withoutName = LocalizedCaption(localizer, text::kServerWithoutName);
    for (const ServerEntry& entry : list_.Entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), serversList_);
        // A line without a name shows empty; a screen reader would read nothing at all.
        if (entry.name.empty()) item->setData(Qt::AccessibleTextRole, withoutName);
    }
    serversLabel_ = new QLabel(LocalizedCaption(localizer, kTextListLabel), this);
    serversLabel_->setObjectName(QStringLiteral("serversLabel"));
    serversLabel_->setBuddy(serversList_);
    serversList_->setAccessibleName(WithoutAccelerator(serversLabel_->text()));

    okButton_ = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setAccessibleName(WithoutAccelerator(okButton_->text()));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(LocalizedCaption(localizer, kTextCancel), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setAccessibleName(WithoutAccelerator(cancelButton_->text()));
    connect(okButton_, &QPushButton::clicked, this, &ServerListDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &ServerListDialog::reject);
    connect(serversList_, &QListWidget::itemDoubleClicked, this, &ServerListDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(serversLabel_);
    layout->addWidget(serversList_);
    layout->addLayout(buttons);
}

std::optional<ServerEntry> ServerListDialog::Choose(const std::string& serverName) {
    serversList_->clearSelection();
    serversList_->setCurrentIndex(QModelIndex());
    if (!list_.IsEmpty() && !serverName.empty()) {
        const std::size_t found = list_.FirstNamed(serverName);
        if (found < list_.Size()) serversList_->setCurrentRow(static_cast<int>(found));
    }
    serversList_->setFocus(Qt::OtherFocusReason);
    if (exec() != QDialog::Accepted) return std::nullopt;
    const QList<QListWidgetItem*> selected = serversList_->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    const std::size_t row = static_cast<std::size_t>(serversList_->row(selected.front()));
    return list_.Choose(list_.Entries().at(row).name);
}

}  // namespace tarvel
