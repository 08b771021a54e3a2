// A network match that survives a lost connection. Whole matches are played once
// uncut and then again with one side's connection cut after its k-th message from
// the server, for every k (or every few in the quick run), the client coming back on
// a new connection and both playing on with the same moves: each must end exactly as
// the uncut match did, and each client must have heard exactly what it heard then,
// plus the words about the lost connection and the return.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "session/texts/client_texts.h"
#include "tests/engine/engine_fixture.h"
#include "tests/netplay/network_match_harness.h"

namespace tarvel::testing {
namespace {

using Texts = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr std::chrono::milliseconds kReturnWait = std::chrono::seconds(server::GameServer::kDefaultReturnWait);

// What one client ends the match with.
struct ClientEnd {
    Texts spoken;
    Texts hand;
    Texts pile;
    int playerWins = 0;
    int opponentWins = 0;
    std::int32_t playerPenalty = 0;
    std::int32_t opponentPenalty = 0;
    int playerCount = 0;
    int opponentCount = 0;
    int gameNumber = 0;
    bool active = false;
    Texts messages;
    int handled = 0;
    bool returnStarted = false;
    bool quietReturn = false;
    bool hadSecret = false;
    std::vector<int> movedAt;
    int keyAt = 0;  // messages handled when the first secret came
    bool finishing = false;  // still waits for the server to have its last words

    // Everything but what was said and how many messages came.
    bool SameTable(const ClientEnd& o) const {
        return hand == o.hand && pile == o.pile && playerWins == o.playerWins && opponentWins == o.opponentWins &&
               playerPenalty == o.playerPenalty && opponentPenalty == o.opponentPenalty &&
               playerCount == o.playerCount && opponentCount == o.opponentCount && gameNumber == o.gameNumber &&
               active == o.active && messages == o.messages;
    }
};

ClientEnd EndOf(const HarnessClient& c) {
    const GameState& s = c.engine.State();
    return ClientEnd{c.screen.spoken,
                     EngineFixture::Names(s.playerHand),
                     testing::PileNames(s.game),
                     s.playerWins,
                     s.opponentWins,
                     s.playerPenalty,
                     s.opponentPenalty,
                     s.PlayerCount(),
                     s.opponentCount,
                     s.gameNumber,
                     c.engine.Net().active,
                     c.messages,
                     c.handled,
                     c.returnStarted,
                     c.quietReturn,
                     !c.secretSeen.empty(),
                     c.movedAt,
                     static_cast<int>(std::find_if(c.received.begin(), c.received.end(),
                                                   [](const std::string& m) { return m.starts_with("reconnectkey="); }) -
                                      c.received.begin()) + 1,
                     c.dispatch.Finishing()};
}

enum class RuleSet { Plain, Every };

// Seeds of the server's deals whose matches the harness's simple player finishes.
std::uint64_t SeedFor(RuleSet rules) {
    return rules == RuleSet::Plain ? 5 : 21;
}

void ApplyRules(NetworkMatchHarness& h, RuleSet rules) {
    for (auto& client : h.clients) {
        GameOptions& o = client->engine.Options();
        if (rules == RuleSet::Every) {
            o.returntogame = true;
            o.playforpoints = true;
            o.kingofspades = true;
            o.shufflecards = true;
            o.compulsory = true;
            o.pickupforseven = 3;
            o.numberofgames = 3;
        } else {
            o.numberofgames = 2;
        }
        client->canReturn = true;
    }
}

// Where one side's connection is cut: after the side's k-th message from the server, or
// right after its k-th move, which either reached the server or was lost on the way.
struct CutPoint {
    int side = -1;  // -1: no cut
    int afterMessage = -1;
    int afterMove = -1;
    bool moveArrives = false;
    int againAfter = -1;  // the new connection is cut too, after this many of its messages

