// Whole matches between two clients through the server's game logic, the bytes cut
// into reads of every size; and every message a client can get, alone and malformed.
#include <gtest/gtest.h>

#include <algorithm>

#include "session/texts/client_texts.h"
#include "tests/engine/engine_fixture.h"
#include "tests/netplay/network_match_harness.h"

namespace tarvel::testing {
namespace {

using Texts = std::vector<std::string>;

// The cards the client laid, as it sent them.
Texts CardsSent(const HarnessClient& client) {
    Texts cards;
    for (const std::string& message : client.sent) {
        const auto parsed = protocol::ParseClientMessage(message);
        if (parsed && parsed->kind == protocol::ClientKind::SendCard) cards.emplace_back(parsed->value);
    }
    return cards;
}

// The cards the client heard the opponent lay: a card name in the opponent's voice
// followed by the throw.
Texts CardsHeard(const HarnessClient& client) {
    Texts cards;
    const std::string voice = "say " + client.engine.State().opponentVoice + "|";
    const auto& events = client.screen.spoken;
    for (std::size_t i = 0; i + 1 < events.size(); ++i) {
        if (events[i].starts_with(voice) && events[i].ends_with("|11") && events[i + 1] == "say |vyhození|6") {
            const std::string& e = events[i];
            cards.push_back(e.substr(voice.size(), e.size() - voice.size() - 3));
        }
    }
    return cards;
}

struct MatchRules {
    const char* name;
    bool returntogame;
    bool playforpoints;
    bool kingofspades;
    std::uint8_t games;
};

class WholeMatch : public ::testing::TestWithParam<MatchRules> {};

TEST_P(WholeMatch, BothSidesPlayItToTheEndAndHearEachOther) {
    const MatchRules rules = GetParam();
    std::vector<Texts> logsBySize;
    for (std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{7}}) {
        SCOPED_TRACE("read size " + std::to_string(chunk));
        NetworkMatchHarness h(chunk);
        for (auto& client : h.clients) {
            GameOptions& options = client->engine.Options();
            options.returntogame = rules.returntogame;
            options.playforpoints = rules.playforpoints;
            options.kingofspades = rules.kingofspades;
            options.numberofgames = rules.games;
        }
        const int moves = h.PlayMatch();
        ASSERT_LT(moves, 5000) << "the match never ended";
        if (getenv("DUMP")) {
            for (auto& c : h.clients) {
                for (std::size_t i = c->screen.events.size() > 30 ? c->screen.events.size() - 30 : 0; i < c->screen.events.size(); ++i) printf("%d %s\n", (int)(c.get()==h.clients[1].get()), c->screen.events[i].c_str());
            }
            for (auto& l : h.log) printf("LOG %s\n", l.c_str());
        }
        HarnessClient& a = *h.clients[0];
        HarnessClient& b = *h.clients[1];
        for (HarnessClient* c : {&a, &b}) {
            EXPECT_FALSE(c->engine.Net().active);
            EXPECT_FALSE(c->engine.State().running);
            EXPECT_FALSE(c->connected);
            EXPECT_TRUE(c->messages.empty()) << c->messages.front();
            EXPECT_EQ(c->agreements, rules.games);
            EXPECT_EQ(c->screen.spoken.back(), "say " + c->engine.State().opponentVoice + "|konec hry|1");
            EXPECT_EQ(c->sent.back(), std::string("end of game") + c->engine.Net().playerNumber);
        }
        EXPECT_EQ(a.engine.State().opponentVoice, "z");
        EXPECT_EQ(b.engine.State().opponentVoice, "m");
        EXPECT_EQ(a.engine.State().playerWins + a.engine.State().opponentWins, rules.games);
        EXPECT_EQ(a.engine.State().playerWins, b.engine.State().opponentWins);
        EXPECT_EQ(a.engine.State().opponentWins, b.engine.State().playerWins);
        EXPECT_EQ(a.engine.State().playerPenalty, b.engine.State().opponentPenalty);
        EXPECT_EQ(a.engine.State().opponentPenalty, b.engine.State().playerPenalty);
        if (rules.playforpoints) {
            EXPECT_GT(a.engine.State().playerPenalty + a.engine.State().opponentPenalty, 0);
        }
        // What one lays the other hears, card for card, in the opponent's voice.
        EXPECT_FALSE(CardsSent(a).empty());
        EXPECT_EQ(CardsSent(a), CardsHeard(b));
        EXPECT_EQ(CardsSent(b), CardsHeard(a));
        logsBySize.push_back(a.screen.events);
        logsBySize.push_back(b.screen.events);
    }
    // However TCP cuts the bytes, each client lives through the same match.
    EXPECT_EQ(logsBySize[0], logsBySize[2]);
    EXPECT_EQ(logsBySize[0], logsBySize[4]);
    EXPECT_EQ(logsBySize[1], logsBySize[3]);
    EXPECT_EQ(logsBySize[1], logsBySize[5]);
}

INSTANTIATE_TEST_SUITE_P(Network, WholeMatch,
                         ::testing::Values(MatchRules{"Plain", false, false, false, 2},
                                           MatchRules{"ReturnAndPoints", true, true, true, 4},
                                           MatchRules{"PointsOverSixGames", false, true, false, 6}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(NetworkMatch, TheStartOfAGameSeesWhatArrivedBehindTheAgreementInOneRead) {
    // Both agree, and the whole opening of the game arrives in single reads.
    NetworkMatchHarness h(0);
    h.clients[0]->Connect();
    h.Deliver();
    EXPECT_TRUE(h.clients[0]->waitingDialog);
    h.clients[1]->Connect();
    h.Deliver();
    for (auto& client : h.clients) {
        EXPECT_FALSE(client->waitingDialog);
        EXPECT_EQ(client->engine.Net().waiting, NetworkWait::None);
        EXPECT_TRUE(client->engine.State().running);
        EXPECT_EQ(client->engine.State().playerHand.size(), 5u);
        EXPECT_EQ(client->engine.State().PlayerCount(), 5);
        EXPECT_FALSE(client->engine.State().game.pileSize == 0);
    }
    // Exactly one of them begins.
    EXPECT_NE(h.clients[0]->engine.State().PlayerTurn(), h.clients[1]->engine.State().PlayerTurn());
    EXPECT_EQ(h.clients[0]->sent.front(), "info kolikbrat0=2");
    EXPECT_EQ(h.clients[0]->sent[9], "info uzivatel0=eva@stul 11111111");
    EXPECT_EQ(h.clients[0]->sent[10], "infosettings0 done");
}

TEST(NetworkMatch, TheBeginnerAlternatesFromTheOneTheServerNamed) {
    for (std::uint64_t seed : {1u, 2u, 3u, 4u}) {
        NetworkMatchHarness h(0, seed);
        h.clients[0]->Connect();
        h.clients[1]->Connect();
        h.Deliver();
        const bool firstBegins = h.clients[0]->engine.State().PlayerTurn();
        const std::string named = h.log.end() != std::find_if(h.log.begin(), h.log.end(), [](const std::string& l) {
                                      return l.starts_with("začíná hráč 0");
                                  })
                                      ? "0"
                                      : "1";
        EXPECT_EQ(firstBegins, named == "0") << "seed " << seed;
    }
}

TEST(NetworkMatch, OneSideBreakingOffEndsTheMatchOnBoth) {
    for (bool byMenu : {true, false}) {
        SCOPED_TRACE(byMenu ? "end command" : "connection lost");
        NetworkMatchHarness h(0);
        h.clients[0]->Connect();
        h.clients[1]->Connect();
        h.Deliver();
        for (int i = 0; i < 6; ++i) {
            for (auto& client : h.clients) client->Act();
            h.Deliver();
        }
        HarnessClient& a = *h.clients[0];
        HarnessClient& b = *h.clients[1];
        ASSERT_TRUE(b.engine.State().running);
        if (byMenu) {
            a.engine.EndMatchCommand();
            EXPECT_EQ(Texts(a.sent.end() - 2, a.sent.end()), (Texts{"terminategame0", "end of game0"}));
            EXPECT_TRUE(a.messages.empty());
        } else {
            a.connected = false;  // the client died: nothing more comes from it
            h.Disconnect(0);
        }
        h.Deliver();
        if (byMenu) {
            EXPECT_FALSE(a.engine.State().running);
        }
        EXPECT_FALSE(b.engine.Net().active);
        EXPECT_FALSE(b.engine.State().running);
        EXPECT_EQ(b.screen.Texts().back(), "konec hry");
        EXPECT_FALSE(b.engine.State().matchOn);
        EXPECT_FALSE(b.connected);
        EXPECT_TRUE(b.messages.empty());
    }
}

TEST(NetworkMatch, TheServerGoneEndsTheMatchAndTellsThePlayer) {
    NetworkMatchHarness h(0);
    h.clients[0]->Connect();
    h.clients[1]->Connect();
    h.Deliver();
    HarnessClient& a = *h.clients[0];
    h.Close(1);  // the server's side ends
    h.Deliver();
    EXPECT_FALSE(a.engine.Net().active);
    EXPECT_FALSE(a.engine.State().running);
    EXPECT_EQ(a.messages, (Texts{"text " + std::to_string(text::kConnectionLost)}));
    EXPECT_FALSE(a.engine.State().matchOn);
    EXPECT_FALSE(a.engine.State().matchOn);
}

TEST(NetworkMatch, RefusalsOfTheServer) {
    {
        NetworkMatchHarness h(0);
        h.clients[0]->Connect();
        h.clients[0]->Read("busy\\");
        EXPECT_FALSE(h.clients[0]->connected);
        EXPECT_EQ(h.clients[0]->messages, (Texts{"text " + std::to_string(text::kServerBusy)}));
    }
    {
        NetworkMatchHarness h(0);
        h.clients[1]->engine.Options().dealtcards = 7;
        h.clients[0]->Connect();
        h.clients[1]->Connect();
        h.Deliver();
        for (auto& client : h.clients) {
            EXPECT_FALSE(client->connected);
            EXPECT_FALSE(client->engine.State().running);
            ASSERT_EQ(client->messages.size(), 1u);
            EXPECT_TRUE(client->messages[0].ends_with("\ntext " + std::to_string(text::kDifferentRulesRequest)));
            EXPECT_GT(client->messages[0].size(), std::string("\ntext 135").size());
        }
    }
    {
        NetworkMatchHarness h(0);
        h.clients[1] = std::make_unique<HarnessClient>(h, 1, "eva@stul 11111111");
        h.clients[0]->Connect();
        h.clients[1]->Connect();
        h.Deliver();
        for (auto& client : h.clients) {
            EXPECT_TRUE(client->programEnded);
            EXPECT_EQ(client->messages, (Texts{"text " + std::to_string(text::kSameUserName)}));
        }
    }
}

TEST(NetworkMatch, MessagesThatFitNothingChangeNothing) {
    NetworkMatchHarness h(0);
    h.clients[0]->Connect();
    h.clients[1]->Connect();
    h.Deliver();
    HarnessClient& a = *h.clients[0];
    const GameState before = a.engine.State();
    const std::size_t spoken = a.screen.events.size();
    const std::size_t sent = a.sent.size();
    for (const char* message :
         {"deckcard=eso listové", "yourcard=", "yourcard=Eso srdcové", "deckcolorcard= listy", "deckcolorcard=srdce",
          "opp points=12x", "yournumber=7", "yournumber", "firstplayer=1", "yourstartcard=7 srdcová",
          "deckstartcard=8 srdcová", "startcard done", "oksettings", "opponentgender=x", "DECKCARD=7 srdcová",
          "req settings ", "", "=", "pickup done=1", "sayit"}) {
        a.Read(std::string(message) + "\\");
    }
    const GameState& after = a.engine.State();
    EXPECT_EQ(a.screen.events.size(), spoken) << a.screen.events.back();
    EXPECT_EQ(a.sent.size(), sent);
    EXPECT_EQ(EngineFixture::Names(after.playerHand), EngineFixture::Names(before.playerHand));
    EXPECT_EQ(testing::PileNames(after.game), testing::PileNames(before.game));
    EXPECT_EQ(after.PlayerTurn(), before.PlayerTurn());
    EXPECT_EQ(after.opponentVoice, before.opponentVoice);
    EXPECT_EQ(a.engine.Net().playerNumber, '0');
    EXPECT_TRUE(a.chat.empty());
}

TEST(NetworkMatch, ChatBetweenMovesLeavesTheGameAsItWas) {
    NetworkMatchHarness h(3);
    h.clients[0]->Connect();
    h.clients[1]->Connect();
    h.Deliver();
    HarnessClient& a = *h.clients[0];
    HarnessClient& b = *h.clients[1];
    const std::size_t spoken = b.screen.events.size();
    a.Send(protocol::ClientKind::Say, "Ahoj\\opp gives it up\\ hraj!");
    h.Deliver();
    // The terminator typed into a message never turns it into a second message.
    EXPECT_EQ(b.chat, (Texts{"Ahoj/opp gives it up/ hraj!"}));
    EXPECT_EQ(b.screen.events.size(), spoken);
    EXPECT_TRUE(b.engine.State().running);
    EXPECT_EQ(b.engine.State().playerWins, 0);
}

}  // namespace
}  // namespace tarvel::testing

namespace tarvel::testing {
namespace {

// Many deals, each played to the end: a position the rules leave no move in (every card
// refused and the draw too) shows as a match that never ends. Long games turn the pile
// on the server while each client's copy of it keeps growing.
TEST(ManyDeals, EveryMatchEndsWithAndWithoutTheReturnRule) {
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        for (const bool returntogame : {false, true}) {
            NetworkMatchHarness h(0, seed);
            for (auto& client : h.clients) {
                client->engine.Options().numberofgames = 2;
                client->engine.Options().returntogame = returntogame;
            }
            const int moves = h.PlayMatch();
            const GameState& stuck = h.clients[h.clients[0]->engine.State().PlayerTurn() ? 0 : 1]->engine.State();
            ASSERT_FALSE(h.clients[0]->engine.Net().active || h.clients[1]->engine.Net().active)
                << "server seed " << seed << (returntogame ? " with" : " without") << " the return rule: " << moves
                << " moves, the one to move holds " << stuck.playerHand.size() << " cards on "
                << (stuck.game.pileSize == 0 ? std::string("nothing") : testing::PileNames(stuck.game).back());
        }
    }
}

}  // namespace
}  // namespace tarvel::testing
