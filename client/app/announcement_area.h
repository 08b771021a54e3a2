// Where a screen reader is told what the game says. The area lies in the status bar and
// shows the last announcement as a line of text. To a screen reader it is a notification
// of the status bar, which Orca speaks at once and puts on the braille display each time
// it is shown; so each announcement shows it again. Where Qt sends announcements of its
// own (6.8 on), the area sends the text as one instead.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace tarvel {

class AnnouncementArea final : public QWidget {
    Q_OBJECT

  public:
    explicit AnnouncementArea(QWidget* parent);

    // Tells a screen reader `text` once; an empty text tells nothing.
    void Announce(const QString& text);
    QString Text() const { return line_->text(); }

  private:
    QLabel* line_ = nullptr;
};

// Gives the game's own widgets the accessible interfaces a screen reader needs: the
// announcement area its notification role, the table a summary told once on focus.
// Called once, before the first window is made; calling it again changes nothing.
void InstallScreenReaderInterfaces();

}  // namespace tarvel
