// Network play end to end: the real server program and two real windows in this
// process, joined over loopback and played by key presses; the sound logs are what the
// two players hear.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string_view>

#include "session/net/server_address.h"

#include "tests/client/window_player.h"
#include "tests/net/cuttable_link.h"
#include "tests/net/server_program.h"

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tarvel::testing {
namespace {

class NetworkPlayTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void Connect(Player& a, Player& b) {
        a.window->Menu().newNetworkGame->trigger();
        b.window->Menu().newNetworkGame->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return a.Dealt() && b.Dealt(); }, 15000));
    }

    // The match is over on both sides, without a message, with the same wins and points
    // seen from either side.
    static void ExpectOneEndOnBothSides(Player& a, Player& b, const std::string& trace = {}) {
        for (Player* p : {&a, &b}) {
            EXPECT_FALSE(p->engine().Net().active) << trace << "; " << p->Describe();
            EXPECT_FALSE(p->engine().State().running) << trace << "; " << p->Describe();
            EXPECT_TRUE(p->messages.empty()) << trace << "; " << p->messages.front().toStdString();
        }
        const GameState& x = a.engine().State();
        const GameState& y = b.engine().State();
        EXPECT_EQ(x.playerWins + x.opponentWins, 2) << trace;
        EXPECT_EQ(x.playerWins, y.opponentWins) << trace;
        EXPECT_EQ(x.playerPenalty, y.opponentPenalty) << trace;
        EXPECT_EQ(x.opponentPenalty, y.playerPenalty) << trace;
    }

    // Moves until the match is over on both sides or `moves` were made.
    static void Play(Player& a, Player& b, int moves) {
        for (int made = 0, idle = 0; made < moves && idle < 20;) {
            const bool moved = a.Move() || b.Move();
            if (moved) {
                ++made;
                idle = 0;
            } else {
                ++idle;  // neither can move: the match is stuck, and the test says so below
            }
            const bool over = !a.engine().Net().active && !b.engine().Net().active;
            if (over) return;
            // The other side takes its turn once the server has carried the move.
            (void)QTest::qWaitFor([&] {
                const GameState& x = a.engine().State();
                const GameState& y = b.engine().State();
                return (x.running && x.PlayerTurn()) || (y.running && y.PlayerTurn()) ||
                       (!a.engine().Net().active && !b.engine().Net().active);
            }, 5000);
            QTest::qWait(5);
        }
    }
};

TEST_F(NetworkPlayTest, TwoPlayersPlayAWholeMatchThroughTheServer) {
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Player eva(server.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    Connect(eva, petr);
    EXPECT_EQ(eva.engine().State().opponentVoice, "m");
    EXPECT_EQ(petr.engine().State().opponentVoice, "z");
    EXPECT_TRUE(eva.window->Menu().messageToOpponent->isEnabled());
    EXPECT_FALSE(eva.window->Menu().newNetworkGame->isEnabled());

    // A message between two moves: printed at the other table, the game as it was.
    const std::size_t petrCards = petr.engine().State().playerHand.size();
    const bool petrsTurn = petr.engine().State().PlayerTurn();
    eva.WriteMessage(QStringLiteral("Ahoj\\opp gives it up"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return petr.window->Table().accessibleName().contains(QStringLiteral("Ahoj/opp gives it up")); }, 5000))
        << petr.window->Table().accessibleName().toStdString();
    EXPECT_EQ(petr.engine().State().playerHand.size(), petrCards);
    EXPECT_EQ(petr.engine().State().PlayerTurn(), petrsTurn);
    EXPECT_TRUE(petr.engine().State().running);
    EXPECT_EQ(petr.engine().State().playerWins, 0);

    Play(eva, petr, 3000);
    ExpectOneEndOnBothSides(eva, petr);
    for (Player* p : {&eva, &petr}) {
        EXPECT_TRUE(p->window->Menu().newNetworkGame->isEnabled());
        EXPECT_FALSE(p->window->Menu().messageToOpponent->isEnabled());
    }
    // Each heard the other's cards in the other's voice, and every recording was there.
    const Lines evaHeard = eva.sounds.All();
    const Lines petrHeard = petr.sounds.All();
    EXPECT_GT(CardsHeardFromOpponent(evaHeard, "m"), 0);
    EXPECT_GT(CardsHeardFromOpponent(petrHeard, "z"), 0);
    EXPECT_EQ(evaHeard.back(), "zvuky/mkonec hry.wav\twait");
    EXPECT_EQ(petrHeard.back(), "zvuky/zkonec hry.wav\twait");
}

