// A server of several tables over fake connections: who sits with whom, that nothing
// of one table reaches another, and when a newcomer finds no seat.
#include "server/core/table_hall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"

namespace tarvel::server::testing {
namespace {

using Messages = std::vector<std::string>;

class TableHallTest : public ::testing::Test {
  protected:
    void Connect(ConnectionId id) { hall.ClientConnected(id, "10.0.0." + std::to_string(id), 5000); }
    void Read(ConnectionId id, const Messages& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
        hall.ClientRead(id, bytes);
    }
    void Join(ConnectionId id, const std::string& table) {
        Connect(id);
        Read(id, {"join=" + table});
    }
    // The wait for a table's name runs out for every newcomer still holding.
    void WaitRunsOut() { timers.RunOutAll(); }
    // The pair at (first, second) agrees and is dealt its cards.
    void Play(ConnectionId first, ConnectionId second) {
        Read(first, SettingsMessages(0, "hráč" + std::to_string(first), "m"));
        Read(second, SettingsMessages(1, "hráč" + std::to_string(second), "z"));
        Read(first, {"req startcard0"});
        Read(second, {"req startcard1"});
        links.Take(first);
        links.Take(second);
    }
    int TableOf(ConnectionId id) {
        // The table whose log line says it seated this client.
        const std::string tail = ": Klient připojen z adresy 10.0.0." + std::to_string(id) + " přes port 5000";
        for (const auto& line : log.lines) {
            if (line.size() > tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0 &&
                line.rfind("stůl ", 0) == 0) {
                return std::stoi(line.substr(std::string("stůl ").size()));
            }
        }
        return 0;
    }
    bool Logged(const std::string& line) const {
        return std::find(log.lines.begin(), log.lines.end(), line) != log.lines.end();
    }

