// The environment dialog driven by keys: what it shows at opening, the language that
// changes the dialog's own captions and every later text at once, what OK and Cancel
// give back, the restart notice shown once and only after a change, the captions of
// both languages and the accessible names.
#include "client/dialogs/environment_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"

namespace tarvel {
namespace {

using testing::ActWhileShown;
using testing::FocusWidget;
using testing::Press;
using testing::PressAlt;
using testing::Text;
using testing::WaitUntil;

constexpr std::int32_t kCzech = kCzechLanguageBase;
constexpr std::int32_t kEnglish = kEnglishLanguageBase;

class EnvironmentDialogTest : public testing::DialogTest {
  protected:
    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = dialog_.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }
    QGroupBox* Languages() { return Find<QGroupBox>("languageGroup"); }
    QRadioButton* Language(int position) { return Languages()->findChildren<QRadioButton*>().at(position); }
    int ChosenLanguage() {
        const QList<QRadioButton*> items = Languages()->findChildren<QRadioButton*>();
        for (int i = 0; i < items.size(); ++i) {
            if (items[i]->isChecked()) return i;
        }
        return -1;
    }

    // The captions the language changes, and one it does not.
    struct Labels {
        QString title, group, ok, cancel, sounds;
        friend bool operator==(const Labels&, const Labels&) = default;
    };
    Labels Shown() {
        return {dialog_.windowTitle(), Languages()->title(), Find<QPushButton>("okButton")->text(),
                Find<QPushButton>("cancelButton")->text(), Box("soundsBox")->text()};
    }
    static Labels LabelsIn(std::int32_t base) {
        return {Text(base, 91), Text(base, 90), Text(base, 47), Text(base, 48), Text(kCzech, 19)};
    }

    Localizer localizer_{ClientStrings(), kCzech};
    EnvironmentDialog dialog_{localizer_};
};

TEST_F(EnvironmentDialogTest, OpensWithTheSettingsShownAndTheFocusOnTheLanguage) {
    const std::vector<EnvironmentChoice> cases = {
        {true, false, false, kCzech},
        {false, true, true, kEnglish},
        {true, true, false, kEnglish},
    };
    for (const EnvironmentChoice& current : cases) {
        SCOPED_TRACE(current.languageBase);
        localizer_.SetLanguageBase(current.languageBase);
        EnvironmentChoice shown;
        int chosen = -1;
        QWidget* focus = nullptr;
        ActWhileShown(dialog_, [&] {
            shown = {Box("soundsBox")->isChecked(), Box("moveMouseBox")->isChecked(),
                     Box("sayCardsUnderMouseBox")->isChecked(), 0};
            chosen = ChosenLanguage();
            focus = FocusWidget();
            Press(Qt::Key_Escape);
        });
        EXPECT_EQ(dialog_.Edit(current), std::nullopt);
        EXPECT_EQ(shown.soundsOn, current.soundsOn);
        EXPECT_EQ(shown.movemouse, current.movemouse);
        EXPECT_EQ(shown.saycardsundermouse, current.saycardsundermouse);
        EXPECT_EQ(chosen, current.languageBase / 1000 - 1);
        EXPECT_EQ(focus, Language(chosen));
        EXPECT_FALSE(dialog_.LanguageChanged());
    }
}

TEST_F(EnvironmentDialogTest, ChoosingALanguageRelabelsTheDialogAndSwitchesTheTextsAtOnce) {
    EXPECT_EQ(Shown(), LabelsIn(kCzech));
    std::vector<Labels> seen;
    std::vector<std::int32_t> bases;
    ActWhileShown(dialog_, [&] {
        Press(Qt::Key_Down);  // English
        seen.push_back(Shown());
        bases.push_back(localizer_.LanguageBase());
        Press(Qt::Key_Up);  // Czech again
        seen.push_back(Shown());
        bases.push_back(localizer_.LanguageBase());
        Press(Qt::Key_Down);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dialog_.Edit({true, false, false, kCzech}), std::nullopt);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], LabelsIn(kEnglish));
    EXPECT_EQ(bases[0], kEnglish);
    EXPECT_EQ(seen[1], LabelsIn(kCzech));
    EXPECT_EQ(bases[1], kCzech);
    // Cancelled, the language chosen last still holds for every later text, but nothing
    // asks for a restart: nothing is to be saved.
    EXPECT_EQ(localizer_.LanguageBase(), kEnglish);
    EXPECT_EQ(localizer_.LocalizedText(93), "Your changes will be applied after you restart the game.");
    EXPECT_FALSE(dialog_.LanguageChanged());
    testing::MessageBoxAnswerer answerer;
    dialog_.ShowRestartNoticeIfLanguageChanged();
    EXPECT_TRUE(answerer.Texts().isEmpty());
    // The next opening starts from the language in force.
    int chosen = -1;
    ActWhileShown(dialog_, [&] {
        chosen = ChosenLanguage();
        Press(Qt::Key_Escape);
    });
    dialog_.Edit({true, false, false, localizer_.LanguageBase()});
    EXPECT_EQ(chosen, 1);
}

