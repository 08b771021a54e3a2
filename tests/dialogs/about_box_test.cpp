// The about box: its texts in both languages, its icon, and Enter or Escape closing it.
#include "client/dialogs/about_box.h"

#include <QLabel>
#include <QPushButton>

#include "common/version.h"
#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"

namespace tarvel {
namespace {

using testing::Text;

class AboutBoxTest : public testing::DialogTest {};

TEST_F(AboutBoxTest, ShowsTheIconTheNameAndTheVersionInBothLanguages) {
    for (std::int32_t base : {kCzechLanguageBase, kEnglishLanguageBase}) {
        SCOPED_TRACE(base);
        const Localizer localizer(ClientStrings(), base);
        AboutBox box(localizer);
        EXPECT_EQ(box.windowTitle(), Text(base, 68));
        EXPECT_EQ(box.findChild<QLabel*>("ProductName")->text(), Text(base, 1));
        EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), Text(base, 69) + " " + ProgramVersion().data());
        EXPECT_EQ(box.findChild<QPushButton*>("OKButton")->text(), Text(base, 47));
        EXPECT_FALSE(box.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
    }
    const Localizer czech(ClientStrings(), kCzechLanguageBase);
    EXPECT_EQ(AboutBox(czech).findChild<QLabel*>("Version")->text(), QString("verze ") + ProgramVersion().data());
}

TEST_F(AboutBoxTest, EnterOrEscapeClosesIt) {
    const Localizer czech(ClientStrings(), kCzechLanguageBase);
    AboutBox box(czech);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        testing::ActWhileShown(box, [key] { testing::Press(key); });
        EXPECT_EQ(box.exec(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST_F(AboutBoxTest, TheIconAndTheButtonHaveAccessibleNames) {
    const Localizer english(ClientStrings(), kEnglishLanguageBase);
    AboutBox box(english);
    EXPECT_EQ(testing::AccessibleName(box.findChild<QLabel*>("ProgramIcon")), "Tarvel");
    EXPECT_EQ(testing::AccessibleName(box.findChild<QPushButton*>("OKButton")), "OK");
}

}  // namespace
}  // namespace tarvel
