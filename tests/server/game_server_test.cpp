// Behaviours of the game logic that the scripted matches do not reach.
#include "server/core/game_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"

namespace tarvel::server::testing {
namespace {

using Messages = std::vector<std::string>;

class GameServerTest : public ::testing::Test {
  protected:
    void Connect(ConnectionId id) { server.ClientConnected(id, "10.0.0." + std::to_string(id), 5000); }
    void Read(ConnectionId id, const Messages& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
        server.ClientRead(id, bytes);
    }
    void SettingsOf(ConnectionId id, int player, const std::string& name, const std::string& dealt) {
        const std::string n = std::to_string(player);
        Messages m;
        for (auto setting : protocol::kRuleSettingNames) m.push_back("info " + std::string(setting) + n + "=1");
        m.push_back("info pocetrozdavanych" + n + "=" + dealt);
        m.push_back("info uzivatel" + n + "=" + name);
        m.push_back("infosettings" + n + " done");
        Read(id, m);
    }
    // Two players agreed and dealt.
    void StartPlaying(const std::string& dealt = "4") {
        Connect(1);
        Connect(2);
        SettingsOf(1, 0, "Jana", dealt);
        SettingsOf(2, 1, "Petr", dealt);
        Read(1, {"req startcard0"});
        Read(2, {"req startcard1"});
        ASSERT_EQ(server.Step(), SetupStep::Playing);
        links.Take(1);
        links.Take(2);
        log.lines.clear();
    }
    bool Logged(const std::string& line) const {
        return std::find(log.lines.begin(), log.lines.end(), line) != log.lines.end();
    }

