// Whole matches between two well-behaved clients with the server checking every move
// against its own position and without: each client lives through exactly the same
// match, the server refuses nothing, and its position ends with the wins and points the
// clients counted.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/netplay/network_match_harness.h"

namespace tarvel::testing {
namespace {

struct MatchRules {
    const char* name;
    bool returntogame;
    bool playforpoints;
    bool kingofspades;
    bool compulsory;
    bool shufflecards;
    std::uint8_t pickupforseven;
    std::uint8_t dealtcards;
    bool reachesLateDraw;  // these seeds play a game lost by a returned player with cards to take
};

struct Played {
    std::vector<std::string> log;
    std::array<std::vector<std::string>, 2> events;
};

Played Play(const MatchRules& rules, std::uint64_t seed, bool checkMoves, NetworkMatchHarness& h) {
    h.server.SetMoveChecking(checkMoves);
    for (auto& client : h.clients) {
        GameOptions& options = client->engine.Options();
        options.returntogame = rules.returntogame;
        options.playforpoints = rules.playforpoints;
        options.kingofspades = rules.kingofspades;
        options.compulsory = rules.compulsory;
        options.shufflecards = rules.shufflecards;
        options.pickupforseven = rules.pickupforseven;
        options.dealtcards = rules.dealtcards;
        options.numberofgames = 4;
    }
    EXPECT_LT(h.PlayMatch(), 5000) << "seed " << seed << ": the match never ended";
    return {h.log, {h.clients[0]->screen.events, h.clients[1]->screen.events}};
}

std::size_t CountLines(const std::vector<std::string>& log, const std::string& part) {
    return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    }));
}

// Games where the answer that returned a player was the other's last card, so the
// returned player lost and took the pending cards after the game was decided: right after
// one player's hand ran out, the other, whose hand had run out before, draws.
std::size_t LostWithCardsToTake(const std::vector<std::string>& log) {
    std::size_t games = 0;
    std::array<bool, 2> emptied{};
    for (std::size_t i = 0; i < log.size(); ++i) {
        const std::string& line = log[i];
        if (line == "Rozdány karty hráči 0") emptied = {};
        const std::string_view prefix = "hráči ";
        if (!line.starts_with(prefix) || !line.ends_with(" došly karty")) continue;
        const int player = line[prefix.size()] - '0';
        if (i + 1 < log.size() && log[i + 1].starts_with("hráč " + std::to_string(1 - player) + " líže ") &&
            emptied[static_cast<std::size_t>(1 - player)]) {
            ++games;
        }
        emptied[static_cast<std::size_t>(player)] = true;
    }
    return games;
}

class CheckedMatch : public ::testing::TestWithParam<MatchRules> {};

TEST_P(CheckedMatch, AWellBehavedPairSeesNoDifferenceAndTheServerKeepsTheScore) {
    const MatchRules rules = GetParam();
    std::size_t giveUps = 0;
    std::size_t lostWithCardsToTake = 0;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("server seed " + std::to_string(seed));
        NetworkMatchHarness checked(0, seed);
        NetworkMatchHarness relaying(0, seed);
        const Played a = Play(rules, seed, true, checked);
        const Played b = Play(rules, seed, false, relaying);
        EXPECT_EQ(a.log, b.log);
        EXPECT_EQ(a.events[0], b.events[0]);
        EXPECT_EQ(a.events[1], b.events[1]);
        EXPECT_EQ(CountLines(a.log, "nelze zahrát"), 0u);

        const server::TableMatch& match = checked.server.TableGame(0)->Match();
        EXPECT_TRUE(match.Kept());
        EXPECT_EQ(match.GameNumber(), 4);
        for (int seat = 0; seat < 2; ++seat) {
            const GameState& state = checked.clients[static_cast<std::size_t>(seat)]->engine.State();
            EXPECT_EQ(match.Wins(seat), state.playerWins);
            EXPECT_EQ(match.Wins(1 - seat), state.opponentWins);
            if (rules.playforpoints) {
                EXPECT_EQ(match.Points(seat), state.playerPenalty);
                EXPECT_EQ(match.Points(1 - seat), state.opponentPenalty);
            }
        }
        giveUps += CountLines(a.log, "nemůže vrátit soupeře do hry");
        lostWithCardsToTake += LostWithCardsToTake(a.log);
    }
    if (rules.returntogame) {
        EXPECT_GT(giveUps, 0u);
    }
    if (rules.reachesLateDraw) {
        EXPECT_GT(lostWithCardsToTake, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Network, CheckedMatch,
    ::testing::Values(MatchRules{"Plain", false, false, false, true, false, 2, 5, false},
                      MatchRules{"EveryRule", true, true, true, true, true, 3, 4, false},
                      MatchRules{"ReturnNothingCompulsory", true, true, false, false, false, 2, 6, true},
                      MatchRules{"ShuffledTenCards", false, true, true, false, true, 3, 10, false}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvel::testing
