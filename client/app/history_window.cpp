#include "client/app/history_window.h"

#include <QAccessible>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "session/history/announcement_line.h"
#include "session/texts/client_texts.h"

namespace tarvel {
namespace {

QString Text(const Localizer& texts, int index) {
    return QString::fromStdString(texts.LocalizedText(index));
}

}  // namespace

HistoryWindow::HistoryWindow(const Localizer& texts, QWidget* parent) : QDialog(parent), texts_(texts) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(Text(texts, text::kHistoryCaption));
    lines_ = new QListWidget(this);
    lines_->setObjectName(QStringLiteral("historylist"));
    lines_->setAccessibleName(Text(texts, text::kHistoryCaption));
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setMinimumSize(560, 320);
    lines_->installEventFilter(this);
    auto* close = new QPushButton(Text(texts, 87), this);  // "Za&vřít"
    close->setObjectName(QStringLiteral("closebutton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines_);
    layout->addWidget(close);
}

void HistoryWindow::ShowHistory(const AnnouncementHistory& history) {
    lines_->clear();
    for (const Announcement& announcement : history.Announcements()) {
        lines_->addItem(QString::fromStdString(AnnouncementLine(announcement, texts_)));
    }
    if (lines_->count() == 0) lines_->addItem(Text(texts_, text::kNothingYet));
    lines_->setCurrentRow(lines_->count() - 1);
    lines_->setFocus();
    exec();
}

bool HistoryWindow::eventFilter(QObject* watched, QEvent* event) {
    // The list takes the focus only once the window is up, after its newest line was
    // made current, so a screen reader would name the list and not the line: the line
    // is focused again right after the list.
    if (watched == lines_ && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, this, [this] { FocusCurrentLine(); });
    }
    return QDialog::eventFilter(watched, event);
}

void HistoryWindow::FocusCurrentLine() {
    if (!lines_->hasFocus() || lines_->currentRow() < 0) return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(lines_);
    if (list == nullptr || list->tableInterface() == nullptr) return;
    QAccessibleInterface* line = list->tableInterface()->cellAt(lines_->currentRow(), 0);
    if (line == nullptr) return;
    QAccessibleEvent focused(lines_, QAccessible::Focus);
    focused.setChild(list->indexOfChild(line));
    QAccessible::updateAccessibility(&focused);
}

}  // namespace tarvel
