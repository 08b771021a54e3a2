// What a screen reader is told. An update handler takes the place of the platform's
// accessibility bridge and records every event the window sends; the texts the
// announcement area carried at each of its announcements are what Orca speaks and shows
// in braille. The game's own speech is off unless a test says otherwise.
#include "client/app/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QListWidget>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include "tests/client/game_folder.h"
#include "testing/table_check.h"
#include "rules/card_names.h"
#include "tests/engine/table_setup.h"

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tarvel::testing {
namespace {

using Texts = std::vector<QString>;
using Lines = std::vector<std::string>;

// What the window sent to a screen reader since the last look.
struct Told {
    static inline Texts announcements;
    static inline std::vector<std::pair<QObject*, int>> focus;  // object, child (-1 itself)

    static void Record(QAccessibleEvent* event) {
        if (event->type() == QAccessible::Focus) focus.emplace_back(event->object(), event->child());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement) {
            announcements.push_back(static_cast<QAccessibleAnnouncementEvent*>(event)->message());
        }
#else
        if (event->type() == QAccessible::ObjectShow) {
            if (auto* area = qobject_cast<AnnouncementArea*>(event->object())) announcements.push_back(area->Text());
        }
#endif
    }
    static Texts Fresh() { return std::exchange(announcements, {}); }
};

class ScreenReaderTest : public ::testing::Test {
  public:
    static void SetUpTestSuite() {
        EnsureApplication();
        QAccessible::installUpdateHandler(Told::Record);
        // Without a screen reader's bus Qt sends no event at all; the handler stands in for one.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }

    GameFolder folder;
    SoundLog sounds{folder.LogPath()};
    std::vector<QString> messages;
    std::unique_ptr<MainWindow> window;

    void Open(const std::string& settings = "[environment]\nspeech=2\n") {
        folder.WriteSettings(settings);
        window = std::make_unique<MainWindow>(folder.Setup(1, messages));
        window->resize(800, 560);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Told::Fresh();
        Told::focus.clear();
        sounds.Fresh();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window->Table(), static_cast<Qt::Key>(key), modifiers);
    }
    GameState& State() { return window->GameEngine().State(); }

    // Lays out both hands and the pile, the rest in the stock, and gives the player the turn.
    void Deal(const std::vector<std::string>& player, const std::vector<std::string>& computer,
              const std::vector<std::string>& pile) {
        GameState& state = State();
        LayOutTable(state, state.game.rules, player, computer, pile, {}, true);
        window->GameEngine().BeginPlayerTurn();
        window->FormActivate();
        ASSERT_EQ(FindTableFault(state), "");
        Told::Fresh();
        sounds.Fresh();
    }
};

TEST_F(ScreenReaderTest, TheDealWhoBeginsAndEverySelectionAreToldOnceEach) {
    Open();
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Told::Fresh(), (Texts{"Soupeř: 10 křížová, Začínáš"}));
    Deal({"8 srdcová", "9 piková", "dáma křížová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_Right);
    EXPECT_EQ(Told::Fresh(), (Texts{"9 piková"}));
    Key(Qt::Key_End);
    EXPECT_EQ(Told::Fresh(), (Texts{"dáma křížová"}));
    Key(Qt::Key_Right);  // the edge, then the card again
    EXPECT_EQ(Told::Fresh(), (Texts{"okraj. dáma křížová"}));
    Key(Qt::Key_Home);
    EXPECT_EQ(Told::Fresh(), (Texts{"8 srdcová"}));
    // Nothing was played through the sound device.
    EXPECT_TRUE(sounds.Fresh().empty());
}

TEST_F(ScreenReaderTest, MovesRefusalsAndDrawsOfBothSidesAreTold) {
    Open();
    Key(Qt::Key_N, Qt::ControlModifier);
    Deal({"8 kárová", "9 piková", "8 srdcová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_Return);  // the eight of diamonds does not fit the nine of hearts
    EXPECT_EQ(Told::Fresh(), (Texts{"Soupeř: kartu nelze použít"}));

    Key(Qt::Key_Right);
    Key(Qt::Key_Return);  // the nine of spades; the computer follows with the ten
    EXPECT_EQ(Told::Fresh(), (Texts{"9 piková", "Soupeř: vyhození, 10 piková, vyhození"}));

    const std::string drawn = rules::CardName(State().game.stock[State().game.stockSize - 1u]);
    Key(Qt::Key_Space);  // the player draws; the computer, with nothing for the ten, draws too
    EXPECT_EQ(Told::Fresh(),
              (Texts{QString::fromStdString("Ty: lízání, " + drawn + ". Soupeř: lížu, lízání")}));
}

TEST_F(ScreenReaderTest, ADrawnCardIsNamedOnlyAsTheSettingAllows) {
    Open("[environment]\nspeech=2\n[game]\nsaypickedcards=0\n");
    Key(Qt::Key_N, Qt::ControlModifier);
    Deal({"8 kárová", "9 piková"}, {"10 piková", "kluk kárový"}, {"7 srdcová"});
    const std::string drawn = rules::CardName(State().game.stock[State().game.stockSize - 1u]);
    Key(Qt::Key_Space);
    const Texts told = Told::Fresh();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FALSE(told[0].contains(QString::fromStdString(drawn))) << told[0].toStdString();
    EXPECT_TRUE(told[0].contains("lízání")) << told[0].toStdString();
}

TEST_F(ScreenReaderTest, EverySayCommandIsAnsweredInText) {
    Open();
    Key(Qt::Key_N, Qt::ControlModifier);
    Deal({"8 kárová", "dáma piková"}, {"10 piková", "kluk kárový", "eso srdcové"}, {"9 srdcová"});
    const std::pair<QKeyCombination, QString> commands[] = {
        {QKeyCombination(Qt::Key_F2), "8 kárová"},
        {QKeyCombination(Qt::SHIFT, Qt::Key_F2), "Ty: 8"},
        {QKeyCombination(Qt::Key_F3), "Soupeř: 9 srdcová"},
        {QKeyCombination(Qt::Key_F4), "Soupeř: 1"},
        {QKeyCombination(Qt::Key_F5), "Ty: 0"},
        {QKeyCombination(Qt::Key_F6), "Soupeř: 0"},
        {QKeyCombination(Qt::Key_F9), "Soupeř: 3"},
        {QKeyCombination(Qt::SHIFT, Qt::Key_F9), "Ty: 2"},
        {QKeyCombination(Qt::Key_Up), "Soupeř: 9 srdcová"},
        {QKeyCombination(Qt::Key_Down), "Soupeř: 3"},
        {QKeyCombination(Qt::CTRL, Qt::Key_F2), "Ty: 8 kárová, dáma piková"},
    };
    for (const auto& [key, text] : commands) {
        Key(key.key(), key.keyboardModifiers());
        EXPECT_EQ(Told::Fresh(), (Texts{text})) << text.toStdString();
    }
}

TEST_F(ScreenReaderTest, TheEndOfTheMatchIsTold) {
    Open("[environment]\nspeech=2\n[game]\nnumberofgames=1\n");
    Key(Qt::Key_N, Qt::ControlModifier);
    Deal({"9 srdcová"}, {"10 piková", "kluk kárový"}, {"7 srdcová"});
    Key(Qt::Key_Return);  // the last card wins the game, and the match of one game
    EXPECT_FALSE(State().running);
    const Texts told = Told::Fresh();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].contains("Jsi vítěz")) << told[0].toStdString();
    EXPECT_TRUE(told[0].endsWith("konec hry")) << told[0].toStdString();
}

TEST_F(ScreenReaderTest, WithTheRecordingsHeardNothingIsAnnouncedUnlessTheSoundsAreOff) {
    Open("");
    Key(Qt::Key_N, Qt::ControlModifier);
    Key(Qt::Key_Right);
    Key(Qt::Key_F3);
    EXPECT_TRUE(Told::Fresh().empty());
    EXPECT_FALSE(sounds.Fresh().empty());

    // The sounds switched off: the message line shows what is said, and a screen reader gets it.
    window->findChild<QAction*>("sounds")->trigger();
    Told::Fresh();
    Key(Qt::Key_Left);
    const Texts told = Told::Fresh();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].toStdString(), rules::CardName(State().SelectedCard()));
}

