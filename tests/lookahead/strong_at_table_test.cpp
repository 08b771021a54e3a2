// The strong computer at the table: whole matches through the engine's commands with
// the table checked after every one, the same match again from the same seed, and
// what it says when it changes the suit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/self_play.h"
#include "tests/engine/recording_presentation.h"

namespace tarvel {
namespace {

MatchSetup StrongSetup(GameOptions options, std::uint64_t seed) {
    options.computerlevel = kComputerStrong;
    MatchSetup setup;
    setup.options = options;
    setup.seed = seed;
    setup.gamesBeforeEnd = 2;
    return setup;
}

TEST(StrongComputerAtTable, PlaysWholeMatchesUnderManyRulesCleanly) {
    const std::vector<GameOptions> all = EveryRuleCombination();
    SelfPlayDriver driver;
    std::uint32_t games = 0;
    for (std::size_t i = 0; i < all.size(); i += 61) {
        const MatchReport report = driver.PlayMatch(StrongSetup(all[i], 7 + i));
        EXPECT_TRUE(report.Clean()) << DescribeSetup(StrongSetup(all[i], 7 + i)) << ": " << report.fault;
        games += report.games;
    }
    EXPECT_GT(games, 20u);
}

TEST(StrongComputerAtTable, TheSameSeedPlaysTheSameMatch) {
    GameOptions options;
    options.returntogame = options.kingofspades = options.playforpoints = true;
    SelfPlayDriver::Settings settings;
    settings.recordTrail = true;
    SelfPlayDriver first(settings), second(settings);
    const MatchReport a = first.PlayMatch(StrongSetup(options, 4242));
    const MatchReport b = second.PlayMatch(StrongSetup(options, 4242));
    ASSERT_TRUE(a.Clean()) << a.fault;
    EXPECT_EQ(a.trail, b.trail);
    EXPECT_EQ(first.GameEngine().State().OpponentWins, second.GameEngine().State().OpponentWins);
}

TEST(StrongComputerAtTable, ChangesTheSuitInTheUsualWords) {
    testing::RecordingPresentation screen;
    SelfPlayDriver driver(SelfPlayDriver::Settings{}, screen);
    const std::vector<std::string> suits = {"srdce", "kára", "piky", "kříže"};
    int changes = 0;
    for (std::uint64_t seed = 1; seed <= 12 && changes < 3; ++seed) {
        screen.Clear();
        ASSERT_TRUE(driver.PlayMatch(StrongSetup(GameOptions{}, seed)).Clean());
        const std::vector<std::string> said = screen.Texts();
        for (std::size_t i = 0; i + 1 < said.size(); ++i) {
            if (said[i].find("měním na") == std::string::npos) continue;
            ++changes;
            const std::string& next = said[i + 1];
            EXPECT_TRUE(std::any_of(suits.begin(), suits.end(), [&](const std::string& s) {
                return next.find(s) != std::string::npos;
            })) << next;
        }
    }
    EXPECT_GT(changes, 0) << "no queen laid by the strong computer in these matches";
}

}  // namespace
}  // namespace tarvel
