// The announcements of the match as a list of lines, newest last, for a braille
// display or a screen reader. Read only; Escape closes it.
#pragma once

#include <QDialog>
#include <QListWidget>

#include "session/history/announcement_history.h"
#include "common/string_table.h"

namespace tarvel {

class HistoryWindow final : public QDialog {
    Q_OBJECT

  public:
    HistoryWindow(const Localizer& texts, QWidget* parent);

    // Fills the list from the history and shows it modally, the newest line selected.
    void ShowHistory(const AnnouncementHistory& history);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Tells a screen reader that the current line has the focus.
    void FocusCurrentLine();

    const Localizer& texts_;
    QListWidget* lines_ = nullptr;
};

}  // namespace tarvel
