// Driving a dialog that another dialog opens from a button: the action runs once the
// inner dialog has been shown and activated, inside its own modal loop.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include "tests/dialogs/dialog_test_support.h"

namespace tarvel::testing {

// While alive, runs `act` each time `dialog` is shown. The action is expected to end
// the dialog; one left open is rejected, so the test fails instead of hanging.
class WhenShown final : public QObject {
  public:
    WhenShown(QDialog& dialog, std::function<void()> act) : dialog_(dialog), act_(std::move(act)) {
        dialog_.installEventFilter(this);
    }
    ~WhenShown() override { dialog_.removeEventFilter(this); }
    int Times() const { return times_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            ++times_;
            QTimer::singleShot(0, this, [this] {
                // A dialog over another one counts as active with it (it shares the
                // activation); the keys reach it only once it is the active window itself.
                if (!WaitUntil([this] { return QApplication::activeWindow() == &dialog_; })) {
                    ADD_FAILURE() << "the dialog did not become active";
                }
                act_();
                if (!WaitUntil([this] { return !dialog_.isVisible(); })) {
                    ADD_FAILURE() << "the dialog was left open";
                    dialog_.reject();
                }
            });
        }
        return false;
    }

  private:
    QDialog& dialog_;
    std::function<void()> act_;
    int times_ = 0;
};

}  // namespace tarvel::testing
