// The network settings dialog and its server list, driven by keys as a player does:
// what the dialog shows at opening, the defaults for empty fields, a port that cannot
// be used (refused, the dialog kept open with everything typed), choosing from the list
// and the ways of cancelling that change nothing, captions and accessible names.
#include "client/net/net_settings_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/net/net_dialog_test_support.h"
#include "client/net/server_list_dialog.h"

namespace tarvel {
namespace {

using testing::AccessibleName;
using testing::ActWhileShown;
using testing::FocusWidget;
using testing::Press;
using testing::PressAlt;
using testing::Text;
using testing::Type;
using testing::WaitUntil;
using testing::WhenShown;

constexpr std::int32_t kCzech = kCzechLanguageBase;
constexpr std::int32_t kEnglish = kEnglishLanguageBase;

const std::vector<ServerEntry> kLines = {
    {"Doma", "192.168.0.5", "6060"},     {"", "", "192.168.0.7"},  // a line without ";"
    {"Práce", "server.example", "1412"}, {"Doma", "10.0.0.9", "7070"}, {"Klub", "klub.example", ""},
};

class NetSettingsDialogTest : public testing::DialogTest {
  protected:
    explicit NetSettingsDialogTest(std::vector<ServerEntry> lines = kLines, std::int32_t base = kCzech)
        : localizer_(ClientStrings(), base),
          dialog_(localizer_, std::move(lines), [this](const QString& text) { messages_ << text; }) {}

    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = dialog_.findChild<Widget*>(name, Qt::FindDirectChildrenOnly);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Field(const char* name) { return Find<QLineEdit>(name); }
    QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    QDialog& List() { return dialog_.ServerList(); }
    QListWidget* ListBox() { return List().findChild<QListWidget*>("serversList"); }
    int SelectedRow() {
        const QList<QListWidgetItem*> selected = ListBox()->selectedItems();
        return selected.isEmpty() ? -1 : ListBox()->row(selected.front());
    }

    struct Fields {
        QString address, port, name;
        bool runserver = false, voicechat = false;
        friend bool operator==(const Fields&, const Fields&) = default;
    };
    Fields Shown() {
        return {Field("addressEdit")->text(), Field("portEdit")->text(), Field("serverNameEdit")->text(),
                Box("spustservercheck")->isChecked(), Box("spokenMessagesBox")->isChecked()};
    }

    // Opens the list by its letter, runs `act` in it and waits until it has closed.
    void InTheList(const std::function<void()>& act, Qt::Key letter = Qt::Key_Z) {
        WhenShown inList(List(), act);
        PressAlt(letter);
        EXPECT_TRUE(WaitUntil([&] { return inList.Times() == 1 && !List().isVisible(); }));
        // The keys come back to the settings.
        EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &dialog_; }));
    }

    Localizer localizer_;
    QStringList messages_;
    NetSettingsDialog dialog_;
};

const NetSettings kCurrent = {"192.168.1.1", 1412, "Práce", true, false};

TEST_F(NetSettingsDialogTest, OpensWithTheSettingsShownAndTheFocusOnTheAddress) {
    const std::vector<NetSettings> cases = {
        kCurrent,
        {"server.example", 6060, "", false, true},
        {"", 0, "", false, false},  // a settings file without network keys
    };
    for (const NetSettings& current : cases) {
        SCOPED_TRACE(current.ipaddress);
        Fields shown;
        QWidget* focus = nullptr;
        ActWhileShown(dialog_, [&] {
            shown = Shown();
            focus = FocusWidget();
            Press(Qt::Key_Escape);
        });
        EXPECT_EQ(dialog_.Edit(current, true), std::nullopt);
        EXPECT_EQ(shown, (Fields{QString::fromStdString(current.ipaddress),
                                 current.port == 0 ? QString() : QString::number(current.port),
                                 QString::fromStdString(current.servername), current.runserver,
                                 current.allowvoicechat}));
        EXPECT_EQ(focus, Field("addressEdit"));
        EXPECT_TRUE(Field("serverNameEdit")->isReadOnly());
    }
}

