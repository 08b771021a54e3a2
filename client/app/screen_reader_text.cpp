#include "client/app/screen_reader_text.h"

#include <QStringList>
#include <map>

#include "client/app/history_window.h"

namespace tarvel {

QString ScreenReaderText(const AnnouncementHistory& history, std::size_t first, const Localizer& texts) {
    const auto& entries = history.Entries();
    // Each piece keyed by the entry it begins with, so the pieces keep the order they were heard in.
    std::map<std::size_t, QString> pieces;
    for (const Announcement& announcement : history.Announcements()) {
        if (announcement.first >= first) pieces[announcement.first] = AnnouncementLine(announcement, texts);
    }
    for (std::size_t i = first; i < entries.size(); ++i) {
        if (!entries[i].feedback) continue;
        QString words = QString::fromStdString(entries[i].text).trimmed();
        if (!words.isEmpty()) pieces[i] = words;
    }
    QStringList line;
    for (const auto& [index, piece] : pieces) line.push_back(piece);
    return line.join(QStringLiteral(". "));
}

}  // namespace tarvel