    std::string Describe() const {
        const std::string again = againAfter > 0 ? ", again after " + std::to_string(againAfter) : "";
        if (afterMessage >= 0)
            return "cut on side " + std::to_string(side) + " after message " + std::to_string(afterMessage) + again;
        return "cut on side " + std::to_string(side) + " after move " + std::to_string(afterMove) +
               (moveArrives ? ", which arrived" : ", which was lost");
    }
};

// Plays a whole match with a cut (or none). With `uncut` each client makes its moves at
// the moments it made them there.
std::array<ClientEnd, 2> Play(RuleSet rules, const CutPoint& cutPoint, std::size_t chunk = 0,
                              const std::array<ClientEnd, 2>* uncut = nullptr) {
    NetworkMatchHarness h(chunk, SeedFor(rules));
    ApplyRules(h, rules);
    if (uncut != nullptr) {
        for (std::size_t i = 0; i < 2; ++i) h.clients[i]->schedule = &(*uncut)[i].movedAt;
    }
    if (cutPoint.side >= 0) {
        HarnessClient& c = *h.clients[static_cast<std::size_t>(cutPoint.side)];
        c.cutAfter = cutPoint.afterMessage;
        c.cutAgainAfter = cutPoint.againAfter;
        c.cutAfterMove = cutPoint.afterMove;
        c.moveArrives = cutPoint.moveArrives;
    }
    const int moves = h.PlayMatch();
    EXPECT_LT(moves, 5000) << "the match never ended";
    return {EndOf(*h.clients[0]), EndOf(*h.clients[1])};
}

bool Says(const std::string& event, std::string_view text) {
    return event.find("|" + std::string(text) + "|") != std::string::npos;
}

constexpr std::array<std::string_view, 6> kConnectionWords = {
    "spojení se přerušilo", "zkouším to znovu", "spojení obnoveno",
    "soupeř ztratil spojení", "soupeř je zpět", "soupeř se nevrátil"};

// The record without the words about connections and without what was said of the
// table on coming back: whose turn, the pile card (and the suit that holds) and both
// counts of cards.
Texts WithoutReturnWords(const Texts& spoken) {
    Texts kept;
    for (std::size_t i = 0; i < spoken.size(); ++i) {
        const std::string& e = spoken[i];
        if (std::any_of(kConnectionWords.begin(), kConnectionWords.end(), [&](auto w) { return Says(e, w); })) continue;
        if (Says(e, "jsi na tahu") || Says(e, "jsem na tahu")) {
            // ... "já mám", the number, the word for cards.
            std::size_t j = i;
            while (j < spoken.size() && !Says(spoken[j], "já mám")) ++j;
            i = std::min(j + 2, spoken.size() - 1);
            // ... and, to a player who laid a queen, the question of its suit again.
            if (i + 1 < spoken.size() && Says(spoken[i + 1], "na jakou barvu")) ++i;
            continue;
        }
        kept.push_back(e);
    }
    return kept;
}

// Where two records part, with a little of each around it.
std::string FirstDifference(const Texts& got, const Texts& want) {
    std::size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
    std::string text = "first difference at " + std::to_string(i) + " of " + std::to_string(got.size()) + "/" +
                       std::to_string(want.size()) + "\n got:";
    for (std::size_t j = i >= 3 ? i - 3 : 0; j < std::min(got.size(), i + 6); ++j) text += "\n   " + got[j];
    text += "\n want:";
    for (std::size_t j = i >= 3 ? i - 3 : 0; j < std::min(want.size(), i + 6); ++j) text += "\n   " + want[j];
    return text;
}

int Count(const Texts& spoken, std::string_view text) {
    return static_cast<int>(std::count_if(spoken.begin(), spoken.end(), [&](const auto& e) { return Says(e, text); }));
}

// Every `stride`-th cut; the full sweep (stride 1) is the by-hand run:
//   TARVEL_RETURN_SWEEP=1 build/tests/netplay/match_return_test
int Stride() {
    const char* full = std::getenv("TARVEL_RETURN_SWEEP");
    return full != nullptr && full[0] == '1' ? 1 : 4;
}

class CutEverywhere : public ::testing::TestWithParam<RuleSet> {};

TEST_P(CutEverywhere, TheMatchEndsAsUncutAndEachSideHeardTheSamePlusTheReturn) {
    const RuleSet rules = GetParam();
    const auto uncut = Play(rules, CutPoint{});
    ASSERT_FALSE(uncut[0].active);
    ASSERT_FALSE(uncut[1].active);
    EXPECT_EQ(Count(uncut[0].spoken, "spojení se přerušilo"), 0);
    std::vector<CutPoint> cuts;
    for (int side = 0; side < 2; ++side) {
        const ClientEnd& u = uncut[static_cast<std::size_t>(side)];
        for (int k = 1 + side; k <= u.handled; k += Stride()) cuts.push_back(CutPoint{side, k});
        // The match's end, where the last words may go with the connection, is always cut.
        for (int k = std::max(1, u.handled - 3); k <= u.handled && Stride() > 1; ++k) {
            if ((k - 1 - side) % Stride() != 0) cuts.push_back(CutPoint{side, k});
        }
        const int moves = static_cast<int>(u.movedAt.size());
        for (int k = 1 + side; k <= moves; k += Stride()) cuts.push_back(CutPoint{side, -1, k, k % 2 == 0});
    }
    int returns = 0;
    int quietReturns = 0;
    int toldTheTable = 0;
    for (const CutPoint& cutPoint : cuts) {
        SCOPED_TRACE(cutPoint.Describe());
        const int k = std::max(cutPoint.afterMessage, cutPoint.afterMove);
        const auto cut = Play(rules, cutPoint, k % 3 == 0 ? 7 : 0, &uncut);  // TCP cuts messages too
        const ClientEnd& lost = cut[static_cast<std::size_t>(cutPoint.side)];
        const ClientEnd& kept = cut[static_cast<std::size_t>(1 - cutPoint.side)];
        if (!lost.hadSecret) continue;  // before the match was agreed: there was none to go on with
        for (int i = 0; i < 2; ++i) {
            const ClientEnd& c = cut[static_cast<std::size_t>(i)];
            const ClientEnd& u = uncut[static_cast<std::size_t>(i)];
            EXPECT_TRUE(c.SameTable(u)) << "client " << i;
            const Texts heard = WithoutReturnWords(c.spoken);
            EXPECT_TRUE(heard == u.spoken) << "client " << i << " " << FirstDifference(heard, u.spoken);
        }
        if (HasFailure()) return;
        if (!lost.returnStarted) continue;  // cut when the match was over for both
        ++returns;
        // A client whose match had ended comes back without a word, only to say its last
        // words again.
        quietReturns += lost.quietReturn;
        EXPECT_EQ(Count(lost.spoken, "spojení se přerušilo"), lost.quietReturn ? 0 : 1);
        EXPECT_EQ(Count(lost.spoken, "spojení obnoveno"), lost.quietReturn ? 0 : 1);
        // Back in a game being played, it said whose turn it is (and the rest of the table).
        const int told = Count(lost.spoken, "jsi na tahu") + Count(lost.spoken, "jsem na tahu");
        EXPECT_LE(told, 1);
        toldTheTable += told;
        // The other heard of it while its match still ran, and of the return unless its
        // match had ended meanwhile.
        EXPECT_LE(Count(kept.spoken, "soupeř ztratil spojení"), 1);
        EXPECT_LE(Count(kept.spoken, "soupeř je zpět"), Count(kept.spoken, "soupeř ztratil spojení"));
        EXPECT_EQ(Count(kept.spoken, "soupeř se nevrátil"), 0);
        if (HasFailure()) return;
    }
    EXPECT_GT(returns, 10);
    EXPECT_GT(quietReturns, 0);
    EXPECT_GT(toldTheTable, returns / 2);
}

// The connection made to come back is cut too, after each of the first messages the
// server answers on it (its answer, what the client missed, the table, the fresh secret):
// the client comes back again, with the secret it holds, and the match ends as uncut.
TEST_P(CutEverywhere, ACutWhileComingBackIsComeBackFromToo) {
    const RuleSet rules = GetParam();
    const auto uncut = Play(rules, CutPoint{});
    int twice = 0;
    for (int side = 0; side < 2; ++side) {
        const ClientEnd& whole = uncut[static_cast<std::size_t>(side)];
        // Right after the first secret (its confirmation lost), in the middle of the match,
        // and at its end, where the last words are on their way; every message in the sweep.
        std::vector<int> firstCuts = {whole.keyAt, whole.handled / 2 + side, whole.handled - 2, whole.handled - 1,
                                      whole.handled};
        if (Stride() == 1) {
            firstCuts.clear();
            for (int k = whole.keyAt; k <= whole.handled; ++k) firstCuts.push_back(k);
        }
        for (const int k : firstCuts) {
            for (int again = 1; again <= 5; ++again) {
                const CutPoint cutPoint{side, k, -1, false, again};
                SCOPED_TRACE(cutPoint.Describe());
                const auto cut = Play(rules, cutPoint, 0, &uncut);
                for (int i = 0; i < 2; ++i) {
                    const ClientEnd& c = cut[static_cast<std::size_t>(i)];
                    const ClientEnd& u = uncut[static_cast<std::size_t>(i)];
                    EXPECT_TRUE(c.SameTable(u)) << "client " << i << ": " << (c.messages.empty() ? "" : c.messages[0]);
                    EXPECT_FALSE(c.finishing) << "client " << i << ": its last words never reached the server";
                    const Texts heard = WithoutReturnWords(c.spoken);
                    EXPECT_TRUE(heard == u.spoken) << "client " << i << " " << FirstDifference(heard, u.spoken);
                }
                if (HasFailure()) return;
                twice += cut[static_cast<std::size_t>(side)].returnStarted;
            }
        }
    }
    EXPECT_GT(twice, 20);
}

INSTANTIATE_TEST_SUITE_P(Return, CutEverywhere, ::testing::Values(RuleSet::Plain, RuleSet::Every),
                         [](const auto& param) { return param.param == RuleSet::Plain ? "Plain" : "EveryRule"; });

// Starts a match of two clients that can come back and plays a few moves.
void StartAndPlay(NetworkMatchHarness& h, int moves) {
    ApplyRules(h, RuleSet::Plain);
    h.clients[0]->Connect();
    h.Deliver();
    h.clients[1]->Connect();
    h.Deliver();
    for (int i = 0; i < moves; ++i) {
        for (auto& client : h.clients) client->Act();
        h.Deliver();
    }
}

TEST(MatchReturn, APositionThatDiffersIsTakenUpAndTheTableTold) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 3);
    HarnessClient& a = *h.clients[0];
    Engine& engine = a.engine;
    ASSERT_TRUE(engine.State().running);
    ASSERT_EQ(engine.Net().waiting, NetworkWait::None);
    const Texts hand = EngineFixture::Names(engine.State().playerHand);
    ASSERT_GE(hand.size(), 2u);
    // What the server had: the first card gone, two the client never heard of, a queen of
    // clubs on the pile with hearts named, the other's turn, three games in.
    protocol::SeatPosition position;
    position.hand = Texts(hand.begin() + 1, hand.end());
    for (const char* name : {"eso pikové", "7 kárová"}) {
        if (std::find(hand.begin(), hand.end(), name) == hand.end()) position.hand.emplace_back(name);
    }
    position.top = "dáma křížová";
    position.namedSuit = " srdce";
    position.opponentCards = 7;
    position.yourTurn = false;
    position.pendingDraw = 0;
    position.gameNumber = 3;
    position.yourWins = 2;
    position.opponentWins = 0;
    position.yourPoints = 0;
    position.opponentPoints = 31;
    a.screen.Clear();
    engine.NetworkPositionFromServer(position, true);
    const GameState& s = engine.State();
    Texts held = EngineFixture::Names(s.playerHand);
    // The cards kept their places; the new ones came at the end.
    EXPECT_EQ(Texts(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(hand.size() - 1)), Texts(hand.begin() + 1, hand.end()));
    EXPECT_EQ(held.size(), position.hand.size());
    EXPECT_EQ(s.PlayerCount(), position.hand.size());
    EXPECT_EQ(s.opponentCount, 7);
    EXPECT_EQ(testing::PileNames(s.game).back(), " srdce");
    EXPECT_FALSE(s.PlayerTurn());
    EXPECT_EQ(s.gameNumber, 3);
    EXPECT_EQ(s.playerWins, 2);
    EXPECT_EQ(s.opponentPenalty, 31);
    const Texts said = a.screen.Texts();
    ASSERT_GE(said.size(), 10u);
    EXPECT_EQ(Texts(said.begin(), said.begin() + 4), (Texts{"jsem na tahu", "dáma křížová", "Platí", " srdce"}));
    EXPECT_EQ(said[4], "ty máš");
    EXPECT_EQ(said[7], "já mám");
    EXPECT_EQ(said[9], "karet");
    EXPECT_NE(std::find(a.screen.actions.begin(), a.screen.actions.end(), "Dealt"), a.screen.actions.end());