TEST_F(NetSettingsDialogTest, OkGivesWhatWasTyped) {
    ActWhileShown(dialog_, [&] {
        Type("server.example");  // over the selected address
        PressAlt(Qt::Key_P);
        EXPECT_EQ(FocusWidget(), Field("portEdit"));
        Type("6061");
        PressAlt(Qt::Key_R);
        EXPECT_TRUE(WaitUntil([&] { return !Box("spustservercheck")->isChecked(); }));
        PressAlt(Qt::Key_V);
        EXPECT_TRUE(WaitUntil([&] { return Box("spokenMessagesBox")->isChecked(); }));
        Press(Qt::Key_Return);
    });
    const std::optional<NetSettings> chosen = dialog_.Edit(kCurrent, true);
    EXPECT_EQ(chosen, (NetSettings{"server.example", 6061, "Práce", false, true}));
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(NetSettingsDialogTest, EmptyFieldsGiveThisComputerAndTheServersOwnPort) {
    ActWhileShown(dialog_, [&] {
        Press(Qt::Key_Backspace);  // the address was selected at opening
        Press(Qt::Key_Tab);        // onto the port, selected by the Tab
        EXPECT_EQ(FocusWidget(), Field("portEdit"));
        Press(Qt::Key_Backspace);
        EXPECT_EQ(Shown().address, "");
        EXPECT_EQ(Shown().port, "");
        Press(Qt::Key_Return);
    });
    EXPECT_EQ(dialog_.Edit(kCurrent, true), (NetSettings{"127.0.0.1", 1412, "Práce", true, false}));

    // Never configured: OK at once gives the defaults too.
    ActWhileShown(dialog_, [&] { Press(Qt::Key_Return); });
    EXPECT_EQ(dialog_.Edit(NetSettings{}, false), (NetSettings{"127.0.0.1", 1412, "", false, false}));
}

TEST_F(NetSettingsDialogTest, APortThatCannotBeUsedKeepsTheDialogOpenWithEverythingTyped) {
    for (const char* badPort : {"60x", "0", "65536", "-5"}) {
        SCOPED_TRACE(badPort);
        messages_.clear();
        Fields afterRefusal;
        bool stillOpen = false;
        QWidget* focus = nullptr;
        ActWhileShown(dialog_, [&] {
            Type("host.example");
            PressAlt(Qt::Key_P);
            Type(badPort);
            PressAlt(Qt::Key_V);
            EXPECT_TRUE(WaitUntil([&] { return Box("spokenMessagesBox")->isChecked(); }));
            Press(Qt::Key_Return);
            stillOpen = dialog_.isVisible();
            afterRefusal = Shown();
            focus = FocusWidget();
            // The port is selected: typing replaces it.
            Type("6062");
            Press(Qt::Key_Return);
        });
        const std::optional<NetSettings> chosen = dialog_.Edit(kCurrent, true);
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(afterRefusal, (Fields{"host.example", badPort, "Práce", true, true}));
        EXPECT_EQ(focus, Field("portEdit"));
        EXPECT_EQ(messages_, QStringList{Text(kCzech, 140).arg(badPort)});
        EXPECT_EQ(chosen, (NetSettings{"host.example", 6062, "Práce", true, true}));
    }
}

TEST_F(NetSettingsDialogTest, CancelAfterARefusedPortGivesNothing) {
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_P);
        Type("x");
        Press(Qt::Key_Return);
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dialog_.Edit(kCurrent, true), std::nullopt);
    EXPECT_EQ(messages_.size(), 1);
}

TEST_F(NetSettingsDialogTest, TheRefusalTellsWhatWasTypedAndWhatWouldDo) {
    EXPECT_EQ(
        Text(kCzech, 140).arg("60x"),
        "Port „60x“ nelze použít. Napište celé číslo od 1 do 65535, nebo pole nechte prázdné pro port 1412.");
    EXPECT_EQ(Text(kEnglish, 140).arg("60x"),
              "The port “60x” cannot be used. Type a whole number from 1 to 65535, or leave the field empty "
              "for port 1412.");
}

