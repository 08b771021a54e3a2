// The game settings dialog driven by keys as a player drives it: what it shows at
// opening, what OK and Cancel give back, the play-for-points rule of the table check
// box, the captions of both languages, the accelerators and the accessible names.
#include "client/dialogs/game_settings_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest/QTest>
#include <set>
#include <string>
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
using testing::Type;
using testing::WaitUntil;

class GameSettingsDialogTest : public testing::DialogTest {
  protected:
    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = dialog_.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }
    QSpinBox* Spin(const char* name) { return Find<QSpinBox>(name); }
    QRadioButton* Item(const char* group, int position) {
        return Find<QGroupBox>(group)->findChildren<QRadioButton*>().at(position);
    }

    // The control of the dialog that holds the focus (a radio item counts as its group).
    QString FocusedControl() {
        QWidget* widget = FocusWidget();
        while (widget != nullptr && widget->parentWidget() != &dialog_) widget = widget->parentWidget();
        return widget != nullptr ? widget->objectName() : QString();
    }

    // The options as the controls show them.
    GameOptions Shown() {
        GameOptions shown;
        shown.playergender =
            Item("genderGroup", 1)->isChecked() ? "z" : (Item("genderGroup", 0)->isChecked() ? "m" : "?");
        shown.pickupforseven =
            Item("sevenDrawGroup", 1)->isChecked() ? 3 : (Item("sevenDrawGroup", 0)->isChecked() ? 2 : 0);
        shown.kingofspades = Box("kingOfSpadesBox")->isChecked();
        shown.returntogame = Box("returnToGameBox")->isChecked();
        shown.saypickedcards = Box("sayDrawnCardsBox")->isChecked();
        shown.playforpoints = Box("playForPointsBox")->isChecked();
        shown.numberofgames = static_cast<std::uint8_t>(Spin("numberOfGamesSpin")->value());
        shown.usetable = Box("useTableBox")->isChecked();
        shown.compulsory = Box("compulsoryBox")->isChecked();
        shown.shufflecards = Box("shuffleBox")->isChecked();
        shown.dealtcards = static_cast<std::uint8_t>(Spin("dealtCardsSpin")->value());
        return shown;
    }

    Localizer czech_{ClientStrings(), kCzechLanguageBase};
    GameSettingsDialog dialog_{czech_};
};

// Fields the dialog has no control for, set away from their defaults so that a
// dialog touching them shows.
GameOptions WithPresentationAwayFromDefaults(GameOptions options) {
    options.gamesounds = false;
    options.movemouse = true;
    options.saycardsundermouse = true;
    return options;
}

GameOptions AllAwayFromDefaults() {
    GameOptions o = WithPresentationAwayFromDefaults({});
    o.playergender = "z";
    o.pickupforseven = 3;
    o.kingofspades = true;
    o.returntogame = true;
    o.saypickedcards = false;
    o.playforpoints = true;
    o.numberofgames = 0;
    o.usetable = true;
    o.compulsory = false;
    o.shufflecards = true;
    o.dealtcards = 10;
    return o;
}

