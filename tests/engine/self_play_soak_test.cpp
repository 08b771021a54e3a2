// Whole matches against the computer over every combination of the rules, with the
// table checked after every command (see self_play.h for the player and the checks).
//
// TARVEL_SOAK_ROUNDS sets the matches per rule combination (default 8, 4 under the
// sanitizers); TARVEL_SOAK_SEED shifts every seed to look at fresh deals.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tests/engine/recording_presentation.h"
#include "testing/self_play.h"

namespace tarvel {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr std::uint64_t kMostRounds = 1000;  // seeds reserved per rule combination

std::uint64_t EnvironmentNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

std::uint64_t Rounds() {
    return std::min<std::uint64_t>(EnvironmentNumber("TARVEL_SOAK_ROUNDS", kSanitized ? 4 : 8), kMostRounds);
}

MatchSetup SetupFor(const GameOptions& rules, std::uint64_t seed) {
    MatchSetup setup;
    setup.options = rules;
    setup.seed = seed;
    setup.gamesBeforeEnd = static_cast<std::uint16_t>(1 + seed % 3);
    return setup;
}

// Plays the matches of a session again on a fresh driver, up to the faulty one, and
// describes its last moves and the last things said before the fault.
std::string ExplainFault(const std::vector<MatchSetup>& session) {
    testing::RecordingPresentation screen;
    SelfPlayDriver::Settings settings;
    settings.recordTrail = true;
    SelfPlayDriver driver(settings, screen);
    MatchReport report;
    for (const auto& setup : session) {
        screen.Clear();
        report = driver.PlayMatch(setup);
    }
    std::string text = "earlier matches on this engine:";
    for (std::size_t i = 0; i + 1 < session.size(); ++i) text += " seed " + std::to_string(session[i].seed);
    text += "\nthe player's last moves:";
    const std::size_t firstMove = report.trail.size() > 40 ? report.trail.size() - 40 : 0;
    for (std::size_t i = firstMove; i < report.trail.size(); ++i) text += " | " + report.trail[i];
    text += "\nlast spoken:";
    const std::size_t firstSaid = screen.spoken.size() > 60 ? screen.spoken.size() - 60 : 0;
    for (std::size_t i = firstSaid; i < screen.spoken.size(); ++i) text += " | " + screen.spoken[i];
    return text;
}

struct SoakTally {
    std::uint64_t matches = 0, games = 0, moves = 0, longestGame = 0;

    void Add(const MatchReport& report) {
        ++matches;
        games += report.games;
        moves += report.moves;
        longestGame = std::max(longestGame, report.longestGame);
    }
};

// One shard per count of dealt cards, so that the shards run side by side.
class SelfPlaySoak : public ::testing::TestWithParam<int> {};

TEST_P(SelfPlaySoak, EveryRuleCombinationPlaysWholeMatchesWithTheTableIntact) {
    const auto all = EveryRuleCombination();
    const std::uint64_t rounds = Rounds();
    const std::uint64_t shift = EnvironmentNumber("TARVEL_SOAK_SEED", 0);
    SoakTally tally;
    for (std::size_t index = 0; index < all.size(); ++index) {
        if (all[index].dealtcards != GetParam()) continue;
        // The matches of one combination run one after another on the same engine.
        SelfPlayDriver driver;
        std::vector<MatchSetup> session;
        for (std::uint64_t round = 0; round < rounds; ++round) {
            session.push_back(SetupFor(all[index], shift + index * kMostRounds + round + 1));
            const MatchReport report = driver.PlayMatch(session.back());
            tally.Add(report);
            if (!report.Clean()) {
                FAIL() << report.fault << "\n" << ExplainFault(session);
            }
        }
    }
    std::cout << "dealt " << GetParam() << ": " << tally.matches << " matches, " << tally.games << " games, "
              << tally.moves << " moves, longest game " << tally.longestGame << " moves\n";
    EXPECT_GT(tally.games, tally.matches);
}

INSTANTIATE_TEST_SUITE_P(DealtCards, SelfPlaySoak, ::testing::Range(4, 11));

TEST(SelfPlay, RulesChangeBetweenMatchesOnOneEngine) {
    const auto all = EveryRuleCombination();
    SelfPlayDriver driver;
    std::vector<MatchSetup> session;
    // A stride coprime to the number of combinations visits them in a scattered order.
    for (std::size_t i = 0; i < 200; ++i) {
        session.push_back(SetupFor(all[(i * 577) % all.size()], 900000 + i));
        const MatchReport report = driver.PlayMatch(session.back());
        if (!report.Clean()) FAIL() << report.fault << "\n" << ExplainFault(session);
    }
}

// One seeded match of every rule combination, summed. Any change to the deal, the
// rules or the computer's choices moves these figures: such a change must be meant,
// explained in its commit, and the figures updated with it.
TEST(SelfPlay, TheSignatureOverEveryRuleCombinationIsPinned) {
    const auto all = EveryRuleCombination();
    SelfPlayDriver driver;
    SoakTally tally;
    std::uint64_t commands = 0, playerWins = 0, opponentWins = 0;
    std::int64_t penalties = 0;
    for (std::size_t index = 0; index < all.size(); ++index) {
        const MatchReport report = driver.PlayMatch(SetupFor(all[index], index + 1));
        ASSERT_TRUE(report.Clean()) << report.fault;
        tally.Add(report);
        commands += report.commands;
        const GameState& state = driver.GameEngine().State();
        playerWins += state.playerWins;
        opponentWins += state.opponentWins;
        penalties += state.playerPenalty + state.opponentPenalty;
    }
    EXPECT_EQ(tally.matches, 1792u);
    EXPECT_EQ(tally.games, 3601u);
    EXPECT_EQ(tally.moves, 88285u);
    EXPECT_EQ(commands, 225843u);
    EXPECT_EQ(playerWins, 958u);
    EXPECT_EQ(opponentWins, 2643u);
    EXPECT_EQ(penalties, 84994);
}

TEST(SelfPlay, TheSeedReplaysTheSameMatch) {
    SelfPlayDriver::Settings settings;
    settings.recordTrail = true;
    GameOptions rules;
    rules.kingofspades = rules.returntogame = rules.playforpoints = rules.shufflecards = true;
    SelfPlayDriver first(settings), second(settings), other(settings);
    const MatchReport a = first.PlayMatch(SetupFor(rules, 31));
    const MatchReport b = second.PlayMatch(SetupFor(rules, 31));
    const MatchReport c = other.PlayMatch(SetupFor(rules, 32));
    ASSERT_TRUE(a.Clean()) << a.fault;
    EXPECT_EQ(a.trail, b.trail);
    EXPECT_EQ(a.commands, b.commands);
    EXPECT_EQ(first.GameEngine().State().playerPenalty, second.GameEngine().State().playerPenalty);
    EXPECT_NE(a.trail, c.trail);
}

TEST(SelfPlay, AGameThatDoesNotEndIsReportedWithItsSetup) {
    SelfPlayDriver::Settings settings;
    settings.maxMovesPerGame = 3;
    SelfPlayDriver driver(settings);
    GameOptions rules;
    rules.dealtcards = 10;
    const MatchReport report = driver.PlayMatch(SetupFor(rules, 5));
    EXPECT_NE(report.fault.find("did not end within 3 moves"), std::string::npos) << report.fault;
    EXPECT_NE(report.fault.find("seed 5 "), std::string::npos) << report.fault;
    EXPECT_NE(report.fault.find("dealtcards 10"), std::string::npos) << report.fault;
}

}  // namespace
}  // namespace tarvel