    // Not taken up while moves of its own are still on their way: only told.
    const GameState before = engine.State();
    position.opponentCards = 2;
    engine.NetworkPositionFromServer(position, false);
    EXPECT_EQ(engine.State().opponentCount, before.opponentCount);
    // Nor between games.
    engine.State().running = false;
    a.screen.Clear();
    engine.NetworkPositionFromServer(position, true);
    EXPECT_TRUE(a.screen.spoken.empty());
}

// A queen laid just before the cut: back in, its suit is still to be named, on the
// player's turn, and he is asked for it again.
TEST(MatchReturn, AQueenLaidBeforeTheCutStillWaitsForItsSuit) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 3);
    HarnessClient& a = *h.clients[0];
    Engine& engine = a.engine;
    ASSERT_TRUE(engine.State().running);
    protocol::SeatPosition position;
    position.hand = EngineFixture::Names(engine.State().playerHand);
    position.top = "dáma křížová";
    position.opponentCards = 4;
    position.yourTurn = true;
    position.suitToName = true;
    a.screen.Clear();
    engine.NetworkPositionFromServer(position, true);
    EXPECT_TRUE(engine.State().PlayerTurn());
    EXPECT_TRUE(engine.State().SuitChoiceActive());
    const Texts said = a.screen.Texts();
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.front(), "jsi na tahu");
    EXPECT_EQ(said.back(), "na jakou barvu");
    ASSERT_TRUE(a.Act());  // names the suit
    EXPECT_FALSE(engine.State().SuitChoiceActive());
    EXPECT_FALSE(engine.State().PlayerTurn());
}