TEST_F(NetSettingsDialogTest, ChoosingFromTheListFillsTheFieldsAndOkTakesThem) {
    Fields afterList;
    QWidget* focusInList = nullptr;
    QWidget* focusAfterList = nullptr;
    int selectedAtOpening = 0;
    ActWhileShown(dialog_, [&] {
        InTheList([&] {
            focusInList = FocusWidget();
            selectedAtOpening = SelectedRow();
            Press(Qt::Key_Home);
            Press(Qt::Key_Return);
        });
        afterList = Shown();
        focusAfterList = FocusWidget();
        PressAlt(Qt::Key_O);  // Enter would open the list again: the focus is back on its button
    });
    const std::optional<NetSettings> chosen = dialog_.Edit({"", 0, "", false, false}, true);
    EXPECT_EQ(focusInList, ListBox());
    EXPECT_EQ(selectedAtOpening, -1);  // no server name: nothing selected
    EXPECT_EQ(focusAfterList, Button("serverListButton"));
    EXPECT_EQ(afterList, (Fields{"192.168.0.5", "6060", "Doma", false, false}));
    EXPECT_EQ(chosen, (NetSettings{"192.168.0.5", 6060, "Doma", false, false}));
}

TEST_F(NetSettingsDialogTest, TheListOpensOnTheFirstEntryOfTheServerName) {
    struct Case {
        std::string serverName;
        int selected;
    };
    const Case cases[] = {{"Práce", 2}, {"Doma", 0}, {"Klub", 4}, {"Nikde", -1}, {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serverName);
        int selected = -2;
        ActWhileShown(dialog_, [&] {
            InTheList([&] {
                selected = SelectedRow();
                Press(Qt::Key_Escape);
            });
            Press(Qt::Key_Escape);
        });
        dialog_.Edit({"a", 1, c.serverName, false, false}, true);
        EXPECT_EQ(selected, c.selected);
    }
}

