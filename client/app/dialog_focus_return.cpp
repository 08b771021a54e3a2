#include "client/app/dialog_focus_return.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace tarvel {

DialogFocusReturn::DialogFocusReturn(QWidget& window, std::function<void()> focusTable)
    : QObject(&window), window_(&window), focusTable_(std::move(focusTable)) {
    qApp->installEventFilter(this);
}

bool DialogFocusReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide || !watched->isWidgetType()) return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    // A dialog opened over another dialog gives the keys back to that one, not to the table.
    if (dialog == nullptr || !dialog->isWindow() || dialog->parentWidget() == nullptr ||
        dialog->parentWidget()->window() != window_) {
        return false;
    }
    // After the modal loop has let go of the dialog, so the window can take the activation.
    QTimer::singleShot(0, this, &DialogFocusReturn::ReturnFocus);
    return false;
}

void DialogFocusReturn::ReturnFocus() {
    if (window_ == nullptr || !window_->isVisible() || QApplication::activeModalWidget() != nullptr) return;
    // A dialog the game closed by itself while the player was elsewhere leaves them there.
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) return;
    if (!window_->isActiveWindow()) window_->activateWindow();
    focusTable_();
}

}  // namespace tarvel
