#include "history_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "client_texts.h"

namespace tarvel {
namespace {

QString Text(const Localizer& texts, int index) {
    return QString::fromStdString(texts.LocalizedText(index));
}

int SpeakerText(Speaker speaker) {
    switch (speaker) {
        case Speaker::Player:
            return text::kSpeakerPlayer;
        case Speaker::Opponent:
            return text::kSpeakerOpponent;
        case Speaker::Effect:
            break;
    }
    return text::kSpeakerEffect;
}

}  // namespace

QString AnnouncementLine(const Announcement& announcement, const Localizer& texts) {
    return Text(texts, SpeakerText(announcement.speaker)) + QStringLiteral(": ") +
           QString::fromStdString(announcement.text);
}

HistoryWindow::HistoryWindow(const Localizer& texts, QWidget* parent) : QDialog(parent), texts_(texts) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(Text(texts, text::kHistoryCaption));
    lines_ = new QListWidget(this);
    lines_->setObjectName(QStringLiteral("historylist"));
    lines_->setAccessibleName(Text(texts, text::kHistoryCaption));
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setMinimumSize(560, 320);
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
        lines_->addItem(AnnouncementLine(announcement, texts_));
    }
    if (lines_->count() == 0) lines_->addItem(Text(texts_, text::kNothingYet));
    lines_->setCurrentRow(lines_->count() - 1);
    lines_->setFocus();
    exec();
}

}  // namespace tarvel