TEST_F(ScreenReaderTest, BesideTheRecordingsAsThePlayerChoseTheyAreHeardExactlyAsBefore) {
    // The same keys, once without a screen reader and once with one told beside the recordings.
    std::vector<Lines> heard;
    for (const char* settings : {"", "[environment]\r\nscreenreader=1\r\n"}) {
        Open(settings);
        Key(Qt::Key_N, Qt::ControlModifier);
        Key(Qt::Key_Right);
        Key(Qt::Key_F3);
        Key(Qt::Key_Return);
        heard.push_back(sounds.Fresh());
        const Texts told = Told::Fresh();
        if (heard.size() == 1) {
            EXPECT_TRUE(told.empty());
        } else {
            ASSERT_EQ(told.size(), 4u);
            EXPECT_EQ(told[0], "Soupeř: 10 křížová, Začínáš");
            EXPECT_TRUE(told[2].startsWith("Soupeř: ")) << told[2].toStdString();
        }
        window.reset();
    }
    EXPECT_FALSE(heard[0].empty());
    EXPECT_EQ(heard[0], heard[1]);
}

TEST_F(ScreenReaderTest, TheTableSaysItsSummaryOnceOnFocus) {
    Open();
    Key(Qt::Key_N, Qt::ControlModifier);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&window->Table());
    ASSERT_NE(table, nullptr);
    const QString name = table->text(QAccessible::Name);
    EXPECT_TRUE(name.startsWith("Stůl. Vybraná karta: ")) << name.toStdString();
    EXPECT_TRUE(name.contains("Na hromádce: 10 křížová.")) << name.toStdString();
    EXPECT_EQ(table->text(QAccessible::Description), QString());
    // The announcement area is a notification of the status bar, its text in a label of its own.
    QAccessibleInterface* area =
        QAccessible::queryAccessibleInterface(const_cast<AnnouncementArea*>(&window->Announcements()));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->role(), QAccessible::Notification);
    EXPECT_EQ(area->parent()->role(), QAccessible::StatusBar);
    ASSERT_EQ(area->childCount(), 1);
    EXPECT_EQ(area->child(0)->text(QAccessible::Name), "Soupeř: 10 křížová, Začínáš");
}

