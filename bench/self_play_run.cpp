// The long self-play run, by hand: plays matches over every rule combination until
// the asked number of games is reached, with the table checked after every command,
// and prints each fault with the moves that led to it.
//
//   tarvel_self_play_run [games, default 1000000] [first seed, default 1]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "testing/self_play.h"

namespace {

constexpr int kFaultsShown = 10;
constexpr std::size_t kTrailShown = 60;

void ShowFault(const tarvel::MatchSetup& setup, const tarvel::MatchReport& report) {
    std::printf("FAULT: %s\n", report.fault.c_str());
    // Replay the match on a fresh driver, recording the player's moves this time.
    tarvel::SelfPlayDriver::Settings settings;
    settings.recordTrail = true;
    tarvel::SelfPlayDriver replay(settings);
    const tarvel::MatchReport again = replay.PlayMatch(setup);
    const std::size_t from = again.trail.size() > kTrailShown ? again.trail.size() - kTrailShown : 0;
    std::printf("  the player's last %zu of %zu moves:", again.trail.size() - from, again.trail.size());
    for (std::size_t i = from; i < again.trail.size(); ++i) std::printf(" | %s", again.trail[i].c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const unsigned long long wanted = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000ULL;
    const unsigned long long firstSeed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1ULL;
    const auto rules = tarvel::EveryRuleCombination();

    unsigned long long games = 0, matches = 0, moves = 0, commands = 0, longest = 0;
    int faults = 0;
    const auto start = std::chrono::steady_clock::now();
    for (unsigned long long seed = firstSeed; games < wanted; ++seed) {
        tarvel::MatchSetup setup;
        setup.options = rules[seed % rules.size()];
        setup.seed = seed;
        setup.gamesBeforeEnd = static_cast<std::uint16_t>(1 + seed % 3);
        tarvel::SelfPlayDriver driver;
        const tarvel::MatchReport report = driver.PlayMatch(setup);
        ++matches;
        games += report.games;
        moves += report.moves;
        commands += report.commands;
        if (report.longestGame > longest) longest = report.longestGame;
        if (!report.Clean()) {
            if (++faults <= kFaultsShown) ShowFault(setup, report);
            games += 1;  // a faulty match still counts towards the end, so a broken engine cannot run forever
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%llu games in %llu matches (seeds %llu..%llu), %llu moves, %llu commands, longest game %llu moves\n",
        games, matches, firstSeed, firstSeed + matches - 1, moves, commands, longest);
    std::printf("%d faulty matches; %.1f s, %.0f games/s, %.0f ns/move with every command checked\n", faults,
                seconds, static_cast<double>(games) / seconds, seconds * 1e9 / static_cast<double>(moves));
    return faults == 0 ? 0 : 1;
}