TEST_F(NetworkPlayTest, OnePlayerLeavingOrTheServerStoppingEndsTheMatchCleanly) {
    for (bool serverStops : {false, true}) {
        SCOPED_TRACE(serverStops ? "server stopped" : "window closed");
        ServerProgram server;
        ASSERT_TRUE(server.Listening());
        auto eva = std::make_unique<Player>(server.port, "z", "eva 1");
        Player petr(server.port, "m", "petr 2");
        Connect(*eva, petr);
        Play(*eva, petr, 4);
        if (serverStops) {
            server.Stop();
        } else {
            eva->window->close();  // tells the server, which tells the opponent
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !petr.engine().Net().active; }, 10000));
        EXPECT_FALSE(petr.engine().State().running);
        EXPECT_TRUE(petr.window->Menu().newNetworkGame->isEnabled());
        EXPECT_TRUE(petr.window->Menu().newGame->isEnabled());
        if (serverStops) {
            ASSERT_EQ(petr.messages.size(), 1u);
            EXPECT_EQ(petr.messages[0], "Spojení se serverem se přerušilo. Síťová hra skončila.");
        } else {
            EXPECT_TRUE(petr.messages.empty());
        }
        // A local game can start at once.
        petr.window->Menu().newGame->trigger();
        EXPECT_TRUE(petr.engine().State().running);
    }
}

TEST_F(NetworkPlayTest, APlayerWhoseConnectionDropsComesBackAndTheMatchGoesOn) {
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    CuttableLink link(server.port);
    Player eva(link.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    Connect(eva, petr);
    int cuts = 0;
    for (int i = 0; i < 3 && eva.engine().Net().active; ++i) {
        Play(eva, petr, 3);
        if (!eva.engine().State().running) break;
        link.Cut();
        ++cuts;
        ASSERT_TRUE(QTest::qWaitFor([&] { return Heard(eva.sounds.All(), "obnoveno") == cuts; }, 15000)) << cuts;
        EXPECT_TRUE(eva.engine().Net().active);
        EXPECT_TRUE(petr.engine().Net().active);
    }
    ASSERT_GT(cuts, 0);
    Play(eva, petr, 3000);
    ExpectOneEndOnBothSides(eva, petr);
    const Lines evaHeard = eva.sounds.All();
    const Lines petrHeard = petr.sounds.All();
    EXPECT_EQ(Heard(evaHeard, "preru"), cuts);  // "spojení se přerušilo"
    EXPECT_GE(Heard(petrHeard, "ztratil spojeni"), 1);
    EXPECT_EQ(Heard(petrHeard, "ztratil spojeni"), Heard(petrHeard, "je zpet"));
    EXPECT_EQ(evaHeard.back(), "zvuky/mkonec hry.wav\twait");
    EXPECT_EQ(petrHeard.back(), "zvuky/zkonec hry.wav\twait");
}

// Cuts at any moment, not only between moves: while a move, a draw, the end of a game or
// the last words of the match are on their way, on either side (one at a time: both lost
// at once ends the match). TARVEL_RETURN_CUTS sets how many (a few in the test command;
// many by hand); TARVEL_RETURN_SEED draws the moments of a failed run again (the clock's
// otherwise, printed on a failure).
TEST_F(NetworkPlayTest, CutsAtAnyMomentLeaveTheMatchWhole) {
    const int wanted = qEnvironmentVariableIsEmpty("TARVEL_RETURN_CUTS")
                           ? 4
                           : qEnvironmentVariableIntValue("TARVEL_RETURN_CUTS");
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    CuttableLink evaLink(server.port);
    CuttableLink petrLink(server.port);
    Player eva(evaLink.port, "z", "eva 1");
    Player petr(petrLink.port, "m", "petr 2");
    Connect(eva, petr);
    const unsigned seed = qEnvironmentVariableIsEmpty("TARVEL_RETURN_SEED")
                              ? static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch())
                              : qEnvironmentVariable("TARVEL_RETURN_SEED").toUInt();
    std::mt19937 random(seed);
    std::array<int, 2> cuts{};
    auto allBack = [&] {
        return Heard(eva.sounds.All(), "obnoveno") == cuts[0] && Heard(petr.sounds.All(), "obnoveno") == cuts[1];
    };
    QTimer cutter;
    cutter.setSingleShot(true);
    QObject::connect(&cutter, &QTimer::timeout, [&] {
        if (cuts[0] + cuts[1] >= wanted) return;
        if (allBack()) {
            const int side = std::uniform_int_distribution<int>(0, 1)(random);
            (side == 0 ? evaLink : petrLink).Cut();
            ++cuts[static_cast<std::size_t>(side)];
        }
        cutter.start(std::uniform_int_distribution<int>(20, 700)(random));
    });
    cutter.start(100);
    Play(eva, petr, 3000);
    const std::string trace = "seed " + std::to_string(seed) + ", cuts " + std::to_string(cuts[0]) + " and " +
                              std::to_string(cuts[1]);
    // A cut after the last move ends nothing: both wait for the match to end.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !eva.engine().Net().active && !petr.engine().Net().active; }, 30000))
        << trace << "; eva: " << eva.Describe() << "; petr: " << petr.Describe() << "\nserver:\n" << server.Output();
    ExpectOneEndOnBothSides(eva, petr, trace);
    // A cut after a player's match had ended is not his to hear.
    for (auto [player, cutsOfPlayer] : {std::pair{&eva, cuts[0]}, std::pair{&petr, cuts[1]}}) {
        const int heard = Heard(player->sounds.All(), "preru");
        EXPECT_LE(heard, cutsOfPlayer) << trace;
        EXPECT_GE(heard, cutsOfPlayer - 1) << trace;
    }
}

