// A page and a desktop window at one table of the real server program: the real tarvelweb
// and the page in headless Chromium, played by keys from page_meets_window.mjs, against a
// window in this process played by key presses, its sound log what its player hears.
// tarvelweb reaches the server through a link this test can cut.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTest>
#include <string>

#include "tests/client/window_player.h"
#include "tests/net/cuttable_link.h"
#include "tests/net/server_program.h"

namespace tarvel::testing {
namespace {

constexpr char kTable[] = "Přátelé u Báry";
// The page's short match (SHORT_MATCH of page_harness.mjs) as the window's settings file
// says it: a network match needs the same rules on both sides.
constexpr char kShortMatch[] =
    "pickupforseven=2\nkingofspades=0\nreturntogame=0\nplayforpoints=1\nnumberofgames=1\ncompulsory=1\n"
    "shufflecards=0\ndealtcards=4\nusetable=0\n";

// The node program that plays the page: one command a line in, one answer a line out.
// While the test waits for an answer, the desktop's player makes his moves.
class PageDriver {
  public:
    PageDriver(quint16 gameServerPort, Player& desktop) : desktop_(desktop) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TARVEL_SOURCE", TARVEL_SOURCE_DIR);
        environment.insert("TARVEL_PAGE_BUNDLE", TARVEL_PAGE_BUNDLE_DIR);
        environment.insert("TARVEL_WEB", TARVELWEB_PATH);
        environment.insert("TARVEL_VOICE_LIST", TARVEL_VOICE_LIST_PATH);
        environment.insert("TARVEL_CARD_PICTURES", TARVEL_CARD_PICTURES_PATH);
        environment.insert("TARVEL_SCREENSHOT", TARVEL_SCREENSHOT_PATH);
        node_.setProcessEnvironment(environment);
        node_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        node_.start(TARVEL_NODE_PATH,
                    {TARVEL_SOURCE_DIR "/tests/web/page_meets_window.mjs", QString::number(gameServerPort)});
    }
    ~PageDriver() {
        node_.write("quit\n");
        if (!node_.waitForFinished(10000)) node_.kill();
        node_.waitForFinished(5000);
    }

    // Writes a command when given one, and waits for the next answer (longer than the
    // driver waits for anything, so that its own word on a failure comes first).
    std::string Ask(const std::string& command, int milliseconds = 45000) {
        if (!command.empty()) node_.write(QByteArray::fromStdString(command + "\n"));
        std::string line;
        (void)QTest::qWaitFor(
            [&] {
                if (desktopPlays) desktop_.Move();
                if (node_.canReadLine()) {
                    line = node_.readLine().trimmed().toStdString();
                    return true;
                }
                return node_.state() == QProcess::NotRunning;
            },
            milliseconds);
        if (line.empty()) {
            line = node_.state() == QProcess::NotRunning ? "the page's driver ended" : "no answer";
        }
        return line;
    }

    // Waits for `done` while the desktop's player plays.
    bool Until(const std::function<bool()>& done, int milliseconds = 15000) {
        return QTest::qWaitFor(
            [&] {
                if (desktopPlays) desktop_.Move();
                return done();
            },
            milliseconds);
    }

    bool desktopPlays = false;