    FakeLinks links;
    RecordingLog log;
    ZeroRandom random;
    FakeTimer timer;
    GameServer server{links, log, random, timer};
};

TEST_F(GameServerTest, TheSecondEndOfOneGameStartsTheNextSetUpAndAThirdOnlyLogs) {
    StartPlaying();
    Read(2, {"end of one game1"});
    EXPECT_EQ(links.Take(1), Messages{});
    EXPECT_EQ(server.NextGameCounter(), 1);
    Read(1, {"end of one game0"});
    EXPECT_TRUE(Logged("Začíná nová hra"));
    EXPECT_EQ(links.Take(1), (Messages{"yournumber=0", "req settings"}));
    log.lines.clear();
    Read(2, {"end of one game1"});  // before the set-up has found the settings equal
    EXPECT_EQ(log.lines, Messages{"hráč 1 zaslal požadavek na další hru"});
    EXPECT_EQ(server.Step(), SetupStep::AwaitingSettings0);
    SettingsOf(1, 0, "Jana", "4");
    SettingsOf(2, 1, "Petr", "4");
    EXPECT_EQ(server.NextGameCounter(), 0);
    EXPECT_EQ(server.Step(), SetupStep::AwaitingReady);
}

TEST_F(GameServerTest, ASendToAPlayerWhoIsNotThereGoesNowhere) {
    Connect(1);
    Read(1, {"sendcard0=eso pikové", "req card0=2", "terminategame0"});
    EXPECT_EQ(links.Take(1), (Messages{"nocardforpickup", "pickup done"}));
    EXPECT_TRUE(Logged("hráči 1 zaslána karta eso pikové"));
    EXPECT_EQ(links.written.size(), 1u);  // nothing for a connection that does not exist
}

TEST_F(GameServerTest, TextWithoutATerminatorPastTheLimitClosesTheConnection) {
    StartPlaying();
    server.ClientRead(1, "iwanttosay0=ahoj\\" + std::string(protocol::kMaxPendingBytes + 1, 'x'));
    EXPECT_EQ(links.Take(2), Messages{"sayit=ahoj"});
    EXPECT_EQ(links.closed, std::set<ConnectionId>{1});
    EXPECT_TRUE(
        Logged("Klient z adresy 10.0.0.1 přes port 5000 poslal příliš dlouhou zprávu bez ukončení, "
               "spojení uzavřeno"));
    Read(1, {"sendcard0=eso pikové"});  // what comes after is not handled
    EXPECT_EQ(links.Take(2), Messages{});
    server.ClientDisconnected(1);
    EXPECT_EQ(links.Take(2), Messages{"forcedendofgame"});
    EXPECT_EQ(server.Step(), SetupStep::Idle);
}

TEST_F(GameServerTest, ADealtCountAboveFifteenDealsFifteen) {
    StartPlaying("20");
    // 15 + 15 dealt and the start card: one card left to draw.
    Read(1, {"req card0=3"});
    EXPECT_EQ(links.Take(1), (Messages{"yourcard=7 srdcová", "nocardforpickup", "pickup done"}));
}

TEST_F(GameServerTest, ACountThatIsNotANumberDrawsNothing) {
    StartPlaying();
    Read(1, {"req card0=-2"});
    EXPECT_EQ(links.Take(1), Messages{"pickup done"});
    EXPECT_EQ(links.Take(2), (Messages{"opponentpickup", "pickup done"}));
    EXPECT_EQ(log.lines, (Messages{"hráč 0 žádá nečíselný počet karet, platí 0", "hráč 0 líže -2 karet"}));
}

TEST_F(GameServerTest, AThirdClientNeverTakesAPlayersPlace) {
    StartPlaying();
    Connect(3);
    EXPECT_EQ(links.Take(3), Messages{"busy"});
    EXPECT_EQ(links.closed, std::set<ConnectionId>{3});
    Read(3, {"sendcard1=eso pikové"});
    EXPECT_EQ(links.Take(1), Messages{});
    // Player 0 leaves before the turned-away client has gone: it does not become player 1.
    server.ClientDisconnected(1);
    EXPECT_EQ(server.PlayerCount(), 1u);
    EXPECT_EQ(links.Take(2), Messages{"forcedendofgame"});
    EXPECT_EQ(links.Take(3), Messages{});
}

// Once both said their match is over, a pair of newcomers arriving before the old
// connections have closed plays a match of its own; one end alone keeps the pair.
TEST_F(GameServerTest, NewcomersPairUpWhileTheEndedPairIsStillClosing) {
    StartPlaying();
    Read(1, {"end of game0"});
    Connect(3);
    EXPECT_EQ(links.Take(3), Messages{"busy"});  // player 1 is still in the match
    Read(2, {"end of game1"});
    Connect(4);
    Connect(5);
    EXPECT_EQ(links.Take(4), (Messages{"yournumber=0", "req settings"}));
    EXPECT_EQ(links.Take(5), Messages{"yournumber=1"});
    EXPECT_EQ(server.PlayerCount(), 2u);
    // The old pair's going is no loss to anyone.
    server.ClientDisconnected(1);
    server.ClientDisconnected(2);
    EXPECT_EQ(links.Take(4), Messages{});
    EXPECT_EQ(links.Take(5), Messages{});
    EXPECT_EQ(server.Step(), SetupStep::AwaitingSettings0);
}

// A lingering connection whose match is over, or one that shows a secret where no seat is
// held, is never anybody's opponent: a newcomer waits for a real one, or is told at once
// that the one it was paired with left, rather than waiting for settings that never come.
TEST_F(GameServerTest, NoNewcomerIsPairedWithAConnectionThatHasNoMatchToPlay) {
    StartPlaying();
    server.ClientDisconnected(2);
    EXPECT_EQ(links.Take(1), Messages{"forcedendofgame"});
    Read(1, {"end of game0"});  // and keeps its connection a moment
    Connect(3);
    EXPECT_EQ(server.PlayerCount(), 1u);
    EXPECT_EQ(links.Take(3), Messages{});
    EXPECT_EQ(links.Take(1), Messages{});

    Connect(4);  // paired with 3 at once, before its first word
    EXPECT_EQ(links.Take(3), (Messages{"yournumber=0", "req settings"}));
    Read(4, {"reconnect=0123456789abcdef0123456789abcdef;4"});
    EXPECT_EQ(links.Take(4), (Messages{"yournumber=1", "busy"}));
    EXPECT_TRUE(links.closed.contains(4));
    EXPECT_EQ(links.Take(3), Messages{"forcedendofgame"});
    EXPECT_EQ(server.Step(), SetupStep::Idle);
}

TEST_F(GameServerTest, ALonePlayerAskingForTheNextGameStartsNoSetUp) {
    StartPlaying();
    server.ClientDisconnected(2);
    log.lines.clear();
    Read(1, {"end of one game0", "end of one game0"});
    EXPECT_EQ(log.lines, Messages(2, "hráč 0 zaslal požadavek na další hru"));
    EXPECT_EQ(links.Take(1), Messages{"forcedendofgame"});
    EXPECT_EQ(server.Step(), SetupStep::Idle);
}

// The silent player may be either: the one asked first or the one asked second.
TEST_F(GameServerTest, APlayerSilentPastTheSettingsLimitIsDroppedAndANewPairCanPlay) {
    struct Case {
        int silent;
        Messages keptPlayerHears;
    };
    for (const Case& c : {Case{0, {"yournumber=1", "forcedendofgame"}},
                          Case{1, {"yournumber=0", "req settings", "forcedendofgame"}}}) {
        SCOPED_TRACE("silent player " + std::to_string(c.silent));
        FakeLinks caseLinks;
        RecordingLog caseLog;
        FakeTimer caseTimer;
        GameServer game(caseLinks, caseLog, random, caseTimer);
        game.SetSettingsTimeout(std::chrono::milliseconds(200));
        const ConnectionId silent = c.silent == 0 ? 1 : 2;
        const ConnectionId kept = c.silent == 0 ? 2 : 1;
        game.ClientConnected(1, "10.0.0.1", 5000);
        game.ClientConnected(2, "10.0.0.2", 5000);
        ASSERT_EQ(caseTimer.running, std::chrono::milliseconds(200));
        if (c.silent == 1) {
            std::string settings;
            for (const auto& m : SettingsMessages(0, "Jana", "z")) settings += protocol::EncodeForWire(m);
            game.ClientRead(1, settings);
            EXPECT_EQ(caseTimer.starts, 2);  // player 1 gets the whole limit of its own
        }
        caseLog.lines.clear();
        game.SettingsWaitExpired();
        const std::string n = std::to_string(c.silent);
        EXPECT_EQ(caseLog.lines,
                  (Messages{"Hráč " + n + " neodpověděl včas na požadavek na nastavení, spojení uzavřeno",
                            "Hráč " + n + " se odpojil během hry, soupeři zasláno ukončení hry"}));
        EXPECT_EQ(caseLinks.closed, std::set<ConnectionId>{silent});
        EXPECT_EQ(caseLinks.Take(kept), c.keptPlayerHears);
        EXPECT_EQ(game.Step(), SetupStep::Idle);
        EXPECT_EQ(caseTimer.running, std::nullopt);
        EXPECT_EQ(game.PlayerCount(), 1u);

        // Late settings from the dropped seat count for nothing; a newcomer pairs with the
        // one left before the dropped connection has even gone.
        std::string late;
        for (const auto& m : SettingsMessages(c.silent, "Eva", "z")) late += protocol::EncodeForWire(m);
        game.ClientRead(silent, late);
        game.ClientConnected(3, "10.0.0.3", 5000);
        EXPECT_EQ(caseLinks.Take(kept), (Messages{"yournumber=0", "req settings"}));
        EXPECT_EQ(caseLinks.Take(3), Messages{"yournumber=1"});
        caseLog.lines.clear();
        game.ClientDisconnected(silent);
        EXPECT_EQ(caseLog.lines, Messages{"Odpojen klient10.0.0." + std::to_string(silent)});
        EXPECT_EQ(caseLinks.Take(kept), Messages{});

        std::string pair;
        for (const auto& m : SettingsMessages(0, "Jana", "z")) pair += protocol::EncodeForWire(m);
        game.ClientRead(kept, pair);
        pair.clear();
        for (const auto& m : SettingsMessages(1, "Petr", "m")) pair += protocol::EncodeForWire(m);
        game.ClientRead(3, pair);
        EXPECT_EQ(game.Step(), SetupStep::AwaitingReady);
        EXPECT_EQ(caseTimer.running, std::nullopt);
        game.SettingsWaitExpired();  // a timer event that comes late changes nothing
        EXPECT_EQ(game.Step(), SetupStep::AwaitingReady);
        EXPECT_EQ(caseLinks.closed, std::set<ConnectionId>{silent});
    }
}

TEST_F(GameServerTest, TheSettingsLimitIsFifteenSecondsAndRunsOnlyWhileSettingsAreAwaited) {
    Connect(1);
    EXPECT_EQ(timer.running, std::nullopt);
    Connect(2);
    EXPECT_EQ(timer.running, std::chrono::seconds(15));
    SettingsOf(1, 0, "Jana", "4");
    SettingsOf(2, 1, "Petr", "4");
    EXPECT_EQ(timer.running, std::nullopt);
    Read(1, {"req startcard0"});
    Read(2, {"req startcard1", "end of one game1"});
    EXPECT_EQ(timer.running, std::nullopt);
    Read(1, {"end of one game0"});
    EXPECT_EQ(timer.running, std::chrono::seconds(15));
    Read(2, {"terminategame1"});
    EXPECT_EQ(timer.running, std::nullopt);
}

TEST_F(GameServerTest, AClientThatStopsReadingIsDroppedAndItsOpponentToldAtOnce) {
    StartPlaying();
    server.ClientNotReading(2);
    EXPECT_EQ(
        log.lines,
        (Messages{
            "Klient z adresy 10.0.0.2 přes port 5000 nepřijímá data, neodesláno přes 1 MiB, spojení uzavřeno",
            "Hráč 1 se odpojil během hry, soupeři zasláno ukončení hry"}));
    EXPECT_EQ(links.Take(1), Messages{"forcedendofgame"});
    EXPECT_EQ(links.closed, std::set<ConnectionId>{2});
    // Nothing more goes to it, and what it still sends is not handled.
    Read(1, {"iwanttosay0=haló"});
    Read(2, {"iwanttosay1=haló"});
    EXPECT_EQ(links.Take(2), Messages{});
    EXPECT_EQ(links.Take(1), Messages{});
    EXPECT_EQ(server.PlayerCount(), 1u);
}


TEST_F(GameServerTest, AChatIsCutAtItsLimitAndWhatItSaysIsNeverLogged) {
    StartPlaying();
    const std::string text = std::string(600, 'x') + "\x1b[2J";
    Read(1, {"iwanttosay0=" + text});
    EXPECT_EQ(links.Take(2), Messages{"sayit=" + std::string(protocol::kMostChatChars, 'x')});
    EXPECT_EQ(log.lines, Messages{"hráč 0 poslal zprávu (délka 604, zkrácena na 512)"});
    Read(2, {"iwanttosay1=ahoj"});
    EXPECT_EQ(links.Take(1), Messages{"sayit=ahoj"});
    EXPECT_TRUE(Logged("hráč 1 poslal zprávu (délka 4)"));
}

TEST_F(GameServerTest, AChatFloodIsDroppedAndTheFloodedPlayerPlaysOn) {
    auto now = ChatLimit::Clock::time_point{};
    server.SetClock([&] { return now; });
    StartPlaying();
    Messages flood(1000, "iwanttosay0=haló");
    Read(1, flood);
    // A burst gets through, the rest never reaches the opponent and is said once in the log.
    EXPECT_EQ(links.Take(2).size(), static_cast<std::size_t>(ChatLimit::kBurst));
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(),
                         "hráč 0 posílá zprávy příliš rychle, další se soupeři nepředávají"),
              1);
    now += std::chrono::seconds(2);
    Read(1, flood);
    EXPECT_EQ(links.Take(2), Messages(2, "sayit=haló"));
    // A long silence earns a burst again, never more.
    now += std::chrono::minutes(1);
    Read(1, flood);
    EXPECT_EQ(links.Take(2).size(), static_cast<std::size_t>(ChatLimit::kBurst));
    // The game goes on for both.
    Read(1, {"sendcard0=eso křížové"});
    EXPECT_EQ(links.Take(2), Messages{"deckcard=eso křížové"});
    EXPECT_TRUE(links.closed.empty());
}