// The connection a match keeps for its last words never stands in the way of the next:
// once the server has seen the old pair go, which takes it a moment after the match's end,
// the two meet again. (Asked for within that moment, a newcomer can still be paired with
// the player of the old match who has not yet left, as the server always paired them.)
TEST_F(NetworkPlayTest, ANewMatchStartsRightAfterTheLastOneEnded) {
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Player eva(server.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    Connect(eva, petr);
    Play(eva, petr, 3000);
    ASSERT_FALSE(eva.engine().Net().active);
    ASSERT_FALSE(petr.engine().Net().active);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Logged("Odpojen klient") == 2; }, 15000));
    Connect(eva, petr);
    EXPECT_TRUE(eva.messages.empty()) << eva.messages.front().toStdString();
    EXPECT_TRUE(petr.messages.empty()) << petr.messages.front().toStdString();
    Play(eva, petr, 3000);
    ExpectOneEndOnBothSides(eva, petr);
}

TEST_F(NetworkPlayTest, WhenTheWaitRunsOutTheMatchEndsForTheOneWhoStayed) {
    ServerProgram server("reconnectwait=1\n");
    ASSERT_TRUE(server.Listening());
    CuttableLink link(server.port);
    Player eva(link.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    Connect(eva, petr);
    Play(eva, petr, 2);
    link.Close();  // eva's way to the server is gone for good
    ASSERT_TRUE(QTest::qWaitFor([&] { return !petr.engine().Net().active && !eva.engine().Net().active; }, 15000));
    EXPECT_FALSE(petr.engine().State().running);
    EXPECT_TRUE(petr.messages.empty());
    EXPECT_TRUE(petr.window->Menu().newNetworkGame->isEnabled());
    const Lines petrHeard = petr.sounds.All();
    EXPECT_EQ(Heard(petrHeard, "nevratil"), 1);
    EXPECT_EQ(petrHeard.back(), "zvuky/zkonec hry.wav\twait");
    // Eva's attempt is refused: she is told the match is over, as a lost connection always told her.
    ASSERT_EQ(eva.messages.size(), 1u);
    EXPECT_EQ(eva.messages[0], "Spojení se serverem se přerušilo. Síťová hra skončila.");
}

TEST_F(NetworkPlayTest, RefusalsOfTheServerReachThePlayer) {
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Player eva(server.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    Connect(eva, petr);
    // A third client is turned away and can start again later.
    Player third(server.port, "m", "karel 3");
    third.window->Menu().newNetworkGame->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !third.messages.empty(); }, 10000));
    EXPECT_EQ(third.messages[0], "Server je obsazen. Prosím, zkuste to za chvíli znovu.");
    EXPECT_TRUE(third.window->Menu().newNetworkGame->isEnabled());
}

TEST_F(NetworkPlayTest, NoServerIsToldAndTheGameStaysReady) {
    Player eva(FreePort(), "z", "eva 1");
    eva.window->Menu().newNetworkGame->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !eva.messages.empty(); }, 10000));
    EXPECT_TRUE(eva.messages[0].startsWith("Nepodařilo se navázat spojení se serverem.\n"));
    EXPECT_FALSE(eva.engine().Net().active);
    eva.window->Menu().newGame->trigger();
    EXPECT_TRUE(eva.engine().State().running);
}

