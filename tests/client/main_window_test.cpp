// The real main window under the offscreen platform, driven by key events as a
// player drives it, with its sounds written to a log: what the log holds is what the
// player would hear.
#include "client/app/main_window.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QMenu>
#include <QRadioButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QStatusBar>
#include <QtTest/QTest>
#include <cmath>
#include <functional>
#include <map>

#include "tests/client/game_folder.h"
#include "common/version.h"
#include "rules/card_names.h"
#include "tests/engine/table_setup.h"
#include "tests/voice/fake_speech_service.h"
#include "session/speech/sound_file_name.h"
#include "testing/table_check.h"
#include "client/table/table_layout.h"

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tarvel::testing {
namespace {

using Lines = std::vector<std::string>;

class WindowTest : public ::testing::Test {
  public:
    static void SetUpTestSuite() { EnsureApplication(); }

    GameFolder folder;
    SoundLog sounds{folder.LogPath()};
    std::vector<QString> messages;
    std::unique_ptr<MainWindow> window;

    void Open(std::uint64_t seed = 1) {
        window = std::make_unique<MainWindow>(folder.Setup(seed, messages));
        window->resize(800, 560);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        sounds.Fresh();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window->Table(), static_cast<Qt::Key>(key), modifiers);
    }
    GameState& State() { return window->GameEngine().State(); }
    QAction* Item(const char* name) { return window->findChild<QAction*>(name); }
};

// Acts on the next modal dialog of the given name once it is up.
void WhenModal(const char* name, std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, name, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != QString::fromLatin1(name)) return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

TEST_F(WindowTest, StartsIdleWithTheMenuOfTheStringTable) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Tarvel");
    EXPECT_EQ(Item("newGame")->text(), "&Nová hra");
    EXPECT_EQ(Item("newGame")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(Item("sayPlayerTableScore")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F7));
    EXPECT_TRUE(Item("newGame")->isEnabled());
    EXPECT_FALSE(Item("endMatch")->isEnabled());
    EXPECT_FALSE(Item("messageToOpponent")->isEnabled());
    EXPECT_FALSE(Item("saySelectedCard")->isEnabled());
    EXPECT_TRUE(Item("gameSettings")->isEnabled());
    EXPECT_TRUE(Item("sounds")->isChecked());
    EXPECT_TRUE(Item("sayDrawnCards")->isChecked());
    EXPECT_FALSE(window->MessageLine().isVisible());
    EXPECT_FALSE(window->Table().MarkerVisible());
    EXPECT_TRUE(window->Table().hasFocus());
    EXPECT_TRUE(messages.empty());
    // Keys do nothing before a match.
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    EXPECT_TRUE(sounds.Fresh().empty());
}

TEST_F(WindowTest, TheSettingsFileGivesTheLanguageAndTheSwitches) {
    folder.WriteSettings("[environment]\nlanguage=2000\n[game]\nsaypickedcards=0\ngamesounds=0\n");
    Open();
    const auto menus = window->menuBar()->actions();
    ASSERT_GE(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), "&Game");
    EXPECT_EQ(menus[1]->text(), "&Say");
    EXPECT_EQ(menus[2]->text(), "&Options");
    EXPECT_EQ(menus.back()->text(), "&Help");
    EXPECT_FALSE(Item("sounds")->isChecked());
    EXPECT_FALSE(Item("sayDrawnCards")->isChecked());
    EXPECT_FALSE(Item("sayDrawnCards")->isEnabled());

    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(window->MessageLine().isVisible());  // the line stands in for the sounds
    EXPECT_FALSE(Item("saySelectedCard")->isEnabled());
    EXPECT_TRUE(sounds.Fresh().empty());
    Key(Qt::Key_F2);
    EXPECT_TRUE(sounds.Fresh().empty());
}

TEST_F(WindowTest, ANewMatchDealsAnnouncesAndHandsTheTurnOver) {
    Open(1);
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(State().running);
    ASSERT_TRUE(State().PlayerTurn());
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/z10 krizova1.wav\twait", "zvuky/zZacinas.wav\twait"}));
    EXPECT_TRUE(Item("endMatch")->isEnabled());
    EXPECT_FALSE(Item("gameSettings")->isEnabled());
    EXPECT_TRUE(Item("saySelectedCard")->isEnabled());
    EXPECT_FALSE(Item("sayPlayerPoints")->isEnabled());  // not playing for points
    EXPECT_EQ(window->StatusPanelLabel(0).text(), "Tvoje výhry");
    EXPECT_EQ(window->StatusPanelLabel(9).text(), "1");
    EXPECT_TRUE(window->Table().MarkerVisible());
    EXPECT_EQ(FindTableFault(State()), "");
}

// Plays every waited-for phrase for a few polls, so that the game is held meanwhile,
// and lets a test act while the first one sounds.
class SlowAudio final : public AudioBackend {
  public:
    explicit SlowAudio(std::vector<std::string>& heard) : heard_(heard) {}
    std::function<void()> whileFirstSounds;

    void Start(const std::string& path, Playback playback) override {
        heard_.push_back(path + (playback == Playback::Wait ? "\twait" : "\tstart"));
        polls_ = playback == Playback::Wait ? 3 : 0;
    }
    bool IsPlaying() override {
        if (polls_ == 0) return false;
        --polls_;
        if (whileFirstSounds) std::exchange(whileFirstSounds, nullptr)();
        return true;
    }

  private:
    std::vector<std::string>& heard_;
    int polls_ = 0;
};

TEST_F(WindowTest, AKeyDuringAPhraseWaitsForTheMoveToEndAndIsNotLost) {
    std::vector<std::string> heard;
    ClientSetup setup = folder.Setup(1, messages);
    auto audio = std::make_unique<SlowAudio>(heard);
    SlowAudio& slow = *audio;
    setup.audio = std::move(audio);
    window = std::make_unique<MainWindow>(std::move(setup));
    window->show();
    bool busyWhenItCame = false;
    slow.whileFirstSounds = [&] {
        // A key comes in while the start card is being announced.
        busyWhenItCame = window->EngineBusy();
        QCoreApplication::postEvent(&window->Table(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
    };
    window->Menu().newGame->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(busyWhenItCame);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0], "zvuky/z10 krizova1.wav\twait");
    EXPECT_EQ(heard[1], "zvuky/zZacinas.wav\twait");
    // The arrow key ran after the whole deal, on the turn it started.
    EXPECT_TRUE(heard[2].ends_with("1.wav\tstart")) << heard[2];
    EXPECT_EQ(State().selected, 2u);
}