TEST(MatchReturn, ThePositionTravelsWhole) {
    protocol::SeatPosition position;
    position.hand = {"7 srdcová", "eso pikové", "kluk kárový"};
    position.top = "dáma kárová";
    position.namedSuit = " kříže";
    position.opponentCards = 5;
    position.yourTurn = true;
    position.pendingDraw = 4;
    position.acePending = true;
    position.suitToName = true;
    position.gameNumber = 2;
    position.yourWins = 1;
    position.opponentWins = 0;
    position.yourPoints = 0;
    position.opponentPoints = 12;
    const std::string text = protocol::EncodeSeatPosition(position);
    EXPECT_EQ(text, "hand:7 srdcová,eso pikové,kluk kárový;top:dáma kárová;suit: kříže;opponent:5;turn:1;draw:4;"
                    "ace:1;name:1;game:2;wins:1,0;points:0,12");
    EXPECT_EQ(protocol::DecodeSeatPosition(text), position);
    EXPECT_EQ(protocol::DecodeSeatPosition(text + ";later:field"), position);  // more fields may come
    EXPECT_EQ(protocol::DecodeSeatPosition("hand:;top:;suit:;opponent:0;turn:0;draw:0;ace:0;name:0;game:0;wins:0,0;points:0,0"),
              protocol::SeatPosition{});
    for (const char* bad : {"", "hand:7 srdcová", "hand:;top:;suit:;opponent:x;turn:0;draw:0;ace:0;name:0;game:0;wins:0,0;points:0,0",
                            "hand:;top:;suit:;opponent:0;turn:0;draw:0;ace:0;name:0;game:0;wins:0;points:0,0"}) {
        EXPECT_FALSE(protocol::DecodeSeatPosition(bad)) << bad;
    }
}

