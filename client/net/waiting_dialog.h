// The wait for the opponent: shown while the client waits for the second
// player, with one button to give up. It runs no event loop of its own: open() returns
// at once, the network client goes on reading from the main loop, and closes the
// dialog quietly when the second player has arrived.
#pragma once

#include <QDialog>

#include "common/string_table.h"

class QLabel;
class QPushButton;

namespace tarvel {

class WaitingDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit WaitingDialog(const Localizer& localizer, QWidget* parent = nullptr);

    // Shows the dialog, modal over the whole application, with the waiting text (118)
    // and the focus on the abort button, and returns at once (no loop of its own).
    void open() override;
    // Closes the dialog without aborted(): the second player has connected.
    void CloseQuietly();

    // The label's text in place of the waiting text, told to a screen reader too: the
    // server has not answered yet (141), or a failure the socket layer reported.
    void ShowNoAnswerYet();
    void ShowError(const QString& message);

    QString Message() const;

    // The button, Escape or closing the window: the dialog is closed.
    void reject() override;

  signals:
    // The player gave up waiting (the button, Escape or the window's close); sent once
    // per open(), after the dialog has closed. Not sent by CloseQuietly().
    void aborted();

  private:
    void SetMessage(const QString& message);

    const Localizer& localizer_;
    QLabel* textlabel;
    QPushButton* abortButton_;
};

}  // namespace tarvel