TEST_F(EnvironmentDialogTest, OkReportsTheChoiceAndWhetherTheLanguageChanged) {
    struct Case {
        const char* what;
        std::int32_t atOpening;
        std::vector<Qt::Key> languageKeys;
        std::int32_t chosen;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"kept", kCzech, {}, kCzech, false},
        {"to English", kCzech, {Qt::Key_Down}, kEnglish, true},
        {"there and back", kCzech, {Qt::Key_Down, Qt::Key_Up}, kCzech, false},
        {"to Czech", kEnglish, {Qt::Key_Up}, kCzech, true},
        {"past the last", kEnglish, {Qt::Key_Down}, kEnglish, false},
        {"Space on the chosen one", kEnglish, {Qt::Key_Space}, kEnglish, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        localizer_.SetLanguageBase(c.atOpening);
        ActWhileShown(dialog_, [&] {
            for (Qt::Key key : c.languageKeys) Press(key);
            Press(Qt::Key_Return);
        });
        const std::optional<EnvironmentChoice> choice = dialog_.Edit({true, false, false, c.atOpening});
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(*choice, (EnvironmentChoice{true, false, false, c.chosen}));
        EXPECT_EQ(dialog_.LanguageChanged(), c.changed);
        EXPECT_EQ(localizer_.LanguageBase(), c.chosen);

        testing::MessageBoxAnswerer answerer;
        dialog_.ShowRestartNoticeIfLanguageChanged();
        dialog_.ShowRestartNoticeIfLanguageChanged();  // once is enough
        if (c.changed) {
            EXPECT_EQ(answerer.Texts(), QStringList{Text(c.chosen, 93)});
        } else {
            EXPECT_TRUE(answerer.Texts().isEmpty());
        }
    }
}

TEST_F(EnvironmentDialogTest, OkByKeysTakesTheCheckBoxes) {
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_Z);
        EXPECT_TRUE(WaitUntil([&] { return !Box("soundsBox")->isChecked(); }));
        PressAlt(Qt::Key_Y);
        EXPECT_TRUE(WaitUntil([&] { return Box("moveMouseBox")->isChecked(); }));
        // Saying the card under the mouse has no letter in Czech: one Tab on.
        Press(Qt::Key_Tab);
        EXPECT_EQ(FocusWidget(), Box("sayCardsUnderMouseBox"));
        Press(Qt::Key_Space);
        Press(Qt::Key_Return);
    });
    const std::optional<EnvironmentChoice> choice = dialog_.Edit({true, false, false, kCzech});
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(*choice, (EnvironmentChoice{false, true, true, kCzech}));
}

TEST_F(EnvironmentDialogTest, CancelGivesNothingBack) {
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_Z);
        EXPECT_TRUE(WaitUntil([&] { return !Box("soundsBox")->isChecked(); }));
        PressAlt(Qt::Key_J);
        Press(Qt::Key_Backtab, Qt::ShiftModifier);  // from the first control back to the last
        EXPECT_EQ(FocusWidget(), Find<QPushButton>("cancelButton"));
        Press(Qt::Key_Space);
    });
    EXPECT_EQ(dialog_.Edit({true, false, false, kCzech}), std::nullopt);
}

TEST_F(EnvironmentDialogTest, TheLettersOfTheRelabelledDialogWork) {
    // After English is chosen, Alt+L goes to the languages and Alt+O confirms.
    ActWhileShown(dialog_, [&] {
        Press(Qt::Key_Down);
        PressAlt(Qt::Key_Z);  // the check boxes keep their Czech letters
        EXPECT_TRUE(WaitUntil([&] { return !Box("soundsBox")->isChecked(); }));
        PressAlt(Qt::Key_L);
        EXPECT_EQ(FocusWidget(), Language(1));
        PressAlt(Qt::Key_O);
    });
    const std::optional<EnvironmentChoice> choice = dialog_.Edit({true, false, false, kCzech});
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(*choice, (EnvironmentChoice{false, false, false, kEnglish}));
}

