// Gives the keys back to the table when one of the game's own dialogs has closed, and
// only then: a card, a message or a timer never brings the game to the front while the
// player is in another program.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace tarvel {

class DialogFocusReturn final : public QObject {
    Q_OBJECT

  public:
    // Watches the dialogs whose parent lies in `window`; `focusTable` puts the keys on the table.
    DialogFocusReturn(QWidget& window, std::function<void()> focusTable);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ReturnFocus();

    QPointer<QWidget> window_;
    std::function<void()> focusTable_;
};

}  // namespace tarvel
