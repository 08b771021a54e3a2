// The server with move checking on, over fake connections: every kind of move the
// rules refuse is kept from the other player and logged with its reason, a player's
// second one in a game breaks off his match, and a game played by the rules goes
// through exactly as it always did.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/card_names.h"
#include "server/core/game_server.h"
#include "tests/server/fakes.h"
#include "tests/server/match_scripts.h"
#include "tests/server/refused_moves.h"

namespace tarvel::server::testing {
namespace {

using Messages = std::vector<std::string>;

// The deal of refused_moves.h: player 0 holds the four aces, player 1 the four kings,
// the queen of clubs is turned up and player 0 begins.
class MoveCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        server.SetMoveChecking(true);
        server.ClientConnected(1, "10.0.0.1", 5000);
        server.ClientConnected(2, "10.0.0.2", 5000);
        Read(1, SettingsMessages(0, "Jana", "z"));
        Read(2, SettingsMessages(1, "Petr", "m"));
        StartGame();
    }
    void StartGame() {
        Read(1, {"req startcard0"});
        Read(2, {"req startcard1"});
        ASSERT_EQ(server.Step(), SetupStep::Playing);
        links.Take(1);
        links.Take(2);
        log.lines.clear();
    }
    void Read(ConnectionId id, const Messages& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
        server.ClientRead(id, bytes);
    }
    static ConnectionId Of(int player) { return static_cast<ConnectionId>(player + 1); }

    // Player 0 lays his aces one by one, player 1 standing on each; the last ace wins.
    void PlayTheFirstGameOut() {
        for (const char* ace : {"eso křížové", "eso pikové", "eso kárové"}) {
            Read(1, {std::string("sendcard0=") + ace});
            Read(2, {"standing1"});
        }
        Read(1, {"sendcard0=eso srdcové", "i have no cards0"});
        Read(2, {"acecannotreturn1", "points1=8"});
    }

    FakeLinks links;
    RecordingLog log;
    ZeroRandom random;
    FakeTimer timer;
    GameServer server{links, log, random, timer};
};

TEST_F(MoveCheck, EachMoveTheRulesRefuseIsLoggedWithItsReasonAndNotRelayed) {
    for (const RefusedMove& c : RefusedMoves()) {
        SCOPED_TRACE(c.move);
        FakeLinks caseLinks;
        RecordingLog caseLog;
        GameServer game(caseLinks, caseLog, random, timer);
        game.SetMoveChecking(true);
        auto read = [&](ConnectionId id, const Messages& messages) {
            std::string bytes;
            for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
            game.ClientRead(id, bytes);
        };
        game.ClientConnected(1, "10.0.0.1", 5000);
        game.ClientConnected(2, "10.0.0.2", 5000);
        read(1, SettingsMessages(0, "Jana", "z"));
        read(2, SettingsMessages(1, "Petr", "m"));
        read(1, {"req startcard0"});
        read(2, {"req startcard1"});
        read(1, c.player0First);
        caseLinks.Take(1);
        caseLinks.Take(2);
        caseLog.lines.clear();
        const rules::Position before = game.Match().Position();

        read(Of(c.player), {c.move});
        EXPECT_EQ(caseLog.lines, Messages{RefusalLine(c.player, c.reason, c.move)});
        EXPECT_EQ(caseLinks.Take(1), Messages{});
        EXPECT_EQ(caseLinks.Take(2), Messages{});
        EXPECT_TRUE(game.Match().Position() == before);
        EXPECT_TRUE(caseLinks.closed.empty());
        EXPECT_EQ(game.Step(), SetupStep::Playing);
    }
}

TEST_F(MoveCheck, AMoveAfterARefusedOneIsJudgedAndRelayedAsEver) {
    Read(1, {"sendcard0=eso srdcové", "sendcard0=eso křížové"});
    EXPECT_EQ(links.Take(2), Messages{"deckcard=eso křížové"});
    EXPECT_EQ(log.lines,
              (Messages{RefusalLine(0, "karta nejde hrát na kartu na hromádce", "sendcard0=eso srdcové"),
                        "hráči 1 zaslána karta eso křížové"}));
    Read(2, {"standing1"});
    EXPECT_EQ(links.Take(1), Messages{"i stand"});
    Read(1, {"req card0=1"});
    EXPECT_EQ(links.Take(1), (Messages{"yourcard=dáma piková", "pickup done"}));
    EXPECT_EQ(links.Take(2), (Messages{"opponentpickup", "opptakescard", "pickup done"}));
    EXPECT_TRUE(server.Match().Kept());
}