TEST_F(NetSettingsDialogTest, ALineWithoutSemicolonsGivesAnEmptyAddressAndItsTextAsThePort) {
    Fields afterList;
    ActWhileShown(dialog_, [&] {
        InTheList([&] {
            Press(Qt::Key_Home);
            Press(Qt::Key_Down);
            Press(Qt::Key_Return);
        });
        afterList = Shown();
        // The port is noticed only now: refused, the dialog stays.
        PressAlt(Qt::Key_O);
        EXPECT_TRUE(WaitUntil([&] { return messages_.size() == 1; }));
        EXPECT_TRUE(dialog_.isVisible());
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dialog_.Edit(kCurrent, true), std::nullopt);
    EXPECT_EQ(afterList, (Fields{"", "192.168.0.7", "", true, false}));
    EXPECT_EQ(messages_, QStringList{Text(kCzech, 140).arg("192.168.0.7")});
}

TEST_F(NetSettingsDialogTest, TwoLinesOfOneNameGiveTheFirst) {
    Fields afterList;
    ActWhileShown(dialog_, [&] {
        InTheList([&] {
            Press(Qt::Key_End);
            Press(Qt::Key_Up);  // the second Doma
            EXPECT_EQ(SelectedRow(), 3);
            Press(Qt::Key_Return);
        });
        afterList = Shown();
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
    EXPECT_EQ(afterList, (Fields{"192.168.0.5", "6060", "Doma", true, false}));
}

TEST_F(NetSettingsDialogTest, CancellingTheListOrOkWithNothingSelectedChangesNoField) {
    Fields before;
    Fields afterCancel;
    Fields afterOkOnNothing;
    ActWhileShown(dialog_, [&] {
        Type("typed.example");
        before = Shown();
        InTheList([&] {
            Press(Qt::Key_Home);
            Press(Qt::Key_Escape);
        });
        afterCancel = Shown();
        InTheList([&] {
            EXPECT_EQ(SelectedRow(), -1);
            Press(Qt::Key_Return);
        });
        afterOkOnNothing = Shown();
        PressAlt(Qt::Key_O);  // Enter would open the list again: the focus is back on its button
    });
    const std::optional<NetSettings> chosen = dialog_.Edit({"a", 1, "Nikde", false, false}, true);
    EXPECT_EQ(afterCancel, before);
    EXPECT_EQ(afterOkOnNothing, before);
    EXPECT_EQ(chosen, (NetSettings{"typed.example", 1, "Nikde", false, false}));
}

TEST_F(NetSettingsDialogTest, CancellingTheSettingsAfterChoosingChangesNothing) {
    ActWhileShown(dialog_, [&] {
        InTheList([&] {
            Press(Qt::Key_Home);
            Press(Qt::Key_Return);
        });
        EXPECT_EQ(Shown().name, "Doma");
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dialog_.Edit(kCurrent, true), std::nullopt);
    // The next opening shows the settings in force, not the choice cancelled.
    Fields shown;
    ActWhileShown(dialog_, [&] {
        shown = Shown();
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
    EXPECT_EQ(shown, (Fields{"192.168.1.1", "1412", "Práce", true, false}));
}

TEST_F(NetSettingsDialogTest, WithoutTheFileTheListButtonIsDisabled) {
    bool enabled = true;
    ActWhileShown(dialog_, [&] {
        enabled = Button("serverListButton")->isEnabled();
        PressAlt(Qt::Key_Z);  // does nothing
        QTest::qWait(200);
        EXPECT_FALSE(List().isVisible());
        EXPECT_EQ(FocusWidget(), Field("addressEdit"));
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, false);
    EXPECT_FALSE(enabled);
    ActWhileShown(dialog_, [&] {
        enabled = Button("serverListButton")->isEnabled();
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
    EXPECT_TRUE(enabled);
}

TEST_F(NetSettingsDialogTest, EveryFieldIsReachedByItsLetter) {
    struct Case {
        Qt::Key letter;
        const char* field;
    };
    const Case cases[] = {{Qt::Key_I, "addressEdit"}, {Qt::Key_P, "portEdit"}, {Qt::Key_J, "serverNameEdit"}};
    ActWhileShown(dialog_, [&] {
        for (const Case& c : cases) {
            PressAlt(c.letter);
            EXPECT_EQ(FocusWidget(), Field(c.field)) << c.field;
        }
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
}

TEST_F(NetSettingsDialogTest, TheTabChainGoesFromTheAddressToCancel) {
    std::vector<QWidget*> chain;
    ActWhileShown(dialog_, [&] {
        for (int i = 0; i < 8; ++i) {
            chain.push_back(FocusWidget());
            Press(Qt::Key_Tab);
        }
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
    const std::vector<QWidget*> expected = {Field("addressEdit"),           Field("portEdit"),
                                            Field("serverNameEdit"), Button("serverListButton"),
                                            Box("spustservercheck"),   Box("spokenMessagesBox"),
                                            Button("okButton"),        Button("cancelButton")};
    EXPECT_EQ(chain, expected);
}

TEST_F(NetSettingsDialogTest, TheCaptionsAreTheTablesAndEveryControlHasAName) {
    EXPECT_EQ(dialog_.objectName(), "netSettingsDialog");
    EXPECT_EQ(dialog_.windowTitle(), Text(kCzech, 100));
    EXPECT_EQ(Box("spokenMessagesBox")->text(), Text(kCzech, 101));
    EXPECT_EQ(Find<QLabel>("addressLabel")->text(), Text(kCzech, 102));
    EXPECT_EQ(Find<QLabel>("portLabel")->text(), Text(kCzech, 103));
    EXPECT_EQ(Box("spustservercheck")->text(), Text(kCzech, 104));
    EXPECT_EQ(Button("serverListButton")->text(), Text(kCzech, 115));
    EXPECT_EQ(Find<QLabel>("serverNameLabel")->text(), Text(kCzech, 117));
    EXPECT_EQ(Button("okButton")->text(), Text(kCzech, 47));
    EXPECT_EQ(Button("cancelButton")->text(), Text(kCzech, 48));
    EXPECT_EQ(Find<QLabel>("addressLabel")->buddy(), Field("addressEdit"));
    EXPECT_EQ(Find<QLabel>("portLabel")->buddy(), Field("portEdit"));
    EXPECT_EQ(Find<QLabel>("serverNameLabel")->buddy(), Field("serverNameEdit"));

    EXPECT_EQ(AccessibleName(Field("addressEdit")), "IP adresa");
    EXPECT_EQ(AccessibleName(Field("portEdit")), "Port");
    EXPECT_EQ(AccessibleName(Field("serverNameEdit")), "Jméno serveru");
    EXPECT_EQ(AccessibleName(Button("serverListButton")), "Seznam serverů");
    EXPECT_EQ(AccessibleName(Box("spustservercheck")), "Spustit server po startu");
    EXPECT_EQ(AccessibleName(Box("spokenMessagesBox")), "Povolit hlasové zprávy");
    EXPECT_EQ(AccessibleName(Button("okButton")), "Ok");
    EXPECT_EQ(AccessibleName(Button("cancelButton")), "Zrušit");

    EXPECT_EQ(List().objectName(), "serverListDialog");
    EXPECT_EQ(List().windowTitle(), Text(kCzech, 116));
    auto* label = List().findChild<QLabel*>("serversLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), Text(kCzech, 115));
    EXPECT_EQ(label->buddy(), ListBox());
    EXPECT_EQ(AccessibleName(ListBox()), "Seznam serverů");
    auto* listOk = List().findChild<QPushButton*>("okButton");
    auto* listCancel = List().findChild<QPushButton*>("cancelButton");
    ASSERT_NE(listOk, nullptr);
    ASSERT_NE(listCancel, nullptr);
    EXPECT_EQ(listOk->text(), Text(kCzech, 47));
    EXPECT_EQ(listCancel->text(), Text(kCzech, 48));
    EXPECT_EQ(AccessibleName(listOk), "Ok");
    EXPECT_EQ(AccessibleName(listCancel), "Zrušit");
}

TEST_F(NetSettingsDialogTest, TheListShowsTheNamesInFileOrderAndReadsANamelessLine) {
    ASSERT_EQ(ListBox()->count(), 5);
    const QStringList names = {"Doma", "", "Práce", "Doma", "Klub"};
    for (int row = 0; row < 5; ++row) EXPECT_EQ(ListBox()->item(row)->text(), names[row]) << row;
    EXPECT_EQ(ListBox()->item(1)->data(Qt::AccessibleTextRole).toString(), Text(kCzech, 142));
    EXPECT_FALSE(ListBox()->item(0)->data(Qt::AccessibleTextRole).isValid());
}

class EnglishNetSettingsDialogTest : public NetSettingsDialogTest {
  protected:
    EnglishNetSettingsDialogTest() : NetSettingsDialogTest(kLines, kEnglish) {}
};

TEST_F(EnglishNetSettingsDialogTest, TheLettersAreTheEnglishCaptions) {
    EXPECT_EQ(dialog_.windowTitle(), "Network settings");
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_P);
        EXPECT_EQ(FocusWidget(), Field("portEdit"));
        PressAlt(Qt::Key_N);
        EXPECT_EQ(FocusWidget(), Field("serverNameEdit"));
        PressAlt(Qt::Key_A);
        EXPECT_TRUE(WaitUntil([&] { return Box("spokenMessagesBox")->isChecked(); }));
        InTheList(
            [&] {
                Press(Qt::Key_Home);  // nothing is selected: any key goes to the first line
                Press(Qt::Key_End);
                Press(Qt::Key_Return);
            },
            Qt::Key_L);
        PressAlt(Qt::Key_O);  // Enter would open the list again: the focus is back on its button
    });
    const std::optional<NetSettings> chosen = dialog_.Edit({"", 0, "", false, false}, true);
    EXPECT_EQ(chosen, (NetSettings{"klub.example", 1412, "Klub", false, true}));
    EXPECT_EQ(AccessibleName(Button("serverListButton")), "List of servers");
}

class EmptyListNetSettingsDialogTest : public NetSettingsDialogTest {
  protected:
    EmptyListNetSettingsDialogTest() : NetSettingsDialogTest({}) {}
};

TEST_F(EmptyListNetSettingsDialogTest, AnEmptyListChangesNothing) {
    Fields afterList;
    ActWhileShown(dialog_, [&] {
        InTheList([&] {
            Press(Qt::Key_Down);
            Press(Qt::Key_Return);
        });
        afterList = Shown();
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
    EXPECT_EQ(afterList, (Fields{"192.168.1.1", "1412", "Práce", true, false}));
}

// A server list whose lines may name a table after the port.
class TableNetSettingsDialogTest : public NetSettingsDialogTest {
  protected:
    TableNetSettingsDialogTest()
        : NetSettingsDialogTest({{"Klub", "klub.example", "1412;Přátelé"}, {"Doma", "192.168.0.5", "6060"}}) {}
};

TEST_F(TableNetSettingsDialogTest, TheTableIsShownTypedByItsLetterAndTaken) {
    QString shown;
    ActWhileShown(dialog_, [&] {
        shown = Field("tableEdit")->text();
        PressAlt(Qt::Key_S);
        EXPECT_EQ(FocusWidget(), Field("tableEdit"));
        Field("tableEdit")->selectAll();
        Type("U Karla");
        Press(Qt::Key_Return);
    });
    NetSettings current = kCurrent;
    current.table = "Přátelé";
    const std::optional<NetSettings> chosen = dialog_.Edit(current, true);
    EXPECT_EQ(shown, "Přátelé");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->table, "U Karla");
    EXPECT_EQ(Find<QLabel>("tableLabel")->text(), Text(kCzech, 143));
    EXPECT_EQ(AccessibleName(Field("tableEdit")), "Stůl");
}

TEST_F(TableNetSettingsDialogTest, AListLineWithATableFillsItAndOneWithoutKeepsWhatWasTyped) {
    QString afterKlub, portAfterKlub, afterDoma;
    ActWhileShown(dialog_, [&] {
        InTheList([&] {
            Press(Qt::Key_Home);
            Press(Qt::Key_Return);
        });
        afterKlub = Field("tableEdit")->text();
        portAfterKlub = Field("portEdit")->text();
        Field("tableEdit")->setText("vlastní");
        InTheList([&] {
            Press(Qt::Key_End);
            Press(Qt::Key_Return);
        });
        afterDoma = Field("tableEdit")->text();
        PressAlt(Qt::Key_O);
    });
    const std::optional<NetSettings> chosen = dialog_.Edit({"", 0, "", false, false}, true);
    EXPECT_EQ(afterKlub, "Přátelé");
    EXPECT_EQ(portAfterKlub, "1412");
    EXPECT_EQ(afterDoma, "vlastní");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->port, 6060);
    EXPECT_EQ(chosen->table, "vlastní");
}

TEST_F(TableNetSettingsDialogTest, ANameTheServerCannotTakeKeepsTheDialogOpen) {
    bool stillOpen = false;
    QWidget* focus = nullptr;
    QString selected;
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_S);
        Field("tableEdit")->setText("stůl ☃");  // the snowman has no place in the wire's code page
        Press(Qt::Key_Return);
        stillOpen = dialog_.isVisible();
        focus = FocusWidget();
        selected = Field("tableEdit")->selectedText();
        Type("Klub");  // the name is selected: typing replaces it
        Press(Qt::Key_Return);
    });
    const std::optional<NetSettings> chosen = dialog_.Edit(kCurrent, true);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focus, Field("tableEdit"));
    EXPECT_EQ(messages_, QStringList{Text(kCzech, 144).arg("stůl ☃")});
    EXPECT_EQ(selected, "stůl ☃");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->table, "Klub");
    EXPECT_EQ(Field("tableEdit")->maxLength(), 32);
}

TEST_F(EnglishNetSettingsDialogTest, TheTableHasItsEnglishLetter) {
    ActWhileShown(dialog_, [&] {
        PressAlt(Qt::Key_T);
        EXPECT_EQ(FocusWidget(), Field("tableEdit"));
        Press(Qt::Key_Escape);
    });
    dialog_.Edit(kCurrent, true);
    EXPECT_EQ(AccessibleName(Field("tableEdit")), "Table");
}

class NetSettingsDialogMessageBox : public testing::DialogTest {};

TEST_F(NetSettingsDialogMessageBox, ARefusedPortIsShownInAMessageBoxOverTheDialog) {
    Localizer localizer(ClientStrings(), kEnglish);
    NetSettingsDialog dialog(localizer, {});
    testing::MessageBoxAnswerer answerer;
    bool stillOpen = false;
    QString port;
    ActWhileShown(dialog, [&] {
        PressAlt(Qt::Key_P);
        Type("abc");
        Press(Qt::Key_Return);
        EXPECT_TRUE(WaitUntil([&] { return answerer.Texts().size() == 1; }));
        // The keys come back to the settings once the message has been read.
        EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &dialog; }));
        stillOpen = dialog.isVisible();
        port = dialog.findChild<QLineEdit*>("portEdit")->text();
        Press(Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.Edit({"h", 1, "", false, false}, false), std::nullopt);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(port, "abc");
    EXPECT_EQ(answerer.Texts(), QStringList{Text(kEnglish, 140).arg("abc")});
}

}  // namespace
}  // namespace tarvel
