// The wait for the opponent: shown without a loop of its own, given up by the button,
// Escape or the window's close (each tells the client once), closed quietly by the
// client when the second player has come, and its text changed where a screen reader
// hears it.
#include "client/net/waiting_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"

namespace tarvel {
namespace {

using testing::AccessibleName;
using testing::FocusWidget;
using testing::Press;
using testing::Text;
using testing::WaitUntil;

constexpr std::int32_t kCzech = kCzechLanguageBase;
constexpr std::int32_t kEnglish = kEnglishLanguageBase;

class WaitingDialogTest : public testing::DialogTest {
  protected:
    void OpenAndActivate() {
        dialog_.open();
        ASSERT_TRUE(dialog_.isVisible());  // at once, without waiting for anything
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_, 5000));
    }
    QLabel* Label() { return dialog_.findChild<QLabel*>("textlabel"); }
    QPushButton* AbortButton() { return dialog_.findChild<QPushButton*>("abortButton"); }

    Localizer localizer_{ClientStrings(), kCzech};
    WaitingDialog dialog_{localizer_};
    QSignalSpy aborted_{&dialog_, &WaitingDialog::aborted};
};

TEST_F(WaitingDialogTest, ShowsTheWaitingTextAndOneButtonWithTheFocus) {
    OpenAndActivate();
    EXPECT_EQ(dialog_.objectName(), "waitingDialog");
    EXPECT_EQ(dialog_.windowTitle(), Text(kCzech, 1));
    EXPECT_EQ(dialog_.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(Label()->text(), Text(kCzech, 118));
    EXPECT_EQ(dialog_.Message(), Text(kCzech, 118));
    EXPECT_EQ(AbortButton()->text(), Text(kCzech, 48));
    EXPECT_EQ(dialog_.findChildren<QPushButton*>().size(), 1);
    EXPECT_EQ(FocusWidget(), AbortButton());
    EXPECT_EQ(AccessibleName(AbortButton()), "Zrušit");
    EXPECT_EQ(AccessibleName(Label()), Text(kCzech, 118));
    EXPECT_EQ(dialog_.accessibleDescription(), Text(kCzech, 118));
    dialog_.CloseQuietly();
}

TEST_F(WaitingDialogTest, TheButtonAborts) {
    OpenAndActivate();
    QTest::mouseClick(AbortButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(aborted_.count(), 1);
}

TEST_F(WaitingDialogTest, SpaceAndEnterOnTheButtonAbort) {
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        aborted_.clear();
        OpenAndActivate();
        Press(key);
        EXPECT_TRUE(WaitUntil([&] { return !dialog_.isVisible(); })) << key;
        EXPECT_EQ(aborted_.count(), 1) << key;
    }
}

TEST_F(WaitingDialogTest, EscapeAborts) {
    OpenAndActivate();
    Press(Qt::Key_Escape);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(aborted_.count(), 1);
}

TEST_F(WaitingDialogTest, ClosingTheWindowAborts) {
    OpenAndActivate();
    dialog_.close();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(aborted_.count(), 1);
}

TEST_F(WaitingDialogTest, TheSecondPlayerClosesItQuietly) {
    QSignalSpy finished(&dialog_, &QDialog::finished);
    OpenAndActivate();
    dialog_.CloseQuietly();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(aborted_.count(), 0);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    // Nothing more once it is closed.
    dialog_.CloseQuietly();
    dialog_.reject();
    EXPECT_EQ(aborted_.count(), 0);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(WaitingDialogTest, AbortIsToldOncePerOpening) {
    OpenAndActivate();
    Press(Qt::Key_Escape);
    dialog_.reject();
    dialog_.CloseQuietly();
    EXPECT_EQ(aborted_.count(), 1);
    OpenAndActivate();
    Press(Qt::Key_Escape);
    EXPECT_EQ(aborted_.count(), 2);
}

TEST_F(WaitingDialogTest, TheTextChangesToNoAnswerAndToAnErrorAndBackAtTheNextOpening) {
    OpenAndActivate();
    dialog_.ShowNoAnswerYet();
    EXPECT_EQ(Label()->text(), Text(kCzech, 141));
    EXPECT_EQ(dialog_.Message(), "Server zatím neodpovídá. Můžete čekat dál nebo hru zrušit.");
    dialog_.ShowError("Connection refused");
    EXPECT_EQ(Label()->text(), "Connection refused");
    EXPECT_TRUE(dialog_.isVisible());  // the player decides when to give up
    EXPECT_EQ(aborted_.count(), 0);
    dialog_.ShowError("<b>not markup</b>");
    EXPECT_EQ(Label()->textFormat(), Qt::PlainText);
    Press(Qt::Key_Escape);
    EXPECT_EQ(aborted_.count(), 1);

    OpenAndActivate();
    EXPECT_EQ(Label()->text(), Text(kCzech, 118));
    dialog_.CloseQuietly();
}

// Offscreen no assistive technology listens, so the change events themselves are not
// seen here; what a screen reader reads after them is.
TEST_F(WaitingDialogTest, AChangedTextIsWhatAScreenReaderReads) {
    OpenAndActivate();
    dialog_.ShowNoAnswerYet();
    const QString text = Text(kCzech, 141);
    EXPECT_EQ(AccessibleName(Label()), text);
    EXPECT_EQ(dialog_.accessibleDescription(), text);
    EXPECT_EQ(AbortButton()->accessibleDescription(), text);
    EXPECT_EQ(AccessibleName(AbortButton()), "Zrušit");
    dialog_.ShowError("Connection refused");
    EXPECT_EQ(AccessibleName(Label()), "Connection refused");
    EXPECT_EQ(AbortButton()->accessibleDescription(), "Connection refused");
    dialog_.CloseQuietly();
}

class EnglishWaitingDialog : public testing::DialogTest {};

TEST_F(EnglishWaitingDialog, SpeaksEnglish) {
    Localizer localizer(ClientStrings(), kEnglish);
    WaitingDialog dialog(localizer);
    dialog.open();
    EXPECT_EQ(dialog.Message(), "Please wait for your opponent");
    dialog.ShowNoAnswerYet();
    EXPECT_EQ(dialog.Message(), "The server has not answered yet. You can keep waiting or cancel the game.");
    EXPECT_EQ(dialog.findChild<QPushButton*>("abortButton")->text(), "Cancel");
    dialog.CloseQuietly();
}

}  // namespace
}  // namespace tarvel