TEST_F(GameSettingsDialogTest, OpensMaximisedWithEveryControlSetFromTheOptionsAndTheFocusOnTheGender) {
    struct Case {
        const char* what;
        GameOptions given;
        GameOptions shown;  // only the fields with a control are compared
    };
    GameOptions handEdited = WithPresentationAwayFromDefaults({});
    handEdited.playergender = "x";
    handEdited.pickupforseven = 7;
    handEdited.numberofgames = 150;
    handEdited.dealtcards = 2;
    handEdited.usetable = true;  // without playing for points
    GameOptions handEditedShown = handEdited;
    handEditedShown.playergender = "z";
    handEditedShown.pickupforseven = 2;
    handEditedShown.numberofgames = 3;
    handEditedShown.dealtcards = 5;
    GameOptions upperCase;
    upperCase.playergender = "M";
    GameOptions upperCaseShown;
    upperCaseShown.playergender = "z";
    GameOptions lowest = AllAwayFromDefaults();
    lowest.dealtcards = 4;
    lowest.numberofgames = 99;

    const std::vector<Case> cases = {
        {"defaults", {}, {}},
        {"every option away from its default", AllAwayFromDefaults(), AllAwayFromDefaults()},
        {"the far ends of the counts", lowest, lowest},
        {"a hand-edited file", handEdited, handEditedShown},
        {"a gender letter in upper case", upperCase, upperCaseShown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameOptions options = c.given;
        GameOptions shown;
        bool maximised = false;
        bool titleBarButtons = true;
        bool tableEnabled = false;
        QString focused;
        QWidget* focus = nullptr;
        ActWhileShown(dialog_, [&] {
            shown = Shown();
            maximised = dialog_.windowState().testFlag(Qt::WindowMaximized);
            titleBarButtons =
                dialog_.windowFlags().testAnyFlags(Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
            tableEnabled = Box("useTableBox")->isEnabled();
            focused = FocusedControl();
            focus = FocusWidget();
            Press(Qt::Key_Escape);
        });
        EXPECT_FALSE(dialog_.Edit(options));
        EXPECT_EQ(options, c.given);

        shown.gamesounds = c.shown.gamesounds;
        shown.movemouse = c.shown.movemouse;
        shown.saycardsundermouse = c.shown.saycardsundermouse;
        EXPECT_EQ(shown, c.shown);
        EXPECT_TRUE(maximised);
        EXPECT_FALSE(titleBarButtons);
        EXPECT_EQ(tableEnabled, c.given.playforpoints);
        EXPECT_EQ(focused, "genderGroup");
        EXPECT_EQ(focus, Item("genderGroup", c.shown.playergender == "m" ? 0 : 1));
    }
}

TEST_F(GameSettingsDialogTest, OkByKeysReturnsEveryEditedSettingAndLeavesTheOtherFields) {
    const GameOptions given = WithPresentationAwayFromDefaults({});
    GameOptions options = given;
    ActWhileShown(dialog_, [&] {
        Press(Qt::Key_Down);  // muž -> žena
        PressAlt(Qt::Key_S);
        Press(Qt::Key_Down);  // dvě karty -> tři karty
        PressAlt(Qt::Key_P);
        EXPECT_TRUE(WaitUntil([&] { return Box("kingOfSpadesBox")->isChecked(); }));
        PressAlt(Qt::Key_B);
        EXPECT_TRUE(WaitUntil([&] { return Box("playForPointsBox")->isChecked(); }));
        PressAlt(Qt::Key_T);
        EXPECT_TRUE(WaitUntil([&] { return Box("useTableBox")->isChecked(); }));
        PressAlt(Qt::Key_E);
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("150");  // the field takes no third digit past 99
        PressAlt(Qt::Key_D);
        Press(Qt::Key_PageUp);  // 5 + 10 stops at 10
        PressAlt(Qt::Key_L);
        EXPECT_TRUE(WaitUntil([&] { return !Box("sayDrawnCardsBox")->isChecked(); }));
        // Alt+V is shared by return-to-game and compulsory throwing: it moves between them.
        PressAlt(Qt::Key_V);
        if (FocusedControl() != "compulsoryBox") PressAlt(Qt::Key_V);
        EXPECT_EQ(FocusedControl(), "compulsoryBox");
        Press(Qt::Key_Space);
        Press(Qt::Key_Return);
    });
    ASSERT_TRUE(dialog_.Edit(options));

    GameOptions expected = given;
    expected.playergender = "z";
    expected.pickupforseven = 3;
    expected.kingofspades = true;
    expected.playforpoints = true;
    expected.usetable = true;
    expected.numberofgames = 15;
    expected.dealtcards = 10;
    expected.saypickedcards = false;
    expected.compulsory = false;
    EXPECT_EQ(options, expected);
}

TEST_F(GameSettingsDialogTest, TheCountFieldsGiveOnlyValuesInsideTheirRanges) {
    struct Case {
        const char* what;
        Qt::Key field;  // its accelerator
        std::vector<Qt::Key> keys;
        QString typed;
        std::uint8_t GameOptions::*count;
        std::uint8_t expected;
    };
    const std::vector<Case> cases = {
        {"games down to 0", Qt::Key_E, {Qt::Key_PageDown}, "", &GameOptions::numberofgames, 0},
        {"games up to 99", Qt::Key_E, std::vector<Qt::Key>(10, Qt::Key_PageUp), "",
         &GameOptions::numberofgames, 99},
        {"games typed 100", Qt::Key_E, {}, "100", &GameOptions::numberofgames, 10},
        {"games one up", Qt::Key_E, {Qt::Key_Up}, "", &GameOptions::numberofgames, 4},
        {"dealt cards down to 4", Qt::Key_D, {Qt::Key_PageDown}, "", &GameOptions::dealtcards, 4},
        {"dealt cards typed 3 keeps 5", Qt::Key_D, {}, "3", &GameOptions::dealtcards, 5},
        {"dealt cards typed 11 keeps 5", Qt::Key_D, {}, "11", &GameOptions::dealtcards, 5},
        {"dealt cards typed 9", Qt::Key_D, {}, "9", &GameOptions::dealtcards, 9},
        {"dealt cards up past 10", Qt::Key_D, std::vector<Qt::Key>(6, Qt::Key_Up), "",
         &GameOptions::dealtcards, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameOptions options;
        ActWhileShown(dialog_, [&] {
            PressAlt(c.field);
            for (Qt::Key key : c.keys) Press(key);
            if (!c.typed.isEmpty()) {
                Press(Qt::Key_A, Qt::ControlModifier);
                Type(c.typed);
            }
            Press(Qt::Key_Return);
        });
        ASSERT_TRUE(dialog_.Edit(options));
        EXPECT_EQ(options.*c.count, c.expected);
    }
}

TEST_F(GameSettingsDialogTest, OkTurnsAHandEditedGenderIntoTheWomanAndCancelKeepsIt) {
    GameOptions options;
    options.playergender = "x";
    ActWhileShown(dialog_, [&] { Press(Qt::Key_Escape); });
    EXPECT_FALSE(dialog_.Edit(options));
    EXPECT_EQ(options.playergender, "x");
    ActWhileShown(dialog_, [&] { Press(Qt::Key_Return); });
    EXPECT_TRUE(dialog_.Edit(options));
    EXPECT_EQ(options.playergender, "z");
}

TEST_F(GameSettingsDialogTest, CancelLeavesTheOptionsAsTheyWere) {
    const GameOptions given = AllAwayFromDefaults();
    // Escape, and the Cancel button reached backwards from the gender and pressed with Space.
    for (bool byButton : {false, true}) {
        SCOPED_TRACE(byButton ? "Cancel button" : "Escape");
        GameOptions options = given;
        QString cancelFocused;
        ActWhileShown(dialog_, [&] {
            Press(Qt::Key_Up);  // žena -> muž
            PressAlt(Qt::Key_P);
            EXPECT_TRUE(WaitUntil([&] { return !Box("kingOfSpadesBox")->isChecked(); }));
            PressAlt(Qt::Key_D);
            Press(Qt::Key_PageDown);
            if (byButton) {
                PressAlt(Qt::Key_H);
                Press(Qt::Key_Backtab, Qt::ShiftModifier);
                cancelFocused = FocusedControl();
                Press(Qt::Key_Space);
            } else {
                Press(Qt::Key_Escape);
            }
        });
        EXPECT_FALSE(dialog_.Edit(options));
        EXPECT_EQ(options, given);
        if (byButton) {
            EXPECT_EQ(cancelFocused, "cancelButton");
        }
    }
}

TEST_F(GameSettingsDialogTest, TheTableGoesWithPlayingForPoints) {
    GameOptions options = AllAwayFromDefaults();  // playing for points with the table
    ActWhileShown(dialog_, [&] {
        QCheckBox* table = Box("useTableBox");
        EXPECT_TRUE(table->isEnabled());
        PressAlt(Qt::Key_B);  // stop playing for points
        EXPECT_TRUE(WaitUntil([&] { return !Box("playForPointsBox")->isChecked(); }));
        EXPECT_FALSE(table->isChecked());
        EXPECT_FALSE(table->isEnabled());
        PressAlt(Qt::Key_B);  // and back: the table may be chosen again, but is not by itself
        EXPECT_TRUE(WaitUntil([&] { return Box("playForPointsBox")->isChecked(); }));
        EXPECT_TRUE(table->isEnabled());
        EXPECT_FALSE(table->isChecked());
        Press(Qt::Key_Return);
    });
    ASSERT_TRUE(dialog_.Edit(options));
    EXPECT_TRUE(options.playforpoints);
    EXPECT_FALSE(options.usetable);

    options.playforpoints = false;
    options.usetable = false;
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_T);  // the table's letter reaches nothing while it is disabled
        QTest::qWait(200);
        EXPECT_FALSE(Box("useTableBox")->isChecked());
        EXPECT_NE(FocusedControl(), "useTableBox");
        Press(Qt::Key_Return);
    });
    ASSERT_TRUE(dialog_.Edit(options));
    EXPECT_FALSE(options.usetable);
}