// A client can have a line logged for each message it sends (here: speaking for its
// opponent). The log takes a burst of them, says once that it leaves lines out and how
// many once the client has slowed down; what the server decides itself is always logged.
TEST_F(GameServerTest, AFloodOfLoggedMessagesIsCutShortAndCounted) {
    auto now = ChatLimit::Clock::time_point{};
    server.SetClock([&] { return now; });
    StartPlaying();
    const std::string forOpponent = "hráč 0 poslal zprávu za hráče 1, zpráva nebyla zpracována";
    const auto flood = 3 * static_cast<std::size_t>(GameServer::kMessageLogBurst);
    Read(1, Messages(flood, "iwanttosay1=za soupeře"));
    const auto logged = static_cast<std::size_t>(std::count(log.lines.begin(), log.lines.end(), forOpponent));
    EXPECT_EQ(logged, static_cast<std::size_t>(GameServer::kMessageLogBurst));
    EXPECT_EQ(log.lines.back(), "příliš mnoho řádků záznamu o zprávách hráčů, další se na chvíli vynechávají");

    now += GameServer::kMessageLogRefill;
    Read(1, {"iwanttosay0=už mlčím"});
    EXPECT_EQ(links.Take(2), Messages{"sayit=už mlčím"});
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[log.lines.size() - 2], "řádků záznamu vynecháno: " + std::to_string(flood - logged));
    EXPECT_EQ(log.lines.back(), "hráč 0 poslal zprávu (délka 8)");
    server.ClientDisconnected(2);
    EXPECT_TRUE(Logged("Hráč 1 se odpojil během hry, soupeři zasláno ukončení hry"));
}