TEST(MatchReturn, TheWaitRunningOutEndsTheMatchForTheOneWhoStayed) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 4);
    HarnessClient& a = *h.clients[0];
    HarnessClient& b = *h.clients[1];
    ASSERT_TRUE(b.engine.State().running);
    h.Cut(0);
    h.Deliver();
    EXPECT_TRUE(a.retryAsked);
    EXPECT_TRUE(b.engine.Net().active);
    EXPECT_EQ(b.screen.Texts().back(), "soupeř ztratil spojení");

    h.Expire(kReturnWait);
    EXPECT_FALSE(b.engine.Net().active);
    EXPECT_FALSE(b.engine.State().running);
    const Texts said = b.screen.Texts();
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said.back(), "konec hry");
    EXPECT_EQ(Count(b.screen.spoken, "soupeř se nevrátil"), 1);
    EXPECT_TRUE(b.messages.empty());
    EXPECT_FALSE(b.engine.State().matchOn);

    // The one who lost its connection comes too late: no seat, the match is over for it too.
    const std::size_t sentByB = b.sent.size();
    a.Return();
    h.Deliver();
    EXPECT_FALSE(a.engine.Net().active);
    EXPECT_FALSE(a.engine.State().running);
    EXPECT_FALSE(a.retryAsked);
    EXPECT_EQ(a.messages, (Texts{"text " + std::to_string(text::kConnectionLost)}));
    ASSERT_FALSE(a.received.empty());
    EXPECT_EQ(a.received.back(), "busy");
    // Nor is the one who stayed, still waiting for the server's word on his match's end,
    // seated with it in a new match he never asked for.
    EXPECT_FALSE(b.engine.Net().active);
    EXPECT_EQ(b.sent.size(), sentByB);
    EXPECT_TRUE(b.messages.empty());
    EXPECT_EQ(h.server.TableGame(0)->PlayerCount(), 0u);
}