    FakeLinks links;
    RecordingLog log;
    ZeroRandom random;
    FakeTimerSource timers;
    TableHall hall{3, links, log, random, timers};
};

TEST_F(TableHallTest, ClientsThatNameNoTableArePairedInTheOrderTheyCame) {
    for (ConnectionId id = 1; id <= 4; ++id) Connect(id);
    EXPECT_EQ(links.Take(1), Messages{});  // nobody is seated before the wait has run out
    EXPECT_EQ(hall.WaitingForName(), 4u);
    WaitRunsOut();
    EXPECT_EQ(links.Take(1), (Messages{"yournumber=0", "req settings"}));
    EXPECT_EQ(links.Take(2), Messages{"yournumber=1"});
    EXPECT_EQ(links.Take(3), (Messages{"yournumber=0", "req settings"}));
    EXPECT_EQ(links.Take(4), Messages{"yournumber=1"});
    EXPECT_EQ(TableOf(1), 1);
    EXPECT_EQ(TableOf(2), 1);
    EXPECT_EQ(TableOf(3), 2);
    EXPECT_EQ(TableOf(4), 2);
    EXPECT_TRUE(Logged("stůl 1: Uživateli 0 odeslán požadavek na nastavení"));
    EXPECT_TRUE(Logged("stůl 2: Uživateli 10.0.0.4 přiděleno číslo 1"));
}

TEST_F(TableHallTest, FriendsMeetAtTheirTableWhoeverComesBetweenThem) {
    Join(1, "Přátelé");
    Connect(2);
    Connect(3);
    Join(4, "jiný");
    WaitRunsOut();
    Join(5, "Přátelé");
    EXPECT_EQ(links.Take(1), (Messages{"yournumber=0", "req settings"}));
    EXPECT_EQ(links.Take(5), Messages{"yournumber=1"});
    EXPECT_EQ(TableOf(1), TableOf(5));
    EXPECT_EQ(hall.TableName(TableOf(1) - 1), "Přátelé");
    // The two who named none sat together; the one naming another table waits alone.
    EXPECT_EQ(TableOf(2), TableOf(3));
    EXPECT_NE(TableOf(2), TableOf(1));
    EXPECT_EQ(links.Take(4), (Messages{}));
    EXPECT_TRUE(Logged("stůl 1: stůl pojmenován Přátelé"));
}

TEST_F(TableHallTest, WhatFollowsTheNameAndANameCutAcrossReadsAreKept) {
    Connect(1);
    hall.ClientRead(1, "\\jo");
    hall.ClientRead(1, "in=st\xF9l\\");  // Windows-1250 "stůl"
    Connect(2);
    // The name and a message behind it in one read: the message reaches the table.
    hall.ClientRead(2, protocol::EncodeForWire("join=stůl") + protocol::EncodeForWire("iwanttosay1=ahoj"));
    EXPECT_EQ(hall.TableName(0), "stůl");
    EXPECT_EQ(hall.TableGame(0)->PlayerCount(), 2u);
    EXPECT_EQ(links.Take(1), (Messages{"yournumber=0", "req settings", "sayit=ahoj"}));
}

TEST_F(TableHallTest, AnEmptyNameOrAnyOtherFirstMessageMeansAnyone) {
    Join(1, "");
    Connect(2);
    Read(2, {"info kolikbrat0=2"});
    EXPECT_EQ(hall.WaitingForName(), 0u);
    EXPECT_EQ(TableOf(1), 1);
    EXPECT_EQ(TableOf(2), 1);
    EXPECT_EQ(hall.TableName(0), "");
    // Nor is an empty name the name of the table that took it: the next pair gets its own.
    Join(3, "");
    Join(4, "");
    EXPECT_EQ(TableOf(3), 2);
    EXPECT_EQ(TableOf(4), 2);
}

// The secret in the messages a client was sent.
std::string KeyIn(const Messages& messages) {
    for (const auto& m : messages) {
        if (m.starts_with("reconnectkey=")) return m.substr(13, 32);
    }
    return {};
}

TEST_F(TableHallTest, APlayerWhoLostItsConnectionComesBackToItsOwnTableWithItsOwnSecretOnly) {
    std::map<ConnectionId, std::string> keys;
    for (ConnectionId id = 1; id <= 4; ++id) {
        Connect(id);
        Read(id, {"canreconnect"});  // a first message of its own: seated at once
    }
    for (ConnectionId first : {ConnectionId{1}, ConnectionId{3}}) {
        Read(first, SettingsMessages(0, "hráč" + std::to_string(first), "m"));
        Read(first + 1, SettingsMessages(1, "hráč" + std::to_string(first + 1), "z"));
        for (ConnectionId id : {first, first + 1}) {
            keys[id] = KeyIn(links.Take(id));
            ASSERT_EQ(keys[id].size(), 32u) << id;
            Read(id, {"reconnectready" + std::to_string(id - first)});
        }
        Read(first, {"req startcard0"});
        Read(first + 1, {"req startcard1"});
        links.Take(first);
        links.Take(first + 1);
    }
    hall.ClientDisconnected(3);  // player 0 of table 2
    EXPECT_EQ(links.Take(4), Messages{"opponentlost=60"});
    EXPECT_EQ(links.Take(1), Messages{});
    Read(4, {"iwanttosay1=jsi tam?"});  // kept for the one who is away

    // Another table's secret, and the secret of a seat whose player is there, take nothing.
    for (const std::string& key : {keys[1], keys[4], std::string("0123456789abcdef0123456789abcdef")}) {
        Connect(5);
        Read(5, {"reconnect=" + key + ";0"});
        EXPECT_EQ(links.Take(5), Messages{"busy"});
        EXPECT_TRUE(links.closed.contains(5));
        hall.ClientDisconnected(5);
        links.closed.clear();
    }
    Connect(6);
    Read(6, {"reconnect=" + keys[3] + ";0"});
    const Messages back = links.Take(6);
    ASSERT_GE(back.size(), 2u);
    EXPECT_EQ(back[0], "reconnected=1");  // "req startcard0" came after the confirmation
    EXPECT_NE(std::find(back.begin(), back.end(), "sayit=jsi tam?"), back.end());
    EXPECT_EQ(links.Take(4), Messages{"opponentback"});
    EXPECT_EQ(TableOf(6), 0);  // seated by its secret, not as a newcomer
    Read(4, {"iwanttosay1=ahoj"});
    EXPECT_EQ(links.Take(6), Messages{"sayit=ahoj"});
    EXPECT_TRUE(Logged("stůl 2: Hráč 0 se vrátil do hry z adresy 10.0.0.6"));

    // At table 1 the one who stayed ends his match and leaves: the seat stays held for the
    // other to hear the end, and the table is free once the wait has run out.
    hall.ClientDisconnected(1);
    Read(2, {"end of game1"});
    hall.ClientDisconnected(2);
    ASSERT_NE(hall.TableGame(0), nullptr);
    EXPECT_TRUE(hall.TableGame(0)->SeatHeld());
    timers.RunOutAll();
    EXPECT_EQ(hall.TableGame(0), nullptr);
    EXPECT_TRUE(Logged("stůl 1: stůl je volný"));
    EXPECT_NE(hall.TableGame(1), nullptr);

    // Both players of table 2 lose the network between them and the server at once: both
    // seats are held and both come back to play on. Lost again, the wait runs out and the
    // table is free.
    const std::string newKey = KeyIn(back);
    hall.ClientDisconnected(6);
    hall.ClientDisconnected(4);
    ASSERT_NE(hall.TableGame(1), nullptr);
    for (const auto& [id, key] : {std::pair{ConnectionId{7}, keys[4]}, std::pair{ConnectionId{8}, newKey}}) {
        Connect(id);
        Read(id, {"reconnect=" + key + ";0"});
        const Messages returned = links.Take(id);
        ASSERT_FALSE(returned.empty());
        EXPECT_TRUE(returned[0].starts_with("reconnected=")) << returned[0];
    }
    Read(7, {"iwanttosay1=zpátky"});
    EXPECT_EQ(links.Take(8), Messages{"sayit=zpátky"});
    hall.ClientDisconnected(7);
    hall.ClientDisconnected(8);
    ASSERT_NE(hall.TableGame(1), nullptr);
    timers.RunOutAll();
    EXPECT_EQ(hall.TableGame(1), nullptr);
}

TEST_F(TableHallTest, RelaysChatAndALostPlayerStayAtTheirTable) {
    for (ConnectionId id = 1; id <= 4; ++id) Connect(id);
    WaitRunsOut();
    Play(1, 2);
    Play(3, 4);
    Read(1, {"sendcard0=eso pikové", "iwanttosay0=jen pro stůl 1"});
    EXPECT_EQ(links.Take(2), (Messages{"deckcard=eso pikové", "sayit=jen pro stůl 1"}));
    EXPECT_EQ(links.Take(3), Messages{});
    EXPECT_EQ(links.Take(4), Messages{});
    // A draw comes from the table's own stock: the other table's stock keeps its cards.
    const std::size_t otherStock = hall.TableGame(1)->Match().Position().stockSize;
    Read(1, {"req card0=2"});
    EXPECT_EQ(hall.TableGame(1)->Match().Position().stockSize, otherStock);
    links.Take(1);
    links.Take(2);

    hall.ClientDisconnected(4);
    EXPECT_EQ(links.Take(3), Messages{"forcedendofgame"});
    EXPECT_EQ(links.Take(1), Messages{});
    EXPECT_EQ(links.Take(2), Messages{});
    EXPECT_EQ(hall.TableGame(0)->Step(), SetupStep::Playing);
    EXPECT_TRUE(Logged("stůl 2: Odpojen klient10.0.0.4"));
}

// The window redraws the tables TakeChangedTables names: a set-up and a player's going
// change a table's line, a move leaves it as it was.
TEST_F(TableHallTest, ATableIsRedrawnWhenItsLineChangesAndNotAtEachMove) {
    for (ConnectionId id = 1; id <= 4; ++id) Connect(id);
    WaitRunsOut();
    hall.TakeChangedTables();
    Play(1, 2);
    EXPECT_EQ(hall.TakeChangedTables(), std::vector<int>{0});
    Read(1, {"sendcard0=eso pikové", "iwanttosay0=ahoj"});
    EXPECT_EQ(hall.TakeChangedTables(), std::vector<int>{});
    hall.ClientDisconnected(4);
    EXPECT_EQ(hall.TakeChangedTables(), std::vector<int>{1});
}

TEST_F(TableHallTest, AFreedTableIsTakenAgain) {
    Join(1, "A");
    Join(2, "A");
    hall.ClientDisconnected(1);
    hall.ClientDisconnected(2);
    EXPECT_EQ(hall.TableGame(0), nullptr);
    EXPECT_TRUE(Logged("stůl 1: stůl je volný"));
    // The name went with the table: it seats newcomers again, by any name.
    Join(3, "B");
    Join(4, "B");
    EXPECT_EQ(hall.TableName(0), "B");
    EXPECT_EQ(links.Take(4), Messages{"yournumber=1"});
}

TEST_F(TableHallTest, AFreedTablesNameOpensAFreshTable) {
    // Freed as both leave before the deal, and as the wait for both to come back runs out.
    for (const bool dealt : {false, true}) {
        SCOPED_TRACE(dealt ? "freed by the return wait" : "freed as both left");
        const ConnectionId first = dealt ? 11 : 1, second = first + 1, newcomer = first + 2;
        Join(first, "A");
        Join(second, "A");
        if (dealt) {
            Read(first, {"canreconnect"});
            Read(second, {"canreconnect"});
            Read(first, SettingsMessages(0, "hráč", "m"));
            Read(second, SettingsMessages(1, "hráčka", "z"));
            Read(first, {"reconnectready0", "req startcard0"});
            Read(second, {"reconnectready1", "req startcard1"});
        }
        hall.ClientDisconnected(first);
        hall.ClientDisconnected(second);
        WaitRunsOut();
        ASSERT_EQ(hall.TableGame(0), nullptr);
        // Alone at a table of its own, not sent away from the one that was freed.
        Join(newcomer, "A");
        links.Take(first);
        links.Take(second);
        EXPECT_EQ(links.Take(newcomer), Messages{});
        EXPECT_EQ(hall.TableName(0), "A");
        hall.ClientDisconnected(newcomer);
    }
}

TEST_F(TableHallTest, TheLeftPlayerWaitsForANewOpponentAtItsTable) {
    Join(1, "A");
    Join(2, "A");
    Play(1, 2);
    hall.ClientDisconnected(1);
    EXPECT_EQ(links.Take(2), Messages{"forcedendofgame"});
    Join(3, "A");
    EXPECT_EQ(links.Take(2), (Messages{"yournumber=0", "req settings"}));
    EXPECT_EQ(links.Take(3), Messages{"yournumber=1"});
}

TEST_F(TableHallTest, ANewcomerFindsNoSeatWhenEveryTableIsTaken) {
    Join(1, "plný");
    Join(2, "plný");
    Join(3, "plný");  // that table has its pair
    EXPECT_EQ(links.Take(3), Messages{"busy"});
    EXPECT_TRUE(links.closed.count(3));
    EXPECT_TRUE(Logged("Klient z adresy 10.0.0.3 přes port 5000 odpojen, stůl plný je obsazen"));
    Join(4, std::string(33, 'x'));  // longer than a name may be
    EXPECT_EQ(links.Take(4), Messages{"busy"});
    EXPECT_TRUE(Logged("Klient z adresy 10.0.0.4 přes port 5000 odpojen, jméno stolu je delší než 32 znaků"));
    Join(5, "ččččččččččččččččččččččččččččččč");  // 32 characters, 64 bytes: fits
    EXPECT_EQ(links.Take(5), Messages{});  // alone at its table until its friend comes
    EXPECT_EQ(TableOf(5), 2);

    for (ConnectionId id = 6; id <= 8; ++id) Connect(id);
    WaitRunsOut();
    EXPECT_EQ(TableOf(6), 3);
    EXPECT_EQ(TableOf(7), 3);
    EXPECT_EQ(links.Take(8), Messages{"busy"});
    EXPECT_TRUE(Logged("Klient z adresy 10.0.0.8 přes port 5000 odpojen, příliš mnoho klientů"));
    // What a turned-away client says changes nothing; its going is logged.
    Read(8, {"join=plný"});
    hall.ClientDisconnected(8);
    EXPECT_TRUE(Logged("Odpojen klient10.0.0.8"));
    EXPECT_EQ(links.Take(8), Messages{});
}

TEST_F(TableHallTest, ANewcomerGoneBeforeItIsSeatedLeavesNoTrace) {
    Connect(1);
    hall.ClientDisconnected(1);
    WaitRunsOut();
    EXPECT_EQ(hall.WaitingForName(), 0u);
    EXPECT_EQ(hall.TableGame(0), nullptr);
    EXPECT_TRUE(Logged("Odpojen klient10.0.0.1"));
}

TEST(TableHallOneTable, EveryClientIsSeatedAtOnceAndTheThirdIsBusyWithTheLinesAsAlways) {
    FakeLinks links;
    RecordingLog log;
    ZeroRandom random;
    FakeTimerSource timers;
    TableHall hall{1, links, log, random, timers};
    hall.ClientConnected(1, "10.0.0.1", 5000);
    hall.ClientConnected(2, "10.0.0.2", 5000);
    hall.ClientConnected(3, "10.0.0.3", 5000);
    EXPECT_EQ(links.Take(1), (Messages{"yournumber=0", "req settings"}));
    EXPECT_EQ(links.Take(3), Messages{"busy"});
    EXPECT_EQ(log.lines.front(), "Klient připojen z adresy 10.0.0.1 přes port 5000");
    // A name is a message the one table does not know: ignored.
    hall.ClientRead(1, protocol::EncodeForWire("join=stůl"));
    EXPECT_EQ(links.Take(2), Messages{"yournumber=1"});
    EXPECT_EQ(timers.Running(), 1u);  // only the table's wait for settings
}

// Turned away because its address has more than its share at a server of tables, or because
// the one table of a one-table server is taken.
TEST_F(TableHallTest, AFloodOfConnectionsTurnedAwayFillsNoLogButEveryOneHearsBusy) {
    const struct {
        int tables;
        const char* why;
    } cases[] = {{3, "z adresy je připojeno příliš mnoho klientů"}, {1, "příliš mnoho klientů"}};
    for (const auto& [tables, why] : cases) {
        SCOPED_TRACE(tables);
        RecordingLog lines;
        TableHall flooded{tables, links, lines, random, timers};
        Admission::Clock::time_point now{};
        flooded.SetClock([&now] { return now; });
        ConnectionId id = 1;
        if (tables == 1) {
            // The pair at the one table.
            for (; id <= 2; ++id) flooded.ClientConnected(id, "10.0.0." + std::to_string(id), 5000);
        }
        std::size_t before = 0;
        int turnedAway = 0;
        const int flood = 10 * GameServer::kMessageLogBurst;
        while (turnedAway < flood) {
            flooded.ClientConnected(id, "10.0.1.1", 5000);
            if (links.Take(id) == Messages{"busy"}) {
                if (turnedAway++ == 0) before = lines.lines.size() - 2;
                flooded.ClientDisconnected(id);
            }
            ++id;
        }
        // Each of the first burst is written whole (coming, refusal, going), then one line
        // says that more are left out.
        EXPECT_EQ(lines.lines.size() - before, static_cast<std::size_t>(3 * GameServer::kMessageLogBurst + 1));
        EXPECT_EQ(lines.lines.back(), "příliš mnoho odmítnutých připojení, další se na chvíli nezapisují");
        // A while later the next one is written again, after the count of those left out.
        now += std::chrono::seconds(1);
        flooded.ClientConnected(id, "10.0.1.1", 5000);
        EXPECT_EQ(links.Take(id), Messages{"busy"});
        const std::vector<std::string> last(lines.lines.end() - 3, lines.lines.end());
        EXPECT_EQ(last[0], "odmítnutých připojení nezapsáno: " + std::to_string(flood - GameServer::kMessageLogBurst));
        EXPECT_EQ(last[1], "Klient připojen z adresy 10.0.1.1 přes port " + std::to_string(5000));
        EXPECT_EQ(last[2], "Klient z adresy 10.0.1.1 přes port 5000 odpojen, " + std::string(why));
    }
}

TEST_F(TableHallTest, ANewcomerSendingOnlyTerminatorsIsStillHeardWhenItNamesItsTable) {
    Connect(1);
    for (int i = 0; i < 4; ++i) hall.ClientRead(1, std::string(64 * 1024, '\\'));
    EXPECT_EQ(hall.WaitingForName(), 1u);
    Read(1, {"join=stůl"});
    Join(2, "stůl");
    EXPECT_NE(TableOf(1), 0);
    EXPECT_EQ(TableOf(1), TableOf(2));
    EXPECT_EQ(links.Take(2), Messages{"yournumber=1"});
}

}  // namespace
}  // namespace tarvel::server::testing
