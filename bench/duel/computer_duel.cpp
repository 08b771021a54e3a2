// The strong computer over seeded whole games, each deal played twice with the seats
// swapped, under the default rules and under every rule on: against the described
// computer, against a player of random legal moves, and against the strong computer
// as it played before its second round. Prints per rule set and in total the strong
// computer's wins with their 95 % interval, the deal pairs it won twice, split and
// lost twice, the points margin a game under the points rule, and the processor time
// and playouts of its decisions between at least two moves.
//
//   build/bench/tarvel_computer_duel [GAMES] [--self] [--sees-all | --sees-hand]
//                                    [--against described|random|previous] [--without-habits]
//
// GAMES (default 2000) is shared between the two rule sets, for each opponent. With
// --self the strong computer plays itself, a check of the harness: its share should
// come out near 50 %. With --sees-all it is shown every card, with --sees-hand the
// other hand (never a level of the game): how much a perfect reading of the hidden
// cards could still win. --against
// plays one opponent only (a long run can then go in pieces). --without-habits: the
// strong computer never asks how far its opponent plays like the described computer,
// as it played before it did; the line then shows no belief.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/duel/duel_seats.h"
#include "engine/game_options.h"

namespace {

using namespace tarvel;
using namespace tarvel::duel;

struct RuleSet {
    const char* name;
    GameOptions options;
};

struct Tally {
    std::uint64_t games = 0;
    std::uint64_t wins = 0;
    std::uint64_t unfinished = 0;
    std::uint64_t refused = 0;
    std::uint64_t pairsWon = 0, pairsSplit = 0, pairsLost = 0;
    bool forPoints = false;
    double margin = 0;  // points the other side lost less those the strong computer lost
    std::vector<float> micros;
    std::vector<int> playouts;
    std::vector<float> beliefs;  // in the other's habits, at each decision

    void Add(const Tally& t) {
        games += t.games;
        wins += t.wins;
        unfinished += t.unfinished;
        refused += t.refused;
        pairsWon += t.pairsWon;
        pairsSplit += t.pairsSplit;
        pairsLost += t.pairsLost;
        forPoints = forPoints || t.forPoints;
        margin += t.margin;
        micros.insert(micros.end(), t.micros.begin(), t.micros.end());
        playouts.insert(playouts.end(), t.playouts.begin(), t.playouts.end());
        beliefs.insert(beliefs.end(), t.beliefs.begin(), t.beliefs.end());
    }
};

// Wilson's 95 % interval of a share, in per cent.
void Interval(std::uint64_t wins, std::uint64_t n, double& low, double& high) {
    if (n == 0) {
        low = high = 0;
        return;
    }
    const double z = 1.96, p = static_cast<double>(wins) / static_cast<double>(n),
                 nn = static_cast<double>(n);
    const double centre = (p + z * z / (2 * nn)) / (1 + z * z / nn);
    const double half = z * std::sqrt(p * (1 - p) / nn + z * z / (4 * nn * nn)) / (1 + z * z / nn);
    low = 100 * (centre - half);
    high = 100 * (centre + half);
}

double Share(std::uint64_t part, std::uint64_t whole) {
    return whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

float Quantile(std::vector<float> v, double q) {
    if (v.empty()) return 0;
    const auto k = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1));
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
    return v[k];
}

void Print(const std::string& name, const Tally& t) {
    double low = 0, high = 0;
    Interval(t.wins, t.games, low, high);
    std::printf(
        "%-40s games %6llu  wins %6llu (%.1f %%, 95 %% %.1f–%.1f %%)  deal pairs won twice %llu, split %llu, "
        "lost twice %llu",
        name.c_str(), static_cast<unsigned long long>(t.games), static_cast<unsigned long long>(t.wins),
        Share(t.wins, t.games), low, high, static_cast<unsigned long long>(t.pairsWon),
        static_cast<unsigned long long>(t.pairsSplit), static_cast<unsigned long long>(t.pairsLost));
    if (t.forPoints)
        std::printf("  points margin %+.2f a game", t.games ? t.margin / static_cast<double>(t.games) : 0.0);
    if (!t.micros.empty()) {
        double sum = 0;
        for (int n : t.playouts) sum += n;
        std::printf("  decisions %zu: median %.2f ms, p99 %.2f ms, max %.2f ms, %.0f playouts a decision",
                    t.micros.size(), Quantile(t.micros, 0.5) / 1000.0, Quantile(t.micros, 0.99) / 1000.0,
                    *std::max_element(t.micros.begin(), t.micros.end()) / 1000.0,
                    sum / static_cast<double>(t.playouts.size()));
    }
    if (!t.beliefs.empty()) {
        double sum = 0;
        for (float b : t.beliefs) sum += b;
        std::printf("  belief in the fixed computer's habits: mean %.2f, median %.2f",
                    sum / static_cast<double>(t.beliefs.size()), Quantile(t.beliefs, 0.5));
    }
    if (t.unfinished || t.refused) {
        std::printf("  unfinished %llu  refused %llu", static_cast<unsigned long long>(t.unfinished),
                    static_cast<unsigned long long>(t.refused));
    }
    std::printf("\n");
    std::fflush(stdout);
}