TEST(MatchReturn, NobodyButThePlayerWhoSatThereTakesTheSeat) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 3);
    h.Cut(1);
    h.Deliver();
    const std::string evasSecret = h.clients[0]->secretSeen;
    const std::string petrsSecret = h.clients[1]->secretSeen;
    ASSERT_EQ(evasSecret.size(), 32u);
    ASSERT_EQ(petrsSecret.size(), 32u);
    EXPECT_NE(evasSecret, petrsSecret);
    std::string wrongByOne = petrsSecret;
    wrongByOne.back() = wrongByOne.back() == '0' ? '1' : '0';
    for (const std::string& attempt : Texts
         {"reconnect=" + wrongByOne + ";0\\", "reconnect=" + petrsSecret.substr(0, 31) + ";0\\",
          "reconnect=" + evasSecret + ";0\\", "reconnect=petr@stul 22222222;0\\", "reconnect=;0\\",
          std::string("reconnect\\"), std::string("join=petr@stul 22222222\\"), std::string()}) {
        SCOPED_TRACE(attempt);
        h.strangerGot.clear();
        const auto stranger = h.ConnectStranger(attempt);
        h.Expire(server::TableHall::kDefaultJoinWait);  // one that shows no secret waits its time out
        EXPECT_EQ(h.strangerGot, "busy\\");
        h.server.ClientDisconnected(stranger);
        // Eva, whose secret one of them showed, keeps her seat and hears nothing of it.
        EXPECT_TRUE(h.clients[0]->connected);
    }
    // The player who sat there still can.
    HarnessClient& b = *h.clients[1];
    b.Return();
    h.Deliver();
    EXPECT_TRUE(b.engine.Net().active);
    EXPECT_EQ(Count(b.screen.spoken, "spojení obnoveno"), 1);
    EXPECT_EQ(Count(h.clients[0]->screen.spoken, "soupeř je zpět"), 1);
    EXPECT_TRUE(b.messages.empty());

    // Back, he holds a fresh secret: the one that brought him back is spent.
    ASSERT_EQ(b.secretSeen.size(), 32u);
    EXPECT_NE(b.secretSeen, petrsSecret);
    h.Cut(1);
    h.Deliver();
    h.strangerGot.clear();
    const auto stranger = h.ConnectStranger("reconnect=" + petrsSecret + ";0\\");
    EXPECT_EQ(h.strangerGot, "busy\\");
    h.server.ClientDisconnected(stranger);
    b.Return();
    h.Deliver();
    EXPECT_TRUE(b.engine.Net().active);
    EXPECT_EQ(Count(b.screen.spoken, "spojení obnoveno"), 2);
}