// A player who only ticked "start the server" and left the address and the port empty
// plays on this machine: the game starts the real server, which listens on its own
// default port, and both games find it there.
TEST_F(NetworkPlayTest, TheServerTheGameStartsIsFoundWithNoAddressOrPortSet) {
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::Any, kDefaultServerPort)) GTEST_SKIP() << "port 1412 is taken here";
    }
    QProcess server;
    QByteArray serverOutput;
    auto startServer = [&](ClientSetup& setup, const GameFolder& folder) {
        QFile::copy(TARVELSVR_PATH, folder.Path("tarvelsvr"));  // beside the game, as in the game folder
        setup.startProgram = [&](const QString& program) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            server.setProcessEnvironment(environment);
            server.start(program, {});
            return server.waitForStarted(5000);
        };
    };
    Player eva("runserver=1\n", "z", "eva 1", startServer);
    Player petr("", "m", "petr 2");
    ASSERT_EQ(server.state(), QProcess::Running);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        serverOutput += server.readAllStandardOutput();
        return serverOutput.contains("Port serveru");
    }, 10000));
    EXPECT_TRUE(serverOutput.contains("1412")) << serverOutput.toStdString();
    Connect(eva, petr);
    EXPECT_TRUE(eva.messages.empty()) << eva.messages.front().toStdString();
    EXPECT_TRUE(petr.messages.empty()) << petr.messages.front().toStdString();
    eva.window->close();
    server.kill();
    server.waitForFinished(5000);
}

// Ctrl+I while a match against the computer runs ends that match as the end-match command
// does, said, and the network match then reaches its deal on both sides.
TEST_F(NetworkPlayTest, ANetworkGameAskedForDuringALocalMatchEndsItFirst) {
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Player eva(server.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    eva.window->activateWindow();  // the keys reach the menu's shortcuts of the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(eva.window.get()));
    QTest::keyClick(&eva.window->Table(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(eva.engine().State().running);
    ASSERT_FALSE(eva.engine().Net().active);
    eva.sounds.Fresh();

    QTest::keyClick(&eva.window->Table(), Qt::Key_I, Qt::ControlModifier);
    const Lines ended = eva.sounds.Fresh();
    ASSERT_FALSE(ended.empty());
    EXPECT_TRUE(ended.back().ends_with("konec hry.wav\twait")) << ended.back();
    EXPECT_FALSE(eva.engine().State().running);
    EXPECT_TRUE(eva.window->Session().ConnectionInUse());

    petr.window->Menu().newNetworkGame->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return eva.Dealt() && petr.Dealt(); }, 15000));
    EXPECT_EQ(eva.engine().State().playerWins + eva.engine().State().opponentWins, 0);
    EXPECT_EQ(eva.engine().State().playerHand.size(), petr.engine().State().opponentCount);
    Play(eva, petr, 6);
    EXPECT_TRUE(eva.messages.empty()) << eva.messages.front().toStdString();
    EXPECT_TRUE(petr.messages.empty()) << petr.messages.front().toStdString();
}

// A player in another program is left there: the opponent's card and message are heard
// and printed, and the game does not come to the front.
TEST_F(NetworkPlayTest, AnOpponentsCardAndMessageLeaveTheFocusWhereItWas) {
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Player eva(server.port, "z", "eva 1");
    Player petr(server.port, "m", "petr 2");
    Connect(eva, petr);

    QWidget elsewhere;
    elsewhere.setWindowTitle(QStringLiteral("another program"));
    elsewhere.resize(200, 100);
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));

    const bool evaMoves = eva.engine().State().PlayerTurn();
    Player& mover = evaMoves ? eva : petr;
    Player& other = evaMoves ? petr : eva;
    other.sounds.Fresh();
    ASSERT_TRUE(mover.Move());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !other.sounds.Fresh().empty(); }, 5000));
    mover.window->Session().SendMessage("Ahoj");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return other.window->Table().accessibleName().contains(QStringLiteral("Ahoj")); }, 5000));
    QTest::qWait(200);  // anything that would take the focus has had its turn
    EXPECT_EQ(QApplication::activeWindow(), &elsewhere);
    EXPECT_FALSE(other.window->isActiveWindow());
    EXPECT_FALSE(mover.window->isActiveWindow());
}

}  // namespace
}  // namespace tarvel::testing
