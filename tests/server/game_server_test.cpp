// Behaviours of the game logic that the scripted matches do not reach.
#include "game_server.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes.h"

namespace tarvel::server::testing {
namespace {

using Messages = std::vector<std::string>;

class GameServerTest : public ::testing::Test {
  protected:
    void Connect(ConnectionId id) { server.ClientConnected(id, "10.0.0." + std::to_string(id), 5000); }
    void Read(ConnectionId id, const Messages& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += EncodeForWire(m);
        server.ClientRead(id, bytes);
    }
    void SettingsOf(ConnectionId id, int player, const std::string& name, const std::string& dealt) {
        const std::string n = std::to_string(player);
        Messages m;
        for (auto setting : kRuleSettingNames) m.push_back("info " + std::string(setting) + n + "=1");
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
    GameServer server{links, log, random};
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
    EXPECT_EQ(links.Take(1), Messages{"nocardforpickup"});
    EXPECT_TRUE(Logged("hráči 1 zaslána karta eso pikové"));
    EXPECT_EQ(links.written.size(), 1u);  // nothing for a connection that does not exist
}

TEST_F(GameServerTest, TextWithoutATerminatorPastTheLimitClosesTheConnection) {
    StartPlaying();
    server.ClientRead(1, "iwanttosay0=ahoj\\" + std::string(kMaxPendingBytes + 1, 'x'));
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

TEST_F(GameServerTest, ALonePlayerAskingForTheNextGameStartsNoSetUp) {
    StartPlaying();
    server.ClientDisconnected(2);
    Read(1, {"end of one game0", "end of one game0"});
    EXPECT_EQ(log.lines.back(), "Hra nemůže začít, připojen je jen jeden hráč");
    EXPECT_EQ(links.Take(1), Messages{"forcedendofgame"});
    EXPECT_EQ(server.Step(), SetupStep::Idle);
}

TEST(PlayerSettings, ValuesAreDecimalKeptInEightBits) {
    EXPECT_EQ(ParseSettingValue("7"), 7);
    EXPECT_EQ(ParseSettingValue("300"), 44);
    EXPECT_EQ(ParseSettingValue("000000000000000000000000010"), 10);
    for (const char* bad : {"", " 3", "3 ", "+3", "-3", "0x10", "tři"})
        EXPECT_EQ(ParseSettingValue(bad), std::nullopt);
    EXPECT_EQ(ParseCount("99999999999999999999"), 1'000'000u);
}

}  // namespace
}  // namespace tarvel::server::testing