TEST_F(WindowTest, MissingPicturesAreNamedAndTheGameStillPlays) {
    QFile::remove(folder.Path("karty/card5.bmp"));
    QFile::remove(folder.Path("karty/emp.bmp"));
    Open();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("card5.bmp")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("emp.bmp")) << messages[0].toStdString();
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(State().running);
}

TEST_F(WindowTest, TheTableTellsAScreenReaderWhatLiesOnIt) {
    Open(1);
    EXPECT_EQ(window->Table().accessibleName(), "Stůl. Žádná hra neběží.");
    EXPECT_EQ(window->Table().accessibleDescription(), "Žádná hra neběží.");
    Key(Qt::Key_N, Qt::ControlModifier);
    const QString first = window->Table().accessibleDescription();
    EXPECT_TRUE(first.startsWith("Vybraná karta: ")) << first.toStdString();
    EXPECT_TRUE(first.contains("Na hromádce: 10 křížová.")) << first.toStdString();
    Key(Qt::Key_Right);
    EXPECT_NE(window->Table().accessibleDescription(), first);
    EXPECT_TRUE(window->Table().accessibleDescription().contains(", 2 z 5.")) ;
}

TEST(ClientProgram, WithoutADisplayItSaysSoAndStops) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVEL_PATH), {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError().trimmed().toStdString(),
              "tarvel: there is no display to open the game window on (DISPLAY is not set)");

    environment.insert("DISPLAY", ":97");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVEL_PATH), {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError().trimmed().toStdString(), "tarvel: the display :97 is not running");
}

// Help and version need no display; an argument it does not know starts nothing.
TEST(ClientProgram, AnswersHelpAndVersionAnywhereAndRefusesAnUnknownArgument) {
    struct Case {
        QStringList arguments;
        const char* platform;  // QT_QPA_PLATFORM, or nothing: no display at all
        int exitCode;
        std::string output;  // the start of standard output, or the refusal on standard error
    };
    const std::string version(ProgramVersion());
    const std::vector<Case> cases = {
        {{"--help"}, nullptr, 0, "Usage: tarvel [--help] [--version]\nTarvel " + version + ","},
        {{"-platform", "offscreen", "-h"}, nullptr, 0, "Usage: tarvel [--help] [--version]\n"},
        {{"--version"},
         nullptr,
         0,
         "tarvel (Tarvel) " + version + "\nFree software under the GNU General Public License"},
        {{"-platform", "offscreen", "--fullscreen"},
         "offscreen",
         2,
         "tarvel: unknown argument \"--fullscreen\"\nUsage:"},
    };
    QTemporaryDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        if (c.platform != nullptr) environment.insert("QT_QPA_PLATFORM", c.platform);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(TARVEL_PATH), c.arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), c.exitCode);
        const QByteArray said = c.exitCode == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
        EXPECT_TRUE(said.contains(c.output.c_str())) << said.toStdString();
    }
    // Refused before anything was set up: the folder it was started in stays empty.
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// A match from the menu with the player to move first (seed 1 deals him the first move).
class MatchTest : public WindowTest {
  public:
    void SetUp() override {
        if (!settings.empty()) folder.WriteSettings(settings);
        Open(1);
        Key(Qt::Key_N, Qt::ControlModifier);
        ASSERT_TRUE(State().PlayerTurn());
        sounds.Fresh();
    }
    std::string settings;  // the settings file to start with, when not empty

    // Lays out the player's hand, the computer's and the pile as a test needs them.
    void Deal(const std::vector<std::string>& player, const std::vector<std::string>& computer,
              const std::vector<std::string>& pile) {
        GameState& state = State();
        LayOutTable(state, state.game.rules, player, computer, pile, {}, true);
        window->GameEngine().BeginPlayerTurn();
        window->FormActivate();
        ASSERT_EQ(FindTableFault(state), "");
        sounds.Fresh();
    }
};

TEST_F(MatchTest, MovingInTheHandNamesTheCardsAndSaysTheEdge) {
    Deal({"8 srdcová", "9 piková", "dáma křížová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_Right);
    Key(Qt::Key_End);
    Key(Qt::Key_Right);
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/m9 pikova1.wav\tstart", "zvuky/mdama krizova1.wav\tstart",
                                     "zvuky/okraj.wav\twait", "zvuky/mdama krizova1.wav\tstart",
                                     "zvuky/m8 srdcova1.wav\tstart", "zvuky/okraj.wav\twait",
                                     "zvuky/m8 srdcova1.wav\tstart", "zvuky/mdama krizova1.wav\tstart",
                                     "zvuky/m8 srdcova1.wav\tstart"}));
    EXPECT_EQ(State().selected, 1u);
}

TEST_F(MatchTest, ARefusedCardTheComputersReplyAndADraw) {
    Deal({"8 kárová", "9 piková", "8 srdcová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_Return);  // the eight of diamonds does not fit the nine of hearts
    Lines heard = sounds.Fresh();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].starts_with("zvuky/zkartu nelze pouzit")) << heard[0];
    EXPECT_TRUE(heard[0].ends_with(".wav\tstart")) << heard[0];
    EXPECT_EQ(State().PlayerCount(), 3);

    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    heard = sounds.Fresh();
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0], "zvuky/m9 pikova1.wav\tstart");
    EXPECT_TRUE(heard[1].starts_with("zvuky/vyhozeni")) << heard[1];
    EXPECT_EQ(heard[2], "zvuky/z10 pikova1.wav\twait");  // the computer follows with the ten
    EXPECT_TRUE(heard[3].starts_with("zvuky/vyhozeni")) << heard[3];
    EXPECT_EQ(window->MessageLine().text(), "Vyhazuji");

    // The player has nothing for the ten of spades and draws; the computer lays the jack.
    const std::string drawn = rules::CardName(State().game.stock[State().game.stockSize - 1u]);
    Key(Qt::Key_Space);
    heard = sounds.Fresh();
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0], "zvuky/lizani.wav\twait");
    EXPECT_EQ(State().PlayerCount(), 3);
    EXPECT_EQ(rules::CardName(State().playerHand.back()), drawn);
    EXPECT_EQ(FindTableFault(State()), "");
}