TEST_F(MoveCheck, TheSecondRefusedMoveInAGameBreaksOffTheSendersMatch) {
    Read(2, {"sendcard1=král křížový"});
    EXPECT_TRUE(links.closed.empty());
    log.lines.clear();
    // Both in one read: what follows the second refusal is not handled.
    Read(2, {"req card1=5", "iwanttosay1=haló"});
    EXPECT_EQ(log.lines, (Messages{RefusalLine(1, "není na tahu", "req card1=5"),
                                   "hráč 1 poslal ve hře druhý tah, který nelze zahrát, spojení uzavřeno",
                                   "Hráč 1 se odpojil během hry, soupeři zasláno ukončení hry"}));
    EXPECT_EQ(links.Take(1), Messages{"forcedendofgame"});
    EXPECT_EQ(links.Take(2), Messages{});
    EXPECT_EQ(links.closed, std::set<ConnectionId>{2});
    EXPECT_EQ(server.Step(), SetupStep::Idle);
    EXPECT_EQ(server.PlayerCount(), 1u);
}

TEST_F(MoveCheck, AGameByTheRulesEndsWithItsWinnerAndPointsAndEachGameCountsRefusalsAfresh) {
    PlayTheFirstGameOut();
    EXPECT_EQ(links.Take(1),
              (Messages{"i stand", "i stand", "i stand", "ace you cannot return me", "opp points=8"}));
    EXPECT_EQ(links.Take(2), (Messages{"deckcard=eso křížové", "deckcard=eso pikové", "deckcard=eso kárové",
                                       "deckcard=eso srdcové", "opp has no cards"}));
    EXPECT_EQ(
        std::count_if(log.lines.begin(), log.lines.end(),
                      [](const std::string& line) { return line.find("nelze zahrát") != std::string::npos; }),
        0);
    const TableMatch& match = server.Match();
    EXPECT_EQ(match.Wins(0), 1);
    EXPECT_EQ(match.Wins(1), 0);
    EXPECT_EQ(match.Points(1), 8);
    EXPECT_EQ(match.GameNumber(), 1);

    // The winner reports no points; the loser reports them once. The first refusal of each.
    Read(1, {"points0=0"});
    Read(2, {"points1=7"});
    EXPECT_EQ(log.lines.back(), RefusalLine(1, "tento tah teď nejde udělat", "points1=7"));
    EXPECT_EQ(match.Points(1), 8);
    EXPECT_EQ(links.Take(1), Messages{});
    EXPECT_EQ(links.Take(2), Messages{});
    EXPECT_TRUE(server.Step() == SetupStep::Playing && links.closed.empty());

    Read(1, {"end of one game0"});
    Read(2, {"end of one game1"});
    Read(1, SettingsMessages(0, "Jana", "z"));
    Read(2, SettingsMessages(1, "Petr", "m"));
    StartGame();
    EXPECT_EQ(match.GameNumber(), 2);
    EXPECT_EQ(match.Position().toMove, 1);  // the beginner alternates
    Read(1, {"sendcard0=eso křížové"});     // player 0's first refusal of this game, his second of the match
    Read(2, {"sendcard1=eso křížové"});     // the same for player 1
    EXPECT_TRUE(links.closed.empty());
    Read(2, {"sendcard1=král křížový"});
    EXPECT_EQ(links.Take(1), Messages{"deckcard=král křížový"});
}

// The score is the pair's: a player who stays for a new opponent starts a new match with
// him, and a return in it tells nothing of the pair before.
TEST_F(MoveCheck, ANewPairAtTheTableStartsWithNothingWonOrCounted) {
    PlayTheFirstGameOut();
    server.ClientDisconnected(2);
    server.ClientConnected(3, "10.0.0.3", 5000);
    const TableMatch& match = server.Match();
    EXPECT_EQ(match.GameNumber(), 0);
    for (const int seat : {0, 1}) {
        EXPECT_EQ(match.Wins(seat), 0) << seat;
        EXPECT_EQ(match.Points(seat), 0) << seat;
    }
}

// A decided game waits on the loser to finish it and then on the winner: a winner who
// falls silent there is timed out like any other.
TEST_F(MoveCheck, ADecidedGameAwaitsTheLoserAndThenTheWinner) {
    PlayTheFirstGameOut();
    EXPECT_EQ(server.AwaitedPlayer(), 1);
    Read(2, {"end of one game1"});
    EXPECT_EQ(server.AwaitedPlayer(), 0);
    Read(1, {"end of one game0"});
    EXPECT_EQ(server.AwaitedPlayer(), -1);
}

