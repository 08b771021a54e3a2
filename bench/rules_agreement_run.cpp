// The rules core against the engine, by hand: self-play matches over every rule
// combination until the asked number of the player's turns has been compared move
// by move; prints the count, the time and the first disagreement.
//
//   tarvel_rules_agreement_run [turns, default 1000000] [first seed, default 1]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "testing/rules_agreement.h"
#include "testing/self_play.h"

constexpr unsigned long long kTurnsPerMatch = 300;

int main(int argc, char** argv) {
    const unsigned long long wanted = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000ULL;
    const unsigned long long firstSeed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1ULL;
    const auto combinations = tarvel::EveryRuleCombination();
    tarvel::RulesAgreement agreement;
    const auto start = std::chrono::steady_clock::now();
    for (unsigned long long seed = firstSeed; agreement.Report().positions < wanted; ++seed) {
        const auto& options = combinations[seed % combinations.size()];
        // A few hundred turns a match, so that every combination gets its share.
        const unsigned long long left = wanted - agreement.Report().positions;
        agreement.PlayMatch(options, seed, left < kTurnsPerMatch ? left : kTurnsPerMatch);
        if (!agreement.Report().fault.empty()) {
            std::printf("DISAGREEMENT: %s\n  seed %llu, rules %zu\n", agreement.Report().fault.c_str(), seed,
                        static_cast<std::size_t>(seed % combinations.size()));
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& r = agreement.Report();
    std::printf("agreement: %llu turns of the player compared, %llu moves' outcomes, %u games, %u matches, "
                "in %.1f s; no disagreement\n",
                static_cast<unsigned long long>(r.positions), static_cast<unsigned long long>(r.moves), r.games,
                r.matches, seconds);
    return 0;
}
