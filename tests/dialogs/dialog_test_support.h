// Driving the dialogs as a player does, under the offscreen platform: keys to the
// focused control while the dialog runs modally, message boxes answered with Enter.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "common/string_table.h"

class QDialog;
class QWidget;

namespace tarvel::testing {

// Makes the one application object the widgets need.
class DialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
};

// Runs `act` once `dialog`'s exec() has shown and activated it. The action is expected
// to end the dialog; one left open is rejected, so the test fails instead of hanging.
void ActWhileShown(QDialog& dialog, std::function<void()> act);

// A key press with its release, sent to the widget that has the focus.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void PressAlt(Qt::Key letter);
void Type(const QString& text);

// Alt+letter shortcuts of checkable buttons click 100 ms after the press, as a
// visible press would; waits until `done` holds.
bool WaitUntil(const std::function<bool()>& done);

QWidget* FocusWidget();
// The name a screen reader announces for `widget`.
QString AccessibleName(QWidget* widget);

// While alive, answers every message box with Enter and keeps its text.
class MessageBoxAnswerer final : public QObject {
  public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer() override;
    const QStringList& Texts() const { return texts_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QStringList texts_;
};

// The table text as the widgets show it.
QString Text(std::int32_t base, std::int32_t index);

}  // namespace tarvel::testing