  private:
    Player& desktop_;
    QProcess node_;
};

TEST(PageMeetsWindowTest, APageAndAWindowPlayAWholeMatchThroughCutsWithMessagesBothWays) {
    if (!QFile::exists(TARVEL_NODE_PATH) || !QFile::exists("/usr/bin/chromium")) {
        GTEST_SKIP() << "node or Chromium is missing here: the page cannot be played";
    }
    EnsureApplication();
    ServerProgram server("tables=4\n");
    ASSERT_TRUE(server.Listening()) << server.Output();
    CuttableLink webLink(server.port);
    Player desktop("ipaddress=127.0.0.1\nport=" + std::to_string(server.port) + "\ntable=" + kTable + "\n",
                   "m", "karel 1", {}, kShortMatch);
    PageDriver page(webLink.port, desktop);

    // The page waits at the named table; the desktop's player asks for it by Ctrl+I.
    ASSERT_EQ(page.Ask(std::string("ask ") + kTable, 90000), "waiting") << server.Output();
    desktop.window->activateWindow();  // the menu's shortcuts answer in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(desktop.window.get()));
    QTest::keyClick(&desktop.window->Table(), Qt::Key_I, Qt::ControlModifier);
    ASSERT_EQ(page.Ask(""), "dealt");
    ASSERT_TRUE(page.Until([&] { return desktop.Dealt(); })) << desktop.Describe();
    EXPECT_EQ(desktop.engine().State().opponentVoice, "z");
    EXPECT_GE(server.Logged(QByteArray(kTable)), 1) << "the server seats the named table";

    // Messages both ways: the window's shown and said on the page, the page's on the window.
    desktop.WriteMessage(QStringLiteral("Zdravím z okna"));
    EXPECT_EQ(page.Ask("expect-chat Zdravím z okna"), "chat-seen");
    ASSERT_EQ(page.Ask("chat Ahoj z prohlížeče"), "chat-sent");
    EXPECT_TRUE(page.Until([&] {
        return desktop.window->Table().accessibleName().contains(QStringLiteral("Ahoj z prohlížeče"));
    })) << desktop.window->Table().accessibleName().toStdString();

    // A turn each, then the page's WebSocket is lost (a reload): the page comes back
    // into the match, and the desktop's player hears nothing of it.
    page.desktopPlays = true;
    ASSERT_EQ(page.Ask("play 1"), "played") << desktop.Describe();
    ASSERT_EQ(page.Ask("reload"), "back");
    EXPECT_EQ(Heard(desktop.sounds.All(), "ztratil spojeni"), 0);

    // A turn more each, then tarvelweb's connection to the server is cut while the page is
    // to move: the tab's session comes back, the page says both, the desktop hears both.
    ASSERT_EQ(page.Ask("play 1"), "played") << desktop.Describe();
    ASSERT_FALSE(desktop.engine().State().PlayerTurn()) << desktop.Describe();
    webLink.Cut();
    EXPECT_EQ(page.Ask("expect-return"),
              "returned Spojení se serverem se přerušilo, zkouším se znovu připojit. Esc hru ukončí.|"
              "Spojení obnoveno, hra pokračuje.");
    EXPECT_TRUE(page.Until([&] { return Heard(desktop.sounds.All(), "je zpet") == 1; }))
        << "the desktop never heard the page's player come back; " << desktop.Describe();
    EXPECT_EQ(Heard(desktop.sounds.All(), "ztratil spojeni"), 1);

    // Played to the end: both count the same games and points.
    const std::string over = page.Ask("play-out", 120000);
    ASSERT_TRUE(over.starts_with("over ")) << over << "; " << desktop.Describe();
    ASSERT_TRUE(page.Until([&] { return !desktop.engine().Net().active; })) << desktop.Describe();
    const GameState& state = desktop.engine().State();
    const std::string seenByDesktop =
        "over " + std::to_string(state.opponentWins) + " " + std::to_string(state.playerWins) + " " +
        std::to_string(state.opponentPenalty) + " " + std::to_string(state.playerPenalty);
    EXPECT_EQ(over, seenByDesktop) << "the page's games and points, then the desktop's count of them";
    EXPECT_EQ(state.playerWins + state.opponentWins, 1);
    const Lines heard = desktop.sounds.All();
    EXPECT_GT(CardsHeardFromOpponent(heard, "z"), 0);
    EXPECT_EQ(Heard(heard, "jsi vitez") > 0, state.playerWins == 1)
        << "the desktop's player heard his verdict";
    EXPECT_EQ(heard.back(), "zvuky/zkonec hry.wav\twait");
    EXPECT_TRUE(desktop.messages.empty()) << desktop.messages.front().toStdString();
}

}  // namespace
}  // namespace tarvel::testing
