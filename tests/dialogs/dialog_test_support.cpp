#include "tests/dialogs/dialog_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>

#include "session/texts/client_strings.h"

// Fontconfig, loaded by Qt for the widgets' fonts, keeps a cache it never frees; the
// leak checker of the sanitizer build is told to look past it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tarvel::testing {

namespace {
constexpr int kLongestWaitMs = 5000;
}

void DialogTest::SetUpTestSuite() {
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "client_dialogs_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void ActWhileShown(QDialog& dialog, std::function<void()> act) {
    QTimer::singleShot(0, &dialog, [&dialog, act = std::move(act)] {
        if (!QTest::qWaitForWindowActive(&dialog, kLongestWaitMs)) {
            ADD_FAILURE() << "the dialog did not become active";
        }
        act();
        if (!WaitUntil([&dialog] { return !dialog.isVisible(); })) {
            ADD_FAILURE() << "the dialog was left open";
            dialog.reject();
        }
    });
}

QWidget* FocusWidget() {
    return QApplication::focusWidget();
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = FocusWidget() != nullptr ? FocusWidget() : QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "nothing has the focus";
    QTest::keyClick(target, key, modifiers);
}

void PressAlt(Qt::Key letter) {
    Press(letter, Qt::AltModifier);
}

void Type(const QString& text) {
    QWidget* target = FocusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the focus";
    QTest::keyClicks(target, text);
}

bool WaitUntil(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, kLongestWaitMs);
}

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    qApp->installEventFilter(this);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    qApp->removeEventFilter(this);
}

bool MessageBoxAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            texts_ << box->text();
            QTimer::singleShot(0, box, [box] {
                if (!QTest::qWaitForWindowActive(box, kLongestWaitMs)) {
                    ADD_FAILURE() << "the message box did not become active";
                }
                QTest::keyClick(box, Qt::Key_Return);
            });
        }
    }
    return false;
}

QString Text(std::int32_t base, std::int32_t index) {
    return QString::fromStdString(LocalizedText(ClientStrings(), base, index));
}

}  // namespace tarvel::testing
