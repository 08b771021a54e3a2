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
    setObjectName(QStringLiteral("TForm12"));
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    seznamserverulist = new QListWidget(this);
    seznamserverulist->setObjectName(QStringLiteral("seznamserverulist"));
    seznamserverulist->setSelectionMode(QAbstractItemView::SingleSelection);
    const QString withoutName = LocalizedCaption(localizer, text::kServerWithoutName);
    for (const ServerEntry& entry : list_.Entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), seznamserverulist);
        // A line without a name shows empty; a screen reader would read nothing at all.
        if (entry.name.empty()) item->setData(Qt::AccessibleTextRole, withoutName);
    }
    seznamserverustatic = new QLabel(LocalizedCaption(localizer, kTextListLabel), this);
    seznamserverustatic->setObjectName(QStringLiteral("seznamserverustatic"));
    seznamserverustatic->setBuddy(seznamserverulist);
    seznamserverulist->setAccessibleName(WithoutAccelerator(seznamserverustatic->text()));

    okbitbtn = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    okbitbtn->setObjectName(QStringLiteral("okbitbtn"));
    okbitbtn->setAccessibleName(WithoutAccelerator(okbitbtn->text()));
    okbitbtn->setDefault(true);
    zrusitbitbtn = new QPushButton(LocalizedCaption(localizer, kTextCancel), this);
    zrusitbitbtn->setObjectName(QStringLiteral("zrusitbitbtn"));
    zrusitbitbtn->setAccessibleName(WithoutAccelerator(zrusitbitbtn->text()));
    connect(okbitbtn, &QPushButton::clicked, this, &ServerListDialog::accept);
    connect(zrusitbitbtn, &QPushButton::clicked, this, &ServerListDialog::reject);
    connect(seznamserverulist, &QListWidget::itemDoubleClicked, this, &ServerListDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okbitbtn);
    buttons->addWidget(zrusitbitbtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seznamserverustatic);
    layout->addWidget(seznamserverulist);
    layout->addLayout(buttons);
}

std::optional<ServerEntry> ServerListDialog::Choose(const std::string& serverName) {
    seznamserverulist->clearSelection();
    seznamserverulist->setCurrentIndex(QModelIndex());
    if (!list_.IsEmpty() && !serverName.empty()) {
        const std::size_t found = list_.FirstNamed(serverName);
        if (found < list_.Size()) seznamserverulist->setCurrentRow(static_cast<int>(found));
    }
    seznamserverulist->setFocus(Qt::OtherFocusReason);
    if (exec() != QDialog::Accepted) return std::nullopt;
    const QList<QListWidgetItem*> selected = seznamserverulist->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    const std::size_t row = static_cast<std::size_t>(seznamserverulist->row(selected.front()));
    return list_.Choose(list_.Entries().at(row).name);
}

}  // namespace tarvel