TEST_F(GameServerTest, APairWhoseRulesDifferIsToldWhyAndThenClosed) {
    std::vector<std::string> failed;
    server.SetSetupFailureHandler([&](const std::string& address) { failed.push_back(address); });
    Connect(1);
    Connect(2);
    SettingsOf(1, 0, "Jana", "4");
    SettingsOf(2, 1, "Petr", "5");
    EXPECT_EQ(links.Take(2).back().rfind("diffsettings=", 0), 0u);
    EXPECT_EQ(links.closed, (std::set<ConnectionId>{1, 2}));
    EXPECT_EQ(failed, (std::vector<std::string>{"10.0.0.2", "10.0.0.1"}));
    // While they close, a newcomer is never paired with either of them.
    Connect(3);
    EXPECT_EQ(server.PlayerCount(), 1u);
    EXPECT_EQ(links.Take(3), Messages{});
}

TEST_F(GameServerTest, TheMatchWaitsForASilentPlayerOnlyAsLongAsSet) {
    FakeTimer idle;
    server.SetIdleTimer(&idle);
    server.SetIdleWait(std::chrono::seconds(600));
    Connect(1);
    Connect(2);
    SettingsOf(1, 0, "Jana", "4");
    SettingsOf(2, 1, "Petr", "4");
    // Agreed: the deal waits for both, a minute at most.
    EXPECT_EQ(idle.running, std::chrono::milliseconds(GameServer::kReadyTimeout));
    Read(1, {"req startcard0"});
    Read(2, {"req startcard1"});
    ASSERT_EQ(server.Step(), SetupStep::Playing);
    EXPECT_EQ(server.AwaitedPlayer(), 0);
    EXPECT_EQ(idle.running, std::chrono::milliseconds(std::chrono::seconds(600)));
    const int starts = idle.starts;
    // The other's moves and the awaited player's chat do not restart the wait; his move does.
    Read(2, {"iwanttosay1=hraj"});
    Read(1, {"iwanttosay0=moment"});
    EXPECT_EQ(idle.starts, starts);
    Read(1, {"sendcard0=eso křížové"});
    EXPECT_EQ(server.AwaitedPlayer(), 1);
    EXPECT_EQ(idle.starts, starts + 1);
    links.Take(1);
    server.IdleWaitExpired();
    EXPECT_TRUE(links.closed.contains(2));
    EXPECT_EQ(links.Take(1), Messages{"forcedendofgame"});
    EXPECT_TRUE(Logged("Hráč 1 neodpověděl 600 s, počítá se jako ztracený"));
    EXPECT_EQ(server.Step(), SetupStep::Idle);
}

TEST_F(GameServerTest, APlayerWaitingAloneIsNeverHurried) {
    FakeTimer idle;
    server.SetIdleTimer(&idle);
    Connect(1);
    EXPECT_FALSE(idle.running);
    EXPECT_EQ(server.AwaitedPlayer(), -1);
}


TEST_F(GameServerTest, APairOfOneNameIsNeverPairedAgainButLeavesByItself) {
    Connect(1);
    Connect(2);
    SettingsOf(1, 0, "Jana", "4");
    SettingsOf(2, 1, "Jana", "4");
    EXPECT_EQ(links.Take(2).back(), "samename");
    // The clients end their programs on it: closing under them could only add a message.
    EXPECT_TRUE(links.closed.empty());
    Connect(3);
    EXPECT_EQ(server.PlayerCount(), 1u);
}

}  // namespace
}  // namespace tarvel::server::testing