TEST_F(GameSettingsDialogTest, EveryCaptionIsTheTableTextInBothLanguages) {
    struct Caption {
        const char* control;
        int item;  // -1: the control's own caption
        std::int32_t index;
    };
    const std::vector<Caption> captions = {
        {"genderGroup", -1, 33},      {"genderGroup", 0, 34},         {"genderGroup", 1, 35},
        {"sevenDrawGroup", -1, 36},   {"sevenDrawGroup", 0, 37},      {"sevenDrawGroup", 1, 38},
        {"kingOfSpadesBox", -1, 39},  {"returnToGameBox", -1, 41},    {"sayDrawnCardsBox", -1, 20},
        {"playForPointsBox", -1, 42}, {"numberOfGamesLabel", -1, 43}, {"useTableBox", -1, 70},
        {"compulsoryBox", -1, 44},    {"shuffleBox", -1, 45},         {"dealtCardsLabel", -1, 46},
        {"okButton", -1, 47},         {"cancelButton", -1, 48},
    };
    for (std::int32_t base : {kCzechLanguageBase, kEnglishLanguageBase}) {
        SCOPED_TRACE(base);
        const Localizer localizer(ClientStrings(), base);
        GameSettingsDialog dialog(localizer);
        EXPECT_EQ(dialog.windowTitle(), Text(base, 32));
        for (const Caption& c : captions) {
            SCOPED_TRACE(c.control);
            auto* control = dialog.findChild<QWidget*>(c.control);
            ASSERT_NE(control, nullptr);
            QString text;
            if (c.item >= 0) {
                text = control->findChildren<QRadioButton*>().at(c.item)->text();
            } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
                text = group->title();
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                text = button->text();
            } else {
                text = qobject_cast<QLabel*>(control)->text();
            }
            EXPECT_EQ(text, Text(base, c.index));
            EXPECT_FALSE(text.isEmpty());
        }
    }
}