// Both players lose the server at once (one network between them and it): both seats are
// held; both come back and play on, or the wait runs out and the match is over for both.
TEST(MatchReturn, PlayersLostTogetherBothComeBackOrTheWaitEndsTheMatchForBoth) {
    for (const bool inTime : {true, false}) {
        SCOPED_TRACE(inTime ? "back in time" : "too late");
        NetworkMatchHarness h(0);
        StartAndPlay(h, 3);
        h.Cut(0);
        h.Deliver();
        h.Cut(1);
        h.Deliver();
        EXPECT_TRUE(h.server.TableGame(0)->SeatHeld());
        if (!inTime) h.Expire(kReturnWait);
        for (auto& client : h.clients) {
            client->Return();
            h.Deliver();
        }
        for (auto& client : h.clients) {
            EXPECT_EQ(client->engine.Net().active, inTime);
            EXPECT_FALSE(client->dispatch.Returning());
            EXPECT_EQ(client->messages,
                      inTime ? Texts{} : (Texts{"text " + std::to_string(text::kConnectionLost)}));
        }
        EXPECT_FALSE(h.server.TableGame(0)->SeatHeld());
        EXPECT_EQ(h.server.TableGame(0)->PlayerCount(), inTime ? 2u : 0u);
        if (!inTime) continue;
        // Cards laid or drawn after the return: the match goes on.
        const auto table = [&] {
            const rules::Position& game = h.clients[0]->engine.State().game;
            return std::pair{game.pileSize, game.stockSize};
        };
        const auto before = table();
        for (int i = 0; i < 3; ++i) {
            for (auto& client : h.clients) client->Act();
            h.Deliver();
        }
        EXPECT_NE(table(), before);
    }
}

// Leaving between the server's answer and the fresh secret, which hold the player's moves
// back, still reaches the server at once: the opponent waits for nothing.
TEST(MatchReturn, LeavingWhileComingBackTellsTheOpponentAtOnce) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 3);
    HarnessClient& a = *h.clients[0];
    HarnessClient& b = *h.clients[1];
    h.Cut(0);
    h.Deliver();
    a.Return();
    a.dispatch.Handle("reconnected=0");  // the rest of the answer is still on its way
    a.Send(protocol::ClientKind::TerminateGame, std::nullopt);  // as the window does when closed
    a.CloseConnection();
    h.Deliver();
    EXPECT_FALSE(b.engine.Net().active);
    EXPECT_TRUE(b.messages.empty());
}

