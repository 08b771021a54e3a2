// The message dialog driven by keys: captions, the empty field at every opening, the
// length limit, and what OK and Cancel give back.
#include "client/chat/message_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <vector>

#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"

namespace tarvel {
namespace {

using testing::ActWhileShown;
using testing::FocusWidget;
using testing::Press;
using testing::Text;

// As a keyboard gives it, Czech letters too (the test library's typing knows ASCII only).
void Type(const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, FocusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class MessageDialogTest : public testing::DialogTest {
  protected:
    QLineEdit* Field() { return dialog_.findChild<QLineEdit*>("messageEdit"); }

    Localizer localizer_{ClientStrings(), kCzechLanguageBase};
    MessageDialog dialog_{localizer_};
};

TEST_F(MessageDialogTest, CaptionsInBothLanguagesWithTheSameCancel) {
    for (const std::int32_t base : {kCzechLanguageBase, kEnglishLanguageBase}) {
        SCOPED_TRACE(base);
        const Localizer localizer(ClientStrings(), base);
        MessageDialog dialog(localizer);
        EXPECT_EQ(dialog.objectName(), "messageDialog");
        EXPECT_EQ(dialog.windowTitle(), Text(base, 110));
        EXPECT_EQ(dialog.findChild<QPushButton*>("sendButton")->text(), Text(base, 47));
        EXPECT_EQ(dialog.findChild<QPushButton*>("cancelButton")->text(), "Zrušit");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("messageEdit")->maxLength(), 70);
    }
}

TEST_F(MessageDialogTest, GivesTheTypedMessageOrNothing) {
    struct Case {
        const char* what;
        QString typed;
        Qt::Key ending;
        std::optional<std::string> sent;
    };
    const std::vector<Case> cases = {
        {"a message", "ahoj, jak se máš?", Qt::Key_Return, "ahoj, jak se máš?"},
        {"blanks kept as typed", " dobře ", Qt::Key_Return, " dobře "},
        {"too long", QString(75, QLatin1Char('x')), Qt::Key_Return, std::string(70, 'x')},
        {"empty", "", Qt::Key_Return, std::nullopt},
        {"only blanks", "    ", Qt::Key_Return, std::nullopt},
        {"cancelled", "ahoj", Qt::Key_Escape, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString atOpening = "not shown";
        QWidget* focus = nullptr;
        ActWhileShown(dialog_, [&] {
            atOpening = Field()->text();
            focus = FocusWidget();
            Type(c.typed);
            Press(c.ending);
        });
        EXPECT_EQ(dialog_.Ask(), c.sent);
        // Every opening starts empty, whatever the last one left.
        EXPECT_EQ(atOpening, "");
        EXPECT_EQ(focus, Field());
    }
}

TEST_F(MessageDialogTest, TheCancelButtonSendsNothing) {
    ActWhileShown(dialog_, [&] {
        Type("ahoj");
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        EXPECT_EQ(FocusWidget(), dialog_.findChild<QPushButton*>("cancelButton"));
        Press(Qt::Key_Space);
    });
    EXPECT_EQ(dialog_.Ask(), std::nullopt);
}

}  // namespace
}  // namespace tarvel