TEST_F(GameSettingsDialogTest, EveryAcceleratorReachesItsControlAndSharedLettersTakeTurns) {
    struct Accelerator {
        Qt::Key letter;
        std::set<QString> controls;  // more than one: the letter is shared
        bool toggles;                // a check box of its own is clicked
    };
    struct Language {
        std::int32_t base;
        std::vector<Accelerator> accelerators;
    };
    const std::vector<Language> languages = {
        {kCzechLanguageBase,
         {{Qt::Key_H, {"genderGroup"}, false},
          {Qt::Key_S, {"sevenDrawGroup"}, false},
          {Qt::Key_P, {"kingOfSpadesBox"}, true},
          {Qt::Key_V, {"returnToGameBox", "compulsoryBox"}, false},
          {Qt::Key_L, {"sayDrawnCardsBox"}, true},
          {Qt::Key_B, {"playForPointsBox"}, true},
          {Qt::Key_E, {"numberOfGamesSpin"}, false},
          {Qt::Key_B, {"playForPointsBox"}, true},  // playing for points again, for the table
          {Qt::Key_T, {"useTableBox"}, true},
          {Qt::Key_O, {"shuffleBox", "okButton"}, false},
          {Qt::Key_D, {"dealtCardsSpin"}, false}}},
        {kEnglishLanguageBase,
         {{Qt::Key_P, {"genderGroup", "sayDrawnCardsBox", "playForPointsBox"}, false},
          {Qt::Key_S, {"sevenDrawGroup"}, false},
          {Qt::Key_K, {"kingOfSpadesBox"}, true},
          {Qt::Key_R, {"returnToGameBox"}, true},
          {Qt::Key_G, {"numberOfGamesSpin"}, false},
          {Qt::Key_T, {"useTableBox"}, true},
          {Qt::Key_A, {"compulsoryBox"}, true},
          {Qt::Key_D, {"shuffleBox"}, true},
          {Qt::Key_C, {"dealtCardsSpin"}, false}}},
    };
    for (const Language& language : languages) {
        SCOPED_TRACE(language.base);
        const Localizer localizer(ClientStrings(), language.base);
        GameSettingsDialog dialog(localizer);
        auto focused = [&dialog] {
            QWidget* widget = FocusWidget();
            while (widget != nullptr && widget->parentWidget() != &dialog) widget = widget->parentWidget();
            return widget != nullptr ? widget->objectName() : QString();
        };
        auto checked = [&dialog] {
            std::vector<bool> states;
            for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
                states.push_back(button->isChecked());
            return states;
        };
        GameOptions options;
        options.playforpoints = true;
        ActWhileShown(dialog, [&] {
            for (const Accelerator& a : language.accelerators) {
                SCOPED_TRACE(a.controls.begin()->toStdString());
                if (a.toggles) {
                    auto* box = dialog.findChild<QCheckBox*>(*a.controls.begin());
                    const bool before = box->isChecked();
                    PressAlt(a.letter);
                    EXPECT_TRUE(WaitUntil([&] { return box->isChecked() != before; }));
                    EXPECT_EQ(focused(), *a.controls.begin());
                    continue;
                }
                const std::vector<bool> before = checked();
                std::set<QString> reached;
                for (std::size_t turn = 0; turn < a.controls.size(); ++turn) {
                    PressAlt(a.letter);
                    reached.insert(focused());
                }
                QTest::qWait(200);  // a click would have come by now
                EXPECT_EQ(reached, a.controls);
                EXPECT_EQ(checked(), before);
                EXPECT_TRUE(dialog.isVisible());
            }
            Press(Qt::Key_Escape);
        });
        EXPECT_FALSE(dialog.Edit(options));
    }
}