TEST(MatchReturn, TriesAgainWithGrowingPausesAndGivesUpPastTheServersWait) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 2);
    HarnessClient& a = *h.clients[0];
    h.Cut(0);
    ASSERT_TRUE(a.dispatch.Returning());
    int attempts = 0;
    while (a.dispatch.Returning() && attempts < 100) {
        a.retryAsked = false;
        a.dispatch.ReturnAttemptFailed();  // nothing answers
        ++attempts;
    }
    EXPECT_FALSE(a.dispatch.Returning());
    ASSERT_GE(a.pauses.size(), 6u);
    EXPECT_EQ(std::vector<int>(a.pauses.begin(), a.pauses.begin() + 6), (std::vector<int>{500, 1000, 2000, 4000, 8000, 8000}));
    int total = 0;
    for (int pause : a.pauses) total += pause;
    EXPECT_GE(total, 60'000 + ServerDispatch::kReturnMarginMs);
    EXPECT_LT(total, 60'000 + ServerDispatch::kReturnMarginMs + ServerDispatch::kLongestPauseMs);
    EXPECT_FALSE(a.engine.Net().active);
    EXPECT_EQ(a.messages, (Texts{"text " + std::to_string(text::kConnectionLost)}));
}

TEST(MatchReturn, GivingUpEndsTheMatchAsALostConnectionDid) {
    NetworkMatchHarness h(0);
    StartAndPlay(h, 2);
    HarnessClient& a = *h.clients[0];
    h.Cut(0);
    EXPECT_EQ(Count(a.screen.spoken, "spojení se přerušilo"), 1);
    EXPECT_EQ(Count(a.screen.spoken, "zkouším to znovu"), 1);
    EXPECT_TRUE(a.engine.Net().active);
    EXPECT_TRUE(a.engine.State().running);
    a.dispatch.GiveUpReturn();
    EXPECT_FALSE(a.dispatch.Returning());
    EXPECT_FALSE(a.retryAsked);
    EXPECT_FALSE(a.engine.Net().active);
    EXPECT_FALSE(a.engine.State().running);
    EXPECT_FALSE(a.engine.State().matchOn);
    EXPECT_EQ(a.messages, (Texts{"text " + std::to_string(text::kConnectionLost)}));
}

// At the match's end a client that can come back keeps its connection until the server
// says its last words arrived; one that cannot closes at once and is never told.
TEST(MatchReturn, AClientWhoseMatchEndedClosesOnceTheServerHasItsLastWords) {
    NetworkMatchHarness h(0);
    ApplyRules(h, RuleSet::Plain);
    h.clients[1]->canReturn = false;
    EXPECT_LT(h.PlayMatch(), 5000);
    for (auto& client : h.clients) {
        EXPECT_FALSE(client->engine.Net().active);
        EXPECT_FALSE(client->connected);
        EXPECT_FALSE(client->dispatch.Finishing());
    }
    const auto& eva = h.clients[0]->received;
    const auto& petr = h.clients[1]->received;
    ASSERT_FALSE(eva.empty());
    EXPECT_EQ(eva.back(), "matchover");
    EXPECT_EQ(std::count(petr.begin(), petr.end(), "matchover"), 0);

    // A server that pairs such a connection anew before its word came gets no answer: the
    // connection is closed, and no match starts for a player who never asked for one.
    NetworkMatchHarness again(0);
    StartAndPlay(again, 3);
    HarnessClient& ended = *again.clients[0];
    ASSERT_TRUE(ended.dispatch.MatchEnded());
    const std::size_t sent = ended.sent.size();
    ended.Read("yournumber=0\\req settings\\oksettings\\");
    EXPECT_FALSE(ended.connected);
    EXPECT_FALSE(ended.dispatch.Finishing());
    EXPECT_EQ(ended.sent.size(), sent);
    EXPECT_TRUE(ended.messages.empty());
}

TEST(MatchReturn, AClientThatNeverSaysItCanComeBackIsServedAsAlways) {
    // Eva can come back, Petr's client knows nothing of it.
    const auto play = [](int cutAfter) {
        NetworkMatchHarness h(0);
        ApplyRules(h, RuleSet::Plain);
        h.clients[1]->canReturn = false;
        h.clients[0]->cutAfter = cutAfter;
        EXPECT_LT(h.PlayMatch(), 5000);
        return std::make_pair(EndOf(*h.clients[0]), EndOf(*h.clients[1]));
    };
    const auto [eva, petr] = play(-1);
    for (int k : {40, 55, 70}) {
        SCOPED_TRACE(k);
        const auto [evaCut, petrCut] = play(k);
        ASSERT_TRUE(evaCut.returnStarted);
        EXPECT_TRUE(evaCut.SameTable(eva));
        EXPECT_TRUE(petrCut.SameTable(petr));
        // Petr heard nothing new at all.
        EXPECT_EQ(petrCut.spoken, petr.spoken);
        EXPECT_EQ(WithoutReturnWords(evaCut.spoken), eva.spoken);
    }
}

}  // namespace
}  // namespace tarvel::testing