enum class Opponent { Described, Random, Previous, Strong };

const char* NameOf(Opponent o) {
    switch (o) {
        case Opponent::Described:
            return "described";
        case Opponent::Random:
            return "random legal";
        case Opponent::Previous:
            return "previous strong";
        case Opponent::Strong:
            break;
    }
    return "strong";
}

std::unique_ptr<Seat> MakeOpponent(Opponent o, const GameOptions& options) {
    switch (o) {
        case Opponent::Described:
            return std::make_unique<DescribedSeat>(options);
        case Opponent::Random:
            return std::make_unique<RandomSeat>();
        case Opponent::Previous:
            return std::make_unique<PreviousSeat>(options.playforpoints);
        case Opponent::Strong:
            break;
    }
    return std::make_unique<StrongSeat>(options.playforpoints, StrongSeat::Shown::Nothing, true);
}

// One rule set against one opponent: `deals` deals, each played with the strong
// computer in either seat.
Tally PlayRuleSet(const RuleSet& set, std::size_t setIndex, Opponent opponent, std::uint64_t deals,
                  StrongSeat::Shown shown, bool habits) {
    Tally t;
    t.forPoints = set.options.playforpoints;
    StrongSeat strong(set.options.playforpoints, shown, habits);
    const std::unique_ptr<Seat> other = MakeOpponent(opponent, set.options);
    const rules::RuleOptions rules = RulesOf(set.options);
    for (std::uint64_t d = 0; d < deals; ++d) {
        const std::uint64_t seed = 1000003ull * (d + 1) + setIndex;
        int won = 0;
        for (std::uint8_t strongSeat = 0; strongSeat < 2; ++strongSeat) {
            Seat* const seats[2] = {strongSeat == 0 ? static_cast<Seat*>(&strong) : other.get(),
                                    strongSeat == 1 ? static_cast<Seat*>(&strong) : other.get()};
            const GameResult r = PlayGame(rules, seed, seats);
            ++t.games;
            t.refused += r.refused;
            if (!r.finished) {
                ++t.unfinished;
                continue;
            }
            const bool strongWon = r.winner == strongSeat;
            won += strongWon ? 1 : 0;
            t.wins += strongWon ? 1 : 0;
            t.margin += strongWon ? r.loserPoints : -r.loserPoints;
        }
        (won == 2 ? t.pairsWon : won == 1 ? t.pairsSplit : t.pairsLost) += 1;
    }
    t.micros = std::move(strong.micros);
    t.playouts = std::move(strong.playouts);
    t.beliefs = std::move(strong.beliefs);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t games = 2000;
    bool selfPlay = false;
    bool habits = true;
    StrongSeat::Shown shown = StrongSeat::Shown::Nothing;
    std::vector<Opponent> opponents = {Opponent::Described, Opponent::Random, Opponent::Previous};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--self") == 0) {
            selfPlay = true;
        } else if (std::strcmp(argv[i], "--without-habits") == 0) {
            habits = false;
        } else if (std::strcmp(argv[i], "--sees-all") == 0) {
            shown = StrongSeat::Shown::HandAndStock;
        } else if (std::strcmp(argv[i], "--sees-hand") == 0) {
            shown = StrongSeat::Shown::Hand;
        } else if (std::strcmp(argv[i], "--against") == 0 && i + 1 < argc) {
            const std::string name = argv[++i];
            const Opponent one = name == "random"     ? Opponent::Random
                                 : name == "previous" ? Opponent::Previous
                                                      : Opponent::Described;
            opponents = {one};
        } else {
            games = std::strtoull(argv[i], nullptr, 10);
        }
    }
    if (games < 4) games = 4;
    GameOptions everyRule;
    everyRule.pickupforseven = 3;
    everyRule.kingofspades = everyRule.returntogame = everyRule.playforpoints = true;
    everyRule.compulsory = everyRule.shufflecards = true;
    const RuleSet sets[] = {{"default rules", GameOptions{}}, {"every rule on", everyRule}};
    if (selfPlay) opponents = {Opponent::Strong};
    const std::string who = shown == StrongSeat::Shown::HandAndStock ? "strong seeing all"
                            : shown == StrongSeat::Shown::Hand       ? "strong seeing the hand"
                                                                     : "strong";
    Tally first;
    for (Opponent opponent : opponents) {
        Tally total;
        const std::string matchup = who + " vs " + NameOf(opponent);
        for (std::size_t s = 0; s < 2; ++s) {
            const Tally t = PlayRuleSet(sets[s], s, opponent, games / 4, shown, habits);
            Print(matchup + ", " + sets[s].name, t);
            total.Add(t);
        }
        Print(matchup + ", total", total);
        if (opponent == opponents.front()) first = total;
    }
    double low = 0, high = 0;
    Interval(first.wins, first.games, low, high);
    std::printf("strong vs %s: %llu of %llu games (%.1f %%), 95 %% interval %.1f–%.1f %%\n",
                NameOf(opponents.front()), static_cast<unsigned long long>(first.wins),
                static_cast<unsigned long long>(first.games), Share(first.wins, first.games), low, high);
    return 0;
}