TEST_F(EnvironmentDialogTest, ALanguageTheTableLacksIsKeptUnlessOneIsChosen) {
    struct Case {
        const char* what;
        std::int32_t atOpening;
        std::vector<Qt::Key> keys;
        std::int32_t chosen;
    };
    const std::vector<Case> cases = {
        {"no language at 5000", 5000, {}, 5000},
        {"no language at 0", 0, {}, 0},
        {"Czech chosen from 5000", 5000, {Qt::Key_Space}, kCzech},
        {"2500 shows English", 2500, {}, kEnglish},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        localizer_.SetLanguageBase(c.atOpening);
        ActWhileShown(dialog_, [&] {
            for (Qt::Key key : c.keys) Press(key);
            Press(Qt::Key_Return);
        });
        const std::optional<EnvironmentChoice> choice = dialog_.Edit({true, false, false, c.atOpening});
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->languageBase, c.chosen);
        EXPECT_EQ(dialog_.LanguageChanged(), c.chosen != c.atOpening);
        EXPECT_EQ(localizer_.LanguageBase(), c.chosen);
    }
}

TEST_F(EnvironmentDialogTest, EveryCaptionIsTheTableTextInBothLanguages) {
    for (std::int32_t base : {kCzech, kEnglish}) {
        SCOPED_TRACE(base);
        Localizer localizer(ClientStrings(), base);
        EnvironmentDialog dialog(localizer);
        EXPECT_EQ(dialog.windowTitle(), Text(base, 91));
        EXPECT_EQ(dialog.findChild<QGroupBox*>("languageGroup")->title(), Text(base, 90));
        EXPECT_EQ(dialog.findChild<QCheckBox*>("soundsBox")->text(), Text(base, 19));
        EXPECT_EQ(dialog.findChild<QCheckBox*>("moveMouseBox")->text(), Text(base, 89));
        EXPECT_EQ(dialog.findChild<QCheckBox*>("sayCardsUnderMouseBox")->text(), Text(base, 120));
        EXPECT_EQ(dialog.findChild<QPushButton*>("okButton")->text(), Text(base, 47));
        EXPECT_EQ(dialog.findChild<QPushButton*>("cancelButton")->text(), Text(base, 48));
        // The languages by their own names, whatever the language in force.
        const QList<QRadioButton*> languages =
            dialog.findChild<QGroupBox*>("languageGroup")->findChildren<QRadioButton*>();
        ASSERT_EQ(languages.size(), 2);
        EXPECT_EQ(languages[0]->text(), "Čeština");
        EXPECT_EQ(languages[1]->text(), "English");
        auto* speech = dialog.findChild<QGroupBox*>("speechgroup");
        EXPECT_EQ(speech->title(), Text(base, 170));
        const QList<QRadioButton*> modes = speech->findChildren<QRadioButton*>();
        ASSERT_EQ(modes.size(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(modes[i]->text(), Text(base, 171 + i));
    }
}

TEST_F(EnvironmentDialogTest, TheWayTheGameIsHeardIsChosenAndKept) {
    ActWhileShown(dialog_, [&] {
        auto* off = dialog_.findChild<QGroupBox*>("speechgroup")->findChildren<QRadioButton*>().at(2);
        EXPECT_FALSE(off->isChecked());
        EXPECT_TRUE(dialog_.findChild<QGroupBox*>("speechgroup")->findChildren<QRadioButton*>().at(1)->isChecked());
        off->click();
        Press(Qt::Key_Return);
    });
    const auto chosen = dialog_.Edit({true, false, false, kCzech, 1});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->speechMode, 2);
}

TEST_F(EnvironmentDialogTest, TheScreenReaderBesideTheGamesSpeechIsShownAndChosen) {
    ActWhileShown(dialog_, [&] {
        auto* box = Box("screenreadercheck");
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->text(), Text(kCzech, 185));
        box->click();
        Press(Qt::Key_Return);
    });
    const auto chosen = dialog_.Edit({true, false, false, kCzech, 0, true});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (EnvironmentChoice{true, false, false, kCzech, 0, false}));

    ActWhileShown(dialog_, [&] {
        EXPECT_FALSE(Box("screenreadercheck")->isChecked());
        Box("screenreadercheck")->click();
        Press(Qt::Key_Return);
    });
    EXPECT_TRUE(dialog_.Edit({true, false, false, kCzech, 2, false})->screenReader);
}

TEST_F(EnvironmentDialogTest, EveryControlHasAnAccessibleName) {
    for (QWidget* widget : dialog_.findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus && qobject_cast<QGroupBox*>(widget) == nullptr) continue;
        EXPECT_FALSE(testing::AccessibleName(widget).isEmpty()) << widget->metaObject()->className();
    }
    EXPECT_EQ(testing::AccessibleName(Languages()), "jazyk");
    localizer_.SetLanguageBase(kEnglish);
    ActWhileShown(dialog_, [&] {
        Press(Qt::Key_Down);
        Press(Qt::Key_Escape);
    });
    dialog_.Edit({true, false, false, kCzech});
    EXPECT_EQ(testing::AccessibleName(Languages()), "Language");  // follows the relabelling
}

}  // namespace
}  // namespace tarvel
