// The hands the server keeps: every card dealt or drawn goes into its player's hand,
// every card laid leaves it, so the server's hands are the clients' hands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/card_names.h"
#include "tests/server/fakes.h"
#include "server/core/game_server.h"
#include "server/core/table_match.h"

namespace tarvel::server::testing {
namespace {

using Messages = std::vector<std::string>;

// The cards a client was sent by "yourstartcard=" and "yourcard=", as a set.
rules::CardSet CardsSent(const Messages& messages) {
    rules::CardSet cards = 0;
    for (const std::string& message : messages) {
        for (std::string prefix : {"yourstartcard=", "yourcard="}) {
            if (message.rfind(prefix, 0) == 0) cards |= rules::Bit(rules::IdOfName(message.substr(prefix.size())));
        }
    }
    return cards;
}

TEST(ServerHands, DealDrawsAndLaidCardsKeepEachHand) {
    FakeLinks links;
    RecordingLog log;
    ZeroRandom random;
    FakeTimer timer;
    GameServer server{links, log, random, timer};
    auto read = [&](ConnectionId id, const Messages& messages) {
        std::string bytes;
        for (const auto& m : messages) bytes += protocol::EncodeForWire(m);
        server.ClientRead(id, bytes);
    };
    server.ClientConnected(1, "10.0.0.1", 5000);
    server.ClientConnected(2, "10.0.0.2", 5000);
    for (int player = 0; player < 2; ++player) {
        const std::string n = std::to_string(player);
        Messages m;
        for (auto setting : protocol::kRuleSettingNames) m.push_back("info " + std::string(setting) + n + "=0");
        m.push_back("info pocetrozdavanych" + n + "=5");
        m.push_back("info uzivatel" + n + "=Hráč" + n);
        m.push_back("infosettings" + n + " done");
        read(static_cast<ConnectionId>(player + 1), m);
    }
    read(1, {"req startcard0"});
    read(2, {"req startcard1"});
    ASSERT_EQ(server.Step(), SetupStep::Playing);

    const rules::CardSet dealt0 = CardsSent(links.Take(1));
    const rules::CardSet dealt1 = CardsSent(links.Take(2));
    EXPECT_EQ(rules::CountOf(dealt0), 5);
    EXPECT_EQ(rules::CountOf(dealt1), 5);
    EXPECT_EQ(server.Match().Position().hands[0], dealt0);
    EXPECT_EQ(server.Match().Position().hands[1], dealt1);

    // Player 1 draws three; player 0 lays one of his cards.
    read(2, {"req card1=3"});
    const rules::CardSet drawn1 = CardsSent(links.Take(2));
    EXPECT_EQ(rules::CountOf(drawn1), 3);
    EXPECT_EQ(server.Match().Position().hands[1], dealt1 | drawn1);
    const rules::CardId laid = rules::LowestCard(dealt0);
    read(1, {"sendcard0=" + rules::CardName(laid)});
    EXPECT_EQ(server.Match().Position().hands[0], dealt0 & ~rules::Bit(laid));
    EXPECT_EQ(server.Match().Position().Top(), laid);
    // A name that is no card changes no hand.
    read(2, {"sendcard1=eso nijaké"});
    EXPECT_EQ(server.Match().Position().hands[1], dealt1 | drawn1);
}

TEST(ServerHands, ANewDealOrANewMatchEmptiesTheHands) {
    ZeroRandom random;
    TableMatch match(random);
    rules::RuleOptions rules;
    rules.dealtCards = 1;
    DealtCards dealt = match.Deal(rules, false);
    EXPECT_EQ(match.Position().hands[0], rules::Bit(dealt.hands[0].at(0)));
    DrawnCards drawn;
    match.Draw(1, 30, true, drawn);  // everything: the stock is empty
    EXPECT_EQ(rules::CountOf(match.Position().hands[1]), 30);
    dealt = match.Deal(rules, false);
    EXPECT_EQ(rules::CountOf(match.Position().hands[1]), 1);
    match.StartMatch();
    EXPECT_EQ(match.Position().hands[0] | match.Position().hands[1], 0u);
    EXPECT_FALSE(match.Dealt());
}

}  // namespace
}  // namespace tarvel::server::testing
