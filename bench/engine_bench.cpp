// Whole matches of self-play against the computer with a presentation that does
// nothing: complete games per second, and the time of one move (a player command
// together with the computer's reply).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "testing/self_play.h"

namespace {

void ReportFigures(benchmark::State& state, std::uint64_t games, std::uint64_t moves) {
    state.counters["games"] = benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
    // Inverted rate: seconds per move, printed with its SI prefix (n for nanoseconds).
    state.counters["per_move"] = benchmark::Counter(
        static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["moves_per_game"] =
        benchmark::Counter(games > 0 ? static_cast<double>(moves) / static_cast<double>(games) : 0.0);
}

void PlayMatches(benchmark::State& state, const std::vector<tarvel::GameOptions>& rules, bool checked) {
    tarvel::SelfPlayDriver::Settings settings;
    settings.checkTable = checked;
    tarvel::SelfPlayDriver driver(settings);
    std::uint64_t seed = 1, games = 0, moves = 0;
    for (auto _ : state) {
        tarvel::MatchSetup setup;
        setup.options = rules[seed % rules.size()];
        setup.seed = seed;
        setup.gamesBeforeEnd = static_cast<std::uint16_t>(1 + seed % 3);
        ++seed;
        const tarvel::MatchReport report = driver.PlayMatch(setup);
        if (!report.Clean()) {
            state.SkipWithError(report.fault.c_str());
            break;
        }
        games += report.games;
        moves += report.moves;
    }
    ReportFigures(state, games, moves);
}

// A match of three games by the default rules.
void BM_DefaultRules(benchmark::State& state) {
    PlayMatches(state, {tarvel::GameOptions{}}, false);
}
BENCHMARK(BM_DefaultRules);

// One match after another, each by the next combination of the rules.
void BM_EveryRuleCombination(benchmark::State& state) {
    PlayMatches(state, tarvel::EveryRuleCombination(), false);
}
BENCHMARK(BM_EveryRuleCombination);

// The same with the table checked after every command, as the soak test plays.
void BM_EveryRuleCombinationChecked(benchmark::State& state) {
    PlayMatches(state, tarvel::EveryRuleCombination(), true);
}
BENCHMARK(BM_EveryRuleCombinationChecked);

}  // namespace

BENCHMARK_MAIN();