TEST_F(GameSettingsDialogTest, InEnglishAltOConfirms) {
    const Localizer english(ClientStrings(), kEnglishLanguageBase);
    GameSettingsDialog dialog(english);
    GameOptions options;
    ActWhileShown(dialog, [&] {
        Press(Qt::Key_Down);
        PressAlt(Qt::Key_O);
    });
    ASSERT_TRUE(dialog.Edit(options));
    EXPECT_EQ(options.playergender, "z");
}

TEST_F(GameSettingsDialogTest, TabGoesThroughTheControlsInTheirOrderAndStopsOnceInEachGroup) {
    GameOptions options;
    options.playforpoints = true;
    QStringList order;
    ActWhileShown(dialog_, [&] {
        for (int i = 0; i < 15; ++i) {
            order << FocusedControl();
            Press(Qt::Key_Tab);
        }
        Press(Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog_.Edit(options));
    EXPECT_EQ(order, (QStringList{"genderGroup", "sevenDrawGroup", "kingOfSpadesBox", "returnToGameBox",
                                  "sayDrawnCardsBox", "playForPointsBox", "numberOfGamesSpin", "useTableBox",
                                  "compulsoryBox", "shuffleBox", "dealtCardsSpin", "computerLevelGroup",
                                  "okButton", "cancelButton", "genderGroup"}));
}

TEST_F(GameSettingsDialogTest, EveryControlHasAnAccessibleNameAndTheFieldsAreNamedByTheirLabels) {
    for (QWidget* widget : dialog_.findChildren<QWidget*>()) {
        const bool control =
            widget->focusPolicy() != Qt::NoFocus || qobject_cast<QGroupBox*>(widget) != nullptr;
        if (!control || widget->objectName().startsWith("qt_")) continue;  // a spin field's own editor
        EXPECT_FALSE(testing::AccessibleName(widget).isEmpty()) << widget->metaObject()->className();
    }
    EXPECT_EQ(testing::AccessibleName(Spin("numberOfGamesSpin")), "Počet her");
    EXPECT_EQ(testing::AccessibleName(Spin("dealtCardsSpin")), "Počet rozdávaných karet");
    EXPECT_EQ(testing::AccessibleName(Find<QGroupBox>("genderGroup")), "Hráč je");
}

TEST_F(GameSettingsDialogTest, TheComputerLevelIsShownChosenByItsLetterAndReturned) {
    GameOptions options;
    options.computerlevel = kComputerStrong;
    ActWhileShown(dialog_, [&] {
        EXPECT_TRUE(Item("computerLevelGroup", 1)->isChecked());
        PressAlt(Qt::Key_R);
        EXPECT_EQ(FocusedControl(), "computerLevelGroup");
        Press(Qt::Key_Up);  // silná -> obvyklá
        Press(Qt::Key_Return);
    });
    ASSERT_TRUE(dialog_.Edit(options));
    EXPECT_EQ(options.computerlevel, kComputerFixed);
    EXPECT_EQ(testing::AccessibleName(Find<QGroupBox>("computerLevelGroup")), "Úroveň počítače");

    const Localizer english(ClientStrings(), kEnglishLanguageBase);
    GameSettingsDialog dialog(english);
    ActWhileShown(dialog, [&] {
        EXPECT_TRUE(dialog.findChild<QGroupBox*>("computerLevelGroup")
                        ->findChildren<QRadioButton*>()
                        .at(0)
                        ->isChecked());
        PressAlt(Qt::Key_L);
        Press(Qt::Key_Down);  // usual -> strong
        Press(Qt::Key_Return);
    });
    ASSERT_TRUE(dialog.Edit(options));
    EXPECT_EQ(options.computerlevel, kComputerStrong);
    EXPECT_EQ(dialog.findChild<QGroupBox*>("computerLevelGroup")->title(), "Computer &level");
}

}  // namespace
}  // namespace tarvel