TEST_F(ScreenReaderTest, TheHistoryWindowOpensWithItsNewestLineFocused) {
    Open();
    Key(Qt::Key_N, Qt::ControlModifier);
    Deal({"9 piková", "8 srdcová"}, {"10 piková", "dáma kárová", "eso srdcové"}, {"9 srdcová"});
    Key(Qt::Key_Return);
    Told::focus.clear();
    auto* poll = new QTimer;
    poll->setInterval(10);
    int rows = 0;
    std::pair<QObject*, int> lastFocus{nullptr, -1};
    QListWidget* list = nullptr;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != "HistoryWindow") return;
        list = modal->findChild<QListWidget*>("historylist");
        if (Told::focus.empty() || Told::focus.back().second < 0) return;
        poll->stop();
        poll->deleteLater();
        rows = list->count();
        lastFocus = Told::focus.back();
        QTest::keyClick(list, Qt::Key_Escape);
    });
    poll->start();
    Key(Qt::Key_G, Qt::ControlModifier);
    ASSERT_NE(list, nullptr);
    ASSERT_GE(rows, 2);
    EXPECT_EQ(lastFocus.first, list);
    QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(list);
    QAccessibleInterface* focused = lines->child(lastFocus.second);
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name), "Soupeř: vyhození, 10 piková, vyhození");
}

}  // namespace
}  // namespace tarvel::testing