TEST_F(MatchTest, EverySayCommandFromItsShortcut) {
    Deal({"8 kárová", "dáma piková"}, {"10 piková", "kluk kárový", "eso srdcové"}, {"9 srdcová"});
    const std::pair<QKeyCombination, std::string> commands[] = {
        {QKeyCombination(Qt::Key_F2), "zvuky/m8 karova1.wav\tstart"},
        {QKeyCombination(Qt::SHIFT, Qt::Key_F2), "zvuky/m8.wav\twait"},
        {QKeyCombination(Qt::Key_F3), "zvuky/z9 srdcova1.wav\tstart"},
        {QKeyCombination(Qt::Key_F4), "zvuky/z1.wav\twait"},
        {QKeyCombination(Qt::Key_F5), "zvuky/m0.wav\twait"},
        {QKeyCombination(Qt::Key_F6), "zvuky/z0.wav\twait"},
        {QKeyCombination(Qt::Key_F9), "zvuky/z3.wav\twait"},
        {QKeyCombination(Qt::SHIFT, Qt::Key_F9), "zvuky/m2.wav\twait"},
        {QKeyCombination(Qt::Key_Up), "zvuky/z9 srdcova1.wav\tstart"},
        {QKeyCombination(Qt::Key_Down), "zvuky/z3.wav\twait"},
    };
    for (const auto& [key, heard] : commands) {
        Key(key.key(), key.keyboardModifiers());
        EXPECT_EQ(sounds.Fresh(), (Lines{heard})) << heard;
    }
    Key(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/m8 karova1.wav\twait", "zvuky/mdama pikova1.wav\twait"}));
    // Without points the point commands stay silent.
    Key(Qt::Key_F7);
    Key(Qt::Key_F8);
    EXPECT_TRUE(sounds.Fresh().empty());
}

TEST_F(MatchTest, AMenuCommandRedrawsTheTableAndTheArrowKeyDoesNot) {
    Deal({"8 kárová", "dáma piková"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    const QPoint onPile(layout::kPile.x + 30, layout::kPile.y + 60);
    const QRgb pileColour = window->Table().Image().pixel(onPile);
    QImage& image = const_cast<QImage&>(window->Table().Image());
    image.setPixel(onPile, qRgb(1, 2, 3));
    Key(Qt::Key_Up);
    EXPECT_EQ(window->Table().Image().pixel(onPile), qRgb(1, 2, 3));
    Key(Qt::Key_F3);
    EXPECT_EQ(window->Table().Image().pixel(onPile), pileColour);
}

TEST_F(MatchTest, TheSoundSwitchesSayOffAndOnAndGoWithTheMenus) {
    Deal({"8 kárová", "dáma piková"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/off.wav\tstart"}));
    EXPECT_FALSE(Item("sounds")->isChecked());
    EXPECT_FALSE(Item("saySelectedCard")->isEnabled());
    EXPECT_FALSE(Item("sayDrawnCards")->isEnabled());
    EXPECT_TRUE(window->MessageLine().isVisible());
    Key(Qt::Key_F2);
    Key(Qt::Key_Right);
    EXPECT_TRUE(sounds.Fresh().empty());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/on.wav\tstart"}));
    EXPECT_TRUE(Item("saySelectedCard")->isEnabled());
    EXPECT_FALSE(window->MessageLine().isVisible());

    Key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/off.wav\tstart"}));
    EXPECT_FALSE(window->GameEngine().Options().saypickedcards);
    EXPECT_FALSE(Item("sayDrawnCards")->isChecked());
    Key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/on.wav\tstart"}));
    EXPECT_TRUE(Item("sayDrawnCards")->isChecked());
}

TEST_F(MatchTest, TheTableShowsThePileTheMarkerAndTheBlankOfAShrunkenHand) {
    Deal({"8 srdcová", "9 piková", "10 srdcová", "kluk srdcový", "eso srdcové"}, {"10 piková", "kluk kárový"},
         {"9 srdcová"});
    const QImage pileFace(QStringLiteral("karty/card%1.bmp").arg(rules::IdOfName("9 srdcová") + 1));
    ASSERT_FALSE(pileFace.isNull());
    EXPECT_EQ(window->Table().Image().pixel(layout::kPile.x + 33, layout::kPile.y + 50) & 0xFFFFFF,
              pileFace.pixel(33, 50) & 0xFFFFFF);
    // The marker stands above the selected card.
    Key(Qt::Key_Right);
    const QImage seen = window->Table().Snapshot();
    EXPECT_EQ(seen.pixel(layout::HandMarkerX(2) + 2, layout::kHandMarkerY + 2) & 0xFFFFFF, 0u);

    // Five cards, the fifth reaches to x 167; with four the blank covers it.
    const QPoint whereTheFifthWas(160, layout::kPlayerRowY + 50);
    const QRgb background = window->palette().color(QPalette::Button).rgb();
    EXPECT_NE(window->Table().Image().pixel(whereTheFifthWas), background);
    Key(Qt::Key_Home);
    Key(Qt::Key_Return);  // the eight of hearts; the computer answers or draws
    ASSERT_EQ(State().PlayerCount(), 4);
    EXPECT_EQ(window->Table().Image().pixel(whereTheFifthWas), background);
    // Right up to the old card's edge: the blank starts where the new last card ends.
    EXPECT_EQ(window->Table().Image().pixel(20 * 4 + layout::kCardWidth + 1, layout::kPlayerRowY + 50), background);
}

TEST_F(MatchTest, TheOpponentsShrunkenRowEndsInTheBlank) {
    Deal({"8 srdcová", "9 piková"}, {"10 piková", "kluk kárový", "eso kárové"}, {"9 srdcová"});
    const QRgb background = window->palette().color(QPalette::Button).rgb();
    const QPoint onTheThirdBack(20 * 3 + 55, layout::kOpponentRowY + 50);  // right of the second back
    EXPECT_NE(window->Table().Image().pixel(onTheThirdBack), background);
    // A card of the network opponent leaves one back fewer, drawn without its own blank.
    State().opponentCount = 2;
    window->Table().DrawOpponentHand();
    EXPECT_EQ(window->Table().Image().pixel(onTheThirdBack), background);
}

TEST_F(MatchTest, TheRedrawAfterAMenuCommandKeepsTheSuitRowOfAChoice) {
    Deal({"8 srdcová", "dáma piková"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_End);
    Key(Qt::Key_Return);
    ASSERT_TRUE(State().SuitChoiceActive());
    const QPoint onHearts(layout::kSuitRowLeft + 10, layout::kSuitRowY + 15);
    const QRgb heart = window->Table().Image().pixel(onHearts);
    const_cast<QImage&>(window->Table().Image()).setPixel(onHearts, qRgb(1, 2, 3));
    Key(Qt::Key_F3);
    EXPECT_EQ(window->Table().Image().pixel(onHearts), heart);
}

TEST_F(MatchTest, TheEndCommandEndsTheMatchAndRestoresTheIdleMenus) {
    Key(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/zkonec hry.wav\twait"}));
    EXPECT_FALSE(State().running);
    EXPECT_FALSE(Item("endMatch")->isEnabled());
    EXPECT_TRUE(Item("gameSettings")->isEnabled());
    EXPECT_FALSE(Item("saySelectedCard")->isEnabled());
    EXPECT_FALSE(window->MessageLine().isVisible());
}

// A whole match played by keys alone: the player walks his hand from the left and
// lays the first card taken, chooses the first suit after a queen, and draws when
// nothing fits. The table is checked after every key.
// The player of a whole match by keys: he walks his hand from the left and lays the
// first card taken, chooses the first suit after a queen, and draws when nothing fits.
// The table is checked after every key.
void PlayByKeys(MatchTest& test) {
    int keys = 0;
    auto press = [&](int key) {
        test.Key(key);
        ++keys;
        ASSERT_EQ(FindTableFault(test.State()), "") << "after key " << keys;
    };
    GameState& state = test.State();
    while (state.running && keys < 20000) {
        if (state.SuitChoiceActive()) {
            press(Qt::Key_Return);
            continue;
        }
        const std::size_t pile = state.game.pileSize;
        const std::size_t count = state.playerHand.size();
        bool laid = false;
        press(Qt::Key_Home);
        for (std::size_t i = 0; i < count && state.running; ++i) {
            press(Qt::Key_Return);
            if (state.game.pileSize != pile || state.playerHand.size() != count || state.SuitChoiceActive() ||
                !state.running) {
                laid = true;
                break;
            }
            press(Qt::Key_Right);
        }
        if (!laid && state.running) press(Qt::Key_Space);
    }
}

TEST_F(MatchTest, AWholeMatchPlayedByKeysToItsEnd) {
    PlayByKeys(*this);
    EXPECT_FALSE(State().running);
    EXPECT_EQ(State().playerWins + State().opponentWins, 3);
    const Lines heard = sounds.Fresh();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), "zvuky/zkonec hry.wav\twait");
}

TEST_F(MatchTest, TheTableGrowsWithTheWindowAndAClickLandsOnTheSameCard) {
    Deal({"8 srdcová", "9 piková", "8 kárová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    // Twice the table's width and a little more: the whole factor, every pixel sharp.
    window->resize(1450, 1000);
    QCoreApplication::processEvents();
    ASSERT_EQ(window->Table().Scale(), 2.0);
    // Card 2 lies at x 40 … 59 of the table: 80 … 119 on the screen.
    QTest::mouseClick(&window->Table(), Qt::LeftButton, Qt::NoModifier, QPoint(2 * 45, 2 * 300));
    const Lines heard = sounds.Fresh();
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0], "zvuky/m9 pikova1.wav\twait");
    EXPECT_EQ(rules::CardName(State().game.pile[1]), "9 piková");
}

class PointerTest : public MatchTest {
  public:
    PointerTest() { settings = "[game]\nsaycardsundermouse=1\nmovemouse=1\n"; }
};

// On a 1280 × 1024 screen no whole factor fills the window: the table takes its width,
// its proportions kept, and clicks, the pointer's rests and its moves go through the
// same factor.
TEST_F(PointerTest, TheTableFillsAWindowNoWholeFactorFitsAndThePointerMapsThroughIt) {
    Deal({"8 srdcová", "9 piková", "8 kárová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    window->resize(1280, 1024);
    QCoreApplication::processEvents();
    TableView& table = window->Table();
    const double scale = table.Scale();
    EXPECT_GT(scale, 1.5);
    EXPECT_LT(scale, 1.88);  // 2 would not fit, and 1 would give up more than a tenth
    // One side of the used table (720 × 390) meets the window's edge.
    const double width = 720 * scale;
    const double height = 390 * scale;
    EXPECT_TRUE(std::abs(width - table.width()) < 1.0 || std::abs(height - table.height()) < 1.0)
        << table.width() << " x " << table.height() << " at " << scale;
    const QImage shown = table.Snapshot();
    EXPECT_EQ(shown.size(), table.size() * table.devicePixelRatio());
    auto onScreen = [scale](int x, int y) {
        return QPoint(static_cast<int>(std::lround(x * scale)), static_cast<int>(std::lround(y * scale)));
    };

    // The selection moved: the pointer lands on the card it names.
    Key(Qt::Key_Right);
    const QPoint pointer = table.mapFromGlobal(QCursor::pos());
    EXPECT_EQ(static_cast<int>(std::floor(pointer.x() / scale)), layout::HandMarkerX(2));
    EXPECT_EQ(static_cast<int>(std::floor(pointer.y() / scale)), layout::kHandMarkerY + 90);
    QTest::qWait(100);
    sounds.Fresh();

    // Resting on the third card names it.
    QTest::mouseMove(&table, onScreen(600, 50));
    QTest::qWait(50);
    QTest::mouseMove(&table, onScreen(61, 300));
    QTest::mouseMove(&table, onScreen(65, 300));
    QTest::qWait(700);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/m8 karova1.wav\twait"}));

    // A click on the second card, the selected one, lays it.
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, onScreen(45, 300));
    const Lines heard = sounds.Fresh();
    ASSERT_GE(heard.size(), 1u);
    EXPECT_TRUE(heard[0].starts_with("zvuky/vyhozeni")) << heard[0];
    EXPECT_EQ(rules::CardName(State().game.pile[1]), "9 piková");
}

TEST_F(PointerTest, ThePointerFollowsTheSelectionAndNamesWhatItRestsOn) {
    Deal({"8 srdcová", "9 piková", "8 kárová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"});
    Key(Qt::Key_Right);
    // On the selected card's face, wherever the table lies on the screen.
    const QPoint onCard = window->Table().mapToGlobal(QPoint(layout::HandMarkerX(2), layout::kHandMarkerY + 90));
    EXPECT_EQ(QCursor::pos(), onCard);
    QTest::qWait(100);  // the moves the pointer's own jumps make come in
    sounds.Fresh();

    // Resting half a second on the third card names it once.
    QTest::mouseMove(&window->Table(), QPoint(600, 50));  // the pointer enters the table
    QTest::qWait(50);
    QTest::mouseMove(&window->Table(), QPoint(61, 300));
    QTest::mouseMove(&window->Table(), QPoint(65, 300));
    QTest::qWait(700);
    Lines heard = sounds.Fresh();
    EXPECT_EQ(heard, (Lines{"zvuky/m8 karova1.wav\twait"}));
    QTest::mouseMove(&window->Table(), QPoint(70, 300));
    QTest::qWait(700);
    const Lines again = sounds.Fresh();
    EXPECT_TRUE(again.empty()) << again.front();
    EXPECT_EQ(window->Table().cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WindowTest, HelpOpensTheTextAndSaysWhenItCannot) {
    std::vector<QString> opened;
    ClientSetup setup = folder.Setup(1, messages);
    setup.openFile = [&opened](const QString& path) {
        opened.push_back(path);
        return true;
    };
    window = std::make_unique<MainWindow>(std::move(setup));
    window->show();
    window->Menu().instructions->trigger();
    EXPECT_TRUE(opened.empty());  // there is no tarvel.txt yet
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("tarvel.txt"));
    QFile help(folder.Path("tarvel.txt"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    window->Menu().instructions->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QDir(folder.Path("")).absoluteFilePath("tarvel.txt"));
}

// The installed game: the pictures and the help text come from its data folder, while the
// current folder (the player's) has neither.
TEST_F(WindowTest, AnInstalledGameTakesItsPicturesAndHelpFromTheDataFolder) {
    QTemporaryDir data;
    ASSERT_TRUE(QDir().rename(folder.Path("karty"), data.filePath("karty")));
    QFile help(data.filePath("tarvel.txt"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    std::vector<QString> opened;
    ClientSetup setup = folder.Setup(1, messages);
    setup.dataFolder = data.path();
    setup.openFile = [&opened](const QString& path) {
        opened.push_back(path);
        return true;
    };
    window = std::make_unique<MainWindow>(std::move(setup));
    window->show();
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();  // every picture was found
    window->Menu().instructions->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], data.filePath("tarvel.txt"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, TheServerIsStartedWhenAskedAndAMissingOneIsSaid) {
    folder.WriteSettings("[net]\nrunserver=1\n");
    std::vector<QString> started;
    ClientSetup setup = folder.Setup(1, messages);
    setup.startProgram = [&started](const QString& program) {
        started.push_back(program);
        return true;
    };
    window = std::make_unique<MainWindow>(std::move(setup));
    EXPECT_TRUE(started.empty());  // no tarvelsvr beside the program
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("tarvelsvr")) << messages[0].toStdString();

    QFile server(folder.Path("tarvelsvr"));
    ASSERT_TRUE(server.open(QIODevice::WriteOnly));
    server.close();
    server.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    messages.clear();
    setup = folder.Setup(1, messages);
    setup.startProgram = [&started](const QString& program) {
        started.push_back(program);
        return true;
    };
    window = std::make_unique<MainWindow>(std::move(setup));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], folder.Path("tarvelsvr"));
    EXPECT_TRUE(messages.empty());
}

// The sound file a history entry is heard as; a phrase with several recordings chosen
// at random has '#' for the number of its recording.
std::string HeardAs(const SpokenEntry& entry) {
    const std::string suffix = entry.variant >= 11  ? std::to_string(entry.variant % 10)
                               : entry.variant == 1 ? std::string()
                                                    : std::string("#");
    return SoundFileName(entry.voice, entry.text, suffix) + (entry.waited ? "\twait" : "\tstart");
}

TEST_F(MatchTest, TheHistoryHoldsExactlyWhatWasHeardThroughAWholeMatch) {
    PlayByKeys(*this);
    ASSERT_FALSE(State().running);
    const Lines heard = sounds.All();
    const auto& entries = window->History().Entries();
    ASSERT_EQ(entries.size(), heard.size());
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const std::string expected = HeardAs(entries[i]);
        std::string actual = heard[i];
        if (expected.find('#') != std::string::npos) {
            const std::size_t end = actual.find(".wav");
            std::size_t start = end;
            while (start > 0 && std::isdigit(static_cast<unsigned char>(actual[start - 1]))) --start;
            actual.replace(start, end - start, "#");
        }
        ASSERT_EQ(actual, expected) << "phrase " << i;
    }
}

TEST_F(MatchTest, RepeatingAndReviewingSpeakAgainAndChangeNothing) {
    Deal({"9 piková", "8 srdcová"}, {"10 piková", "dáma kárová", "eso srdcové"}, {"9 srdcová"});
    Key(Qt::Key_Return);  // the nine of spades; the computer lays the ten of spades
    sounds.Fresh();
    const GameState before = State();

    Key(Qt::Key_R, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(sounds.Fresh(), (Lines{"zvuky/z10 pikova1.wav\tstart"}), 2000);
    // Back: first the computer's move, then the player's own throw before it.
    Key(Qt::Key_PageUp);
    QTRY_COMPARE_WITH_TIMEOUT(sounds.Fresh(), (Lines{"zvuky/z10 pikova1.wav\tstart"}), 2000);
    Key(Qt::Key_PageUp);
    Lines heard;
    QTRY_VERIFY_WITH_TIMEOUT(!(heard = sounds.Fresh()).empty(), 2000);
    QTest::qWait(100);
    for (const auto& line : sounds.Fresh()) heard.push_back(line);
    ASSERT_FALSE(heard.empty());
    EXPECT_TRUE(heard[0].starts_with("zvuky/vyhozeni")) << heard[0];
    Key(Qt::Key_PageDown);
    QTRY_COMPARE_WITH_TIMEOUT(sounds.Fresh(), (Lines{"zvuky/z10 pikova1.wav\tstart"}), 2000);
    Key(Qt::Key_PageDown);  // past the newest
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/okraj.wav\tstart"}));

    EXPECT_EQ(State().playerHand, before.playerHand);
    EXPECT_TRUE(State().game == before.game);
    EXPECT_EQ(State().selected, before.selected);
    EXPECT_EQ(State().PlayerTurn(), before.PlayerTurn());
}

TEST_F(MatchTest, TheHistoryWindowListsTheAnnouncementsNewestLast) {
    Deal({"9 piková", "8 srdcová"}, {"10 piková", "dáma kárová", "eso srdcové"}, {"9 srdcová"});
    Key(Qt::Key_Return);
    QStringList lines;
    WhenModal("HistoryWindow", [&lines](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>("historylist");
        for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text());
        EXPECT_EQ(list->currentRow(), list->count() - 1);
        QTest::keyClick(list, Qt::Key_Escape);
    });
    Key(Qt::Key_G, Qt::ControlModifier);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.front(), "Soupeř: 10 křížová, Začínáš");
    EXPECT_EQ(lines.back(), "Soupeř: vyhození, 10 piková, vyhození");
}


std::string FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST_F(WindowTest, TheGameSettingsChangeTheVoicesAndAreWrittenWhole) {
    Open();
    WhenModal("gameSettingsDialog", [](QWidget* dialog) {
        auto* woman = dialog->findChild<QGroupBox*>("genderGroup")->findChildren<QRadioButton*>().at(1);
        woman->click();
        dialog->findChild<QCheckBox*>("sayDrawnCardsBox")->click();  // say drawn cards: off
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(State().playerVoice, "z");
    EXPECT_EQ(State().opponentVoice, "m");
    EXPECT_FALSE(Item("sayDrawnCards")->isChecked());
    EXPECT_EQ(FileText(folder.Path("tarvel.ini")),
              "[game]\r\npickupforseven=2\r\nkingofspades=0\r\nreturntogame=0\r\nsaypickedcards=0\r\n"
              "usetable=0\r\nmovemouse=0\r\nplayforpoints=0\r\nnumberofgames=3\r\ncompulsory=1\r\n"
              "shufflecards=0\r\ndealtcards=5\r\nplayergender=z\r\ngamesounds=1\r\nsaycardsundermouse=0\r\n");
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Table().hasFocus(); }, 2000))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing")
        << " has the focus";
}

TEST_F(WindowTest, AnUnwritableSettingsFileIsToldAndTheGameGoesOn) {
    folder.WriteSettings("[game]\ndealtcards=5\n");
    QFile::setPermissions(folder.Path("tarvel.ini"), QFile::ReadOwner);
    Open();
    WhenModal("gameSettingsDialog", [](QWidget* dialog) { dialog->findChild<QPushButton*>("okButton")->click(); });
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].toStdString(), "Unable to write to " + folder.Path("tarvel.ini").toStdString());
    EXPECT_EQ(FileText(folder.Path("tarvel.ini")), "[game]\ndealtcards=5\n");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(State().running);
}

TEST_F(WindowTest, TheEnvironmentSwitchesSoundsWithoutSayingSoAndTellsOfTheLanguageOnce) {
    Open();
    WhenModal("environmentDialog", [](QWidget* dialog) {
        dialog->findChild<QCheckBox*>("soundsBox")->click();  // sounds off
        dialog->findChild<QGroupBox*>("languageGroup")->findChildren<QRadioButton*>().at(1)->click();  // English
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    Key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(Item("sounds")->isChecked());
    EXPECT_TRUE(window->MessageLine().isVisible());
    EXPECT_TRUE(sounds.Fresh().empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Your changes will be applied after you restart the game.");
    EXPECT_NE(FileText(folder.Path("tarvel.ini")).find("[environment]\r\nlanguage=2000\r\n"), std::string::npos);

    // Again without a change of language: no message.
    WhenModal("environmentDialog", [](QWidget* dialog) { dialog->findChild<QPushButton*>("okButton")->click(); });
    Key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(WindowTest, WithTheSpeechOffTheMessageLineShowsWhatIsSaid) {
    folder.WriteSettings("[environment]\nspeech=2\n");
    Open(1);
    EXPECT_TRUE(window->MessageLine().isVisible());
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(sounds.Fresh().empty());
    EXPECT_EQ(window->MessageLine().text(), "Soupeř: 10 křížová, Začínáš");
    EXPECT_TRUE(window->MessageLine().isVisible());
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(sounds.Fresh().empty());
    EXPECT_EQ(window->MessageLine().text(), "Soupeř: 10 křížová, Začínáš");
}

TEST_F(WindowTest, ThroughTheSpeechServiceWordsAreSpokenAndEffectsStillSound) {
    folder.WriteSettings("[environment]\nspeech=1\n");
    FakeSpeechService* service = nullptr;
    ClientSetup setup = folder.Setup(1, messages);
    setup.makeSpeechService = [&service] {
        auto made = std::make_unique<FakeSpeechService>();
        made->speakingPolls = 2;  // every text is heard for a moment
        service = made.get();
        return made;
    };
    window = std::make_unique<MainWindow>(std::move(setup));
    window->resize(800, 560);
    window->show();
    ASSERT_NE(service, nullptr);
    EXPECT_TRUE(messages.empty());
    window->Menu().newGame->trigger();
    EXPECT_EQ(service->calls, (Lines{"say:10 křížová", "say:Začínáš"}));
    EXPECT_GE(service->polls, 4);  // each waited for to its end
    EXPECT_TRUE(sounds.Fresh().empty());
    // A card laid: the throw is a recording, the computer's card the service's.
    service->calls.clear();
    GameState& state = State();
    for (std::size_t i = 1; i <= state.playerHand.size() && service->calls.empty(); ++i) {
        QTest::keyClick(&window->Table(), Qt::Key_Home);
        for (std::size_t step = 1; step < i; ++step) QTest::keyClick(&window->Table(), Qt::Key_Right);
        service->calls.clear();
        QTest::keyClick(&window->Table(), Qt::Key_Return);
        if (state.game.pileSize == 1) service->calls.clear();
    }
    const Lines heard = sounds.Fresh();
    ASSERT_FALSE(heard.empty());
    EXPECT_TRUE(heard[0].starts_with("zvuky/vyhozeni")) << heard[0];
}

TEST_F(WindowTest, WithoutAServiceTheGameSaysSoOnceAndSpeaksWithItsRecordings) {
    folder.WriteSettings("[environment]\nspeech=1\n");
    ClientSetup setup = folder.Setup(1, messages);
    setup.makeSpeechService = [] {
        auto made = std::make_unique<FakeSpeechService>();
        made->available = false;
        return made;
    };
    window = std::make_unique<MainWindow>(std::move(setup));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Hlasová služba není k dispozici, hra mluví nahrávkami.");
    window->Menu().newGame->trigger();
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/z10 krizova1.wav\twait", "zvuky/zZacinas.wav\twait"}));
}

TEST_F(WindowTest, TheAboutBoxNamesTheVersion) {
    Open();
    QString version;
    WhenModal("TAboutBox", [&version](QWidget* box) {
        version = box->findChild<QLabel*>("Version")->text();
        box->findChild<QPushButton*>("OKButton")->click();
    });
    window->Menu().about->trigger();
    EXPECT_EQ(version, QString("verze ") + ProgramVersion().data());
}

class TableOfResultsTest : public MatchTest {
  public:
    TableOfResultsTest() { settings = "[game]\nplayforpoints=1\nusetable=1\nnumberofgames=5\n"; }
    QByteArray TableBytes() {
        QFile file(folder.Path("tarvel.tab"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(TableOfResultsTest, AWonGameOffersTheTableAndWritingANameEndsTheMatch) {
    Deal({"9 srdcová"}, {"dáma piková", "kluk kárový"}, {"10 srdcová"});
    bool shown = false;
    QString lines;
    WhenModal("Tform6", [&](QWidget* table) {
        shown = true;
        lines = table->findChild<QPlainTextEdit*>("tabulkamemo")->toPlainText();
        EXPECT_TRUE(table->findChild<QPushButton*>("writetabbutton")->isVisible());
        EXPECT_TRUE(table->findChild<QPushButton*>("continuegamebutton")->isVisible());
        EXPECT_FALSE(table->findChild<QPushButton*>("closebitbtn")->isVisible());
        WhenModal("nameDialog", [](QWidget* name) {
            // Typed as a keyboard with Czech letters gives them.
            auto* field = name->findChild<QLineEdit*>("jmenoedit");
            for (const QChar letter : QStringLiteral("Hráč")) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
                QCoreApplication::sendEvent(field, &press);
            }
            name->findChild<QPushButton*>("okbutton")->click();
        });
        table->findChild<QPushButton*>("writetabbutton")->click();
        // Written: only close is left, and the table shows the new result.
        EXPECT_FALSE(table->findChild<QPushButton*>("writetabbutton")->isVisible());
        EXPECT_TRUE(table->findChild<QPushButton*>("closebitbtn")->isVisible());
        EXPECT_TRUE(table->findChild<QPlainTextEdit*>("tabulkamemo")->toPlainText().contains("Hráč"));
        table->findChild<QPushButton*>("closebitbtn")->click();
    });
    Key(Qt::Key_Return);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(lines.contains("21 bodů stačí na 1. místo v tabulce.")) << lines.toStdString();
    const QByteArray bytes = TableBytes();
    ASSERT_EQ(bytes.size(), 320);
    // "Hráč" in Windows-1250, each byte less 7.
    EXPECT_EQ(bytes.left(4), QByteArray::fromHex("416bdae1"));
    EXPECT_FALSE(State().running);  // writing ended the match
    const Lines heard = sounds.Fresh();
    EXPECT_NE(std::find(heard.begin(), heard.end(), "zvuky/champion.wav\twait"), heard.end());
    EXPECT_EQ(heard.back(), "zvuky/zkonec hry.wav\twait");
}

TEST_F(TableOfResultsTest, ADamagedFileIsReportedAndLeftAsItWas) {
    {
        QFile file(folder.Path("tarvel.tab"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("seventeen bytes!!");
    }
    Key(Qt::Key_T, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("tarvel.tab")) << messages[0].toStdString();
    EXPECT_EQ(TableBytes(), QByteArray("seventeen bytes!!"));
    // The game goes on.
    EXPECT_TRUE(State().running);
}

TEST_F(TableOfResultsTest, TheTableScoreIsSpokenOnRequest) {
    State().playerPenalty = 4;
    State().opponentPenalty = 26;
    Key(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(sounds.Fresh(), (Lines{"zvuky/m20.wav\twait", "zvuky/mdva.wav\twait", "zvuky/mbodu.wav\twait"}));
}

// The score for the table goes the way every Say command goes: into the history, and
// heard as the game is heard (here not at all: the message line shows it).
TEST_F(TableOfResultsTest, TheTableScoreGoesIntoTheHistoryAndTheChosenWayOfHearing) {
    State().playerPenalty = 4;
    State().opponentPenalty = 26;
    Key(Qt::Key_F7, Qt::ShiftModifier);
    const auto& entries = window->History().Entries();
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[entries.size() - 3].text, "20");
    EXPECT_EQ(entries.back().text, "bodů");

    folder.WriteSettings(settings + "[environment]\nspeech=2\n");
    Open(1);
    Key(Qt::Key_N, Qt::ControlModifier);
    State().playerPenalty = 4;
    State().opponentPenalty = 26;
    sounds.Fresh();
    Key(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_TRUE(sounds.Fresh().empty());
    EXPECT_TRUE(window->MessageLine().text().endsWith("20, dva, bodů")) << window->MessageLine().text().toStdString();
}

// Bytes of the right length that no game wrote are not shown as a table.
TEST_F(TableOfResultsTest, ATableOfTheRightLengthThatCannotBeOneIsReportedAndLeftAsItWas) {
    QByteArray bytes(320, '\0');
    bytes[32 + 20] = 0x10;  // place 2 scores 16, above place 1's 0
    {
        QFile file(folder.Path("tarvel.tab"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    Key(Qt::Key_T, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("je poškozená"))) << messages[0].toStdString();
    EXPECT_EQ(TableBytes(), bytes);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A letter with Alt reaches exactly one menu of the bar, and within a menu exactly one item.
TEST_F(WindowTest, EveryMenuAndEveryItemOfAMenuHasALetterOfItsOwn) {
    for (const char* language : {"1000", "2000"}) {
        SCOPED_TRACE(language);
        folder.WriteSettings(std::string("[environment]\nlanguage=") + language + "\n");
        Open();
        std::function<void(const QList<QAction*>&, const QString&)> check = [&](const QList<QAction*>& actions,
                                                                                const QString& where) {
            std::map<QKeySequence, QString> letters;
            for (QAction* action : actions) {
                if (action->isSeparator()) continue;
                const QKeySequence letter = QKeySequence::mnemonic(action->text());
                if (!letter.isEmpty()) {
                    const auto [first, added] = letters.emplace(letter, action->text());
                    EXPECT_TRUE(added) << where.toStdString() << ": " << action->text().toStdString() << " and "
                                       << first->second.toStdString();
                }
                if (action->menu() != nullptr) check(action->menu()->actions(), action->text());
            }
        };
        const QList<QAction*> bar = window->menuBar()->actions();
        for (QAction* menu : bar)
            EXPECT_FALSE(QKeySequence::mnemonic(menu->text()).isEmpty()) << menu->text().toStdString();
        check(bar, QStringLiteral("menu bar"));
    }
}

TEST_F(WindowTest, TheServerNameSavedIsShownAgainAndKeptByOk) {
    folder.WriteSettings("[net]\nipaddress=10.0.0.9\nport=7000\nservername=Hospoda U Karla\n");
    {
        QFile list(folder.Path("svrlist.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("Doma;192.168.0.5;1412\r\nHospoda U Karla;10.0.0.9;7000\r\n");
    }
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        Open();  // as after a restart
        QString shown;
        QString preselected;
        WhenModal("netSettingsDialog", [&](QWidget* dialog) {
            shown = dialog->findChild<QLineEdit*>("serverNameEdit")->text();
            WhenModal("serverListDialog", [&](QWidget* list) {
                const QListWidgetItem* current = list->findChild<QListWidget*>("serversList")->currentItem();
                preselected = current != nullptr ? current->text() : QString();
                list->findChild<QPushButton*>("cancelButton")->click();
            });
            dialog->findChild<QPushButton*>("serverListButton")->click();
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        window->Menu().networkSettings->trigger();
        EXPECT_EQ(shown, "Hospoda U Karla");
        EXPECT_EQ(preselected, "Hospoda U Karla");
        QFile file(folder.Path("tarvel.ini"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        EXPECT_TRUE(saved.contains("servername=Hospoda U Karla")) << saved.toStdString();
        EXPECT_TRUE(saved.contains("port=7000")) << saved.toStdString();
        EXPECT_TRUE(messages.empty());
    }
}

// Without a viewer on the machine F1 shows the help inside the game, in the player's
// language, and Escape gives the table its keys back.
TEST_F(WindowTest, HelpThatTheDesktopCannotOpenIsShownInsideTheGame) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_HELP_TEXT), folder.Path("tarvel.txt")));
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Czech");
        folder.WriteSettings(english ? "[environment]\nlanguage=2000\n" : "[environment]\nlanguage=1000\n");
        std::vector<QString> asked;
        ClientSetup setup = folder.Setup(1, messages);
        setup.openFile = [&asked](const QString& path) {
            asked.push_back(path);
            return false;
        };
        window = std::make_unique<MainWindow>(std::move(setup));
        window->resize(800, 560);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

        QString text;
        QString name;
        bool readOnly = false;
        bool focused = false;
        WhenModal("HelpWindow", [&](QWidget* help) {
            auto* view = help->findChild<QPlainTextEdit*>("helptext");
            text = view->toPlainText();
            name = view->accessibleName();
            readOnly = view->isReadOnly();
            focused = help->focusWidget() == view;
            QTest::keyClick(view, Qt::Key_Escape);
        });
        Key(Qt::Key_F1);
        EXPECT_EQ(asked.size(), 1u);
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(readOnly);
        EXPECT_TRUE(focused);
        if (english) {
            EXPECT_EQ(name, "Instructions");
            EXPECT_TRUE(text.startsWith("ENGLISH")) << text.left(40).toStdString();
            EXPECT_TRUE(text.contains("Network game"));
            EXPECT_FALSE(text.contains(QStringLiteral("ČESKY")));
        } else {
            EXPECT_EQ(name, QStringLiteral("Návod ke hře"));
            EXPECT_TRUE(text.contains(QStringLiteral("ČESKY")));
            EXPECT_TRUE(text.contains(QStringLiteral("Síťová hra")));
            EXPECT_FALSE(text.contains("ENGLISH"));
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->Table().hasFocus() && window->isActiveWindow(); }, 2000));
        Key(Qt::Key_N, Qt::ControlModifier);
        EXPECT_TRUE(State().running);
        window.reset();
    }
}

}  // namespace
}  // namespace tarvel::testing