// A draw once the stock is spent turns the pile: the drawer is told the card the server
// put in his hand, the one the turned pile gave.
TEST_F(MoveCheck, ADrawThatTurnsThePileTellsTheDrawerTheCardHeGot) {
    Read(1, {"sendcard0=eso křížové"});
    Read(2, {"standing1"});
    const TableMatch& match = server.Match();
    for (int i = 0; i < 30 && match.Position().stockSize > 0; ++i) {
        const int mover = match.Position().toMove;
        Read(Of(mover), {"req card" + std::to_string(mover) + "=1"});
    }
    ASSERT_EQ(match.Position().stockSize, 0);
    const int mover = match.Position().toMove;
    const rules::CardSet before = match.Position().hands[static_cast<std::size_t>(mover)];
    links.Take(Of(mover));
    Read(Of(mover), {"req card" + std::to_string(mover) + "=1"});
    const rules::CardSet got = match.Position().hands[static_cast<std::size_t>(mover)] & ~before;
    ASSERT_EQ(rules::CountOf(got), 1);
    const Messages told = links.Take(Of(mover));
    const std::string card = "yourcard=" + rules::CardName(rules::LowestCard(got));
    EXPECT_TRUE(std::find(told.begin(), told.end(), card) != told.end())
        << card << " in " << ::testing::PrintToString(told);
}

TEST_F(MoveCheck, WithCheckingOffEveryMoveIsRelayedAsItCame) {
    server.SetMoveChecking(false);
    Read(2, {"sendcard1=7 srdcová", "req card1=2", "i have no cards1"});
    EXPECT_EQ(links.Take(1), (Messages{"deckcard=7 srdcová", "opponentpickup", "opptakescard", "opptakescard",
                                       "pickup done", "opp has no cards"}));
    EXPECT_FALSE(server.Match().Kept());
    EXPECT_TRUE(links.closed.empty());
}

TEST_F(MoveCheck, NoMoveIsTakenBeforeTheDeal) {
    FakeLinks caseLinks;
    RecordingLog caseLog;
    GameServer game(caseLinks, caseLog, random, timer);
    game.SetMoveChecking(true);
    game.ClientConnected(1, "10.0.0.1", 5000);
    std::string bytes = protocol::EncodeForWire("sendcard0=eso pikové");
    game.ClientRead(1, bytes);
    EXPECT_EQ(caseLog.lines.back(), RefusalLine(0, "žádná hra neběží", "sendcard0=eso pikové"));
    EXPECT_EQ(caseLinks.Take(1), Messages{});
}


TEST_F(MoveCheck, TheLosersPointsAreWhatHisHandComesToWhateverHeSays) {
    for (const char* said : {"points1=8", "points1=99999999999", "points1=0"}) {
        SCOPED_TRACE(said);
        FakeLinks caseLinks;
        RecordingLog caseLog;
        GameServer game(caseLinks, caseLog, random, timer);
        game.SetMoveChecking(true);
        auto read = [&](ConnectionId id, const Messages& messages) {
            std::string bytes;
            for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
            game.ClientRead(id, bytes);
        };
        game.ClientConnected(1, "10.0.0.1", 5000);
        game.ClientConnected(2, "10.0.0.2", 5000);
        read(1, SettingsMessages(0, "Jana", "z"));
        read(2, SettingsMessages(1, "Petr", "m"));
        read(1, {"req startcard0"});
        read(2, {"req startcard1"});
        for (const char* ace : {"eso křížové", "eso pikové", "eso kárové"}) {
            read(1, {std::string("sendcard0=") + ace});
            read(2, {"standing1"});
        }
        read(1, {"sendcard0=eso srdcové", "i have no cards0"});
        read(2, {"acecannotreturn1"});
        caseLinks.Take(1);
        read(2, {said});
        // Four kings: 8 points on both tables of results.
        EXPECT_EQ(caseLinks.Take(1), Messages{"opp points=8"});
        EXPECT_EQ(game.Match().Points(1), 8);
        EXPECT_EQ(caseLog.lines.back(), "hráč 1 zasílá počet trestných bodů=8");
    }
}

}  // namespace
}  // namespace tarvel::server::testing
