// The strong computer against the described one over seeded whole games, each deal
// played twice with the seats swapped, under the default rules and under every rule
// on. Prints per rule set and in total the games, the strong computer's share of wins
// with its 95 % interval, and the median and 99th percentile of its time per move.
//
//   build/bench/tarvel_computer_duel [GAMES] [--self]
//
// GAMES (default 2000) is shared between the two rule sets. With --self the strong
// computer plays itself, a check of the harness: its share should come out near 50 %.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/duel/described_seat.h"
#include "lookahead/lookahead_player.h"
#include "common/random_source.h"
#include "engine/game_options.h"

namespace {

using namespace tarvel;
using rules::CardId;
using rules::Position;

constexpr int kMoveLimit = 2000;

struct RuleSet {
    const char* name;
    GameOptions options;
};

struct Tally {
    std::uint64_t games = 0;
    std::uint64_t wins = 0;
    std::uint64_t unfinished = 0;
    std::uint64_t refused = 0;  // moves of the described seat the rules refused (should stay 0)
    std::vector<float> micros;  // the strong computer's time per move
};

// The deal as the table makes it, with each hand in the order its cards came.
Position DealInOrder(const rules::RuleOptions& r, std::uint8_t first, StandardRandom& random,
                     std::vector<CardId> (&order)[2]) {
    rules::DealtOrder dealt;
    const Position p = rules::Deal(r, first, random, &dealt);
    for (std::uint8_t seat = 0; seat < 2; ++seat)
        order[seat].assign(dealt.hands[seat].begin(), dealt.hands[seat].begin() + dealt.perHand);
    return p;
}

// Applies a move and keeps the hands' order: drawn cards as they came off the stock.
void ApplyKeepingOrder(Position& p, rules::Move move, StandardRandom& random, std::vector<CardId> (&order)[2]) {
    const Position before = p;
    const rules::MoveOutcome out = rules::Apply(p, move, random);
    if (out.refusal != rules::Refusal::None) return;
    if (move.kind == rules::MoveKind::Lay) std::erase(order[before.toMove], move.value);
    if (out.drawer == rules::kNoSeat) return;
    const rules::DrawnCards drawn = rules::DrawnInOrder(before, p, out);
    order[out.drawer].insert(order[out.drawer].end(), drawn.cards.begin(), drawn.cards.begin() + drawn.count);
}

// The processor time this thread has used, in microseconds: the machine may be shared,
// and the figure is the strong computer's time on one core.
double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// One game; true when the strong computer in `strongSeat` won. `selfPlay`: both seats strong.
bool PlayGame(const RuleSet& set, std::uint64_t dealSeed, std::uint8_t strongSeat, bool selfPlay, Tally& tally) {
    StandardRandom random(dealSeed);
    std::vector<CardId> order[2];
    const std::uint8_t first = static_cast<std::uint8_t>(dealSeed & 1);
    Position p = DealInOrder(RulesOf(set.options), first, random, order);
    lookahead::KnowledgeRecord records[2];
    int moves = 0;
    while (!p.Over() && moves++ < kMoveLimit) {
        const std::uint8_t seat = p.toMove;
        if (seat == strongSeat || selfPlay) {
            const double start = ThreadMicros();
            const lookahead::SeatKnowledge k = records[seat].Update(lookahead::KnowledgeOf(p, seat));
            // Against itself both games of a deal would be the same game: the salt of the
            // seat counted sets them apart.
            const std::uint64_t salt = selfPlay ? 0x9E3779B9ull * (strongSeat + 1u) : 0;
            const lookahead::Decision d =
                lookahead::ChooseMove(k, set.options.playforpoints, random.Random(0xFFFFFFFFu) ^ salt);
            const double stop = ThreadMicros();
            if (seat == strongSeat) tally.micros.push_back(static_cast<float>(stop - start));
            ApplyKeepingOrder(p, d.move, random, order);
            if (p.suitToName) ApplyKeepingOrder(p, rules::Move::NameSuit(d.suit < 4 ? d.suit : 0), random, order);
            records[seat].AfterOwnMove(lookahead::KnowledgeOf(p, seat));
        } else {
            const duel::SeatMove m = duel::DescribedMove(p, order[seat], set.options);
            if (rules::Check(p, m.move) != rules::Refusal::None) {
                ++tally.refused;
                ApplyKeepingOrder(p, rules::LegalMoves(p).moves[0], random, order);
            } else {
                ApplyKeepingOrder(p, m.move, random, order);
            }
            if (p.suitToName) ApplyKeepingOrder(p, rules::Move::NameSuit(m.suit < 4 ? m.suit : 0), random, order);
        }
    }
    ++tally.games;
    if (!p.Over()) {
        ++tally.unfinished;
        return false;
    }
    if (p.winner == strongSeat) ++tally.wins;
    return p.winner == strongSeat;
}

// Wilson's 95 % interval of a share.
void Interval(std::uint64_t wins, std::uint64_t n, double& low, double& high) {
    if (n == 0) {
        low = high = 0;
        return;
    }
    const double z = 1.96, p = static_cast<double>(wins) / static_cast<double>(n), nn = static_cast<double>(n);
    const double centre = (p + z * z / (2 * nn)) / (1 + z * z / nn);
    const double half = z * std::sqrt(p * (1 - p) / nn + z * z / (4 * nn * nn)) / (1 + z * z / nn);
    low = 100 * (centre - half);
    high = 100 * (centre + half);
}

float Quantile(std::vector<float> v, double q) {
    if (v.empty()) return 0;
    const auto k = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1));
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
    return v[k];
}

void Print(const char* name, const Tally& t) {
    double low = 0, high = 0;
    Interval(t.wins, t.games, low, high);
    std::printf("%-22s games %6llu  strong wins %6llu (%.1f %%, 95 %% %.1f–%.1f %%)  processor time per move: median %.2f ms, p99 %.2f ms"
                "  unfinished %llu  refused %llu\n",
                name, static_cast<unsigned long long>(t.games), static_cast<unsigned long long>(t.wins),
                t.games ? 100.0 * static_cast<double>(t.wins) / static_cast<double>(t.games) : 0.0, low, high,
                Quantile(t.micros, 0.5) / 1000.0, Quantile(t.micros, 0.99) / 1000.0,
                static_cast<unsigned long long>(t.unfinished), static_cast<unsigned long long>(t.refused));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t games = 2000;
    bool selfPlay = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--self") == 0) {
            selfPlay = true;
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

    Tally total;
    for (std::size_t s = 0; s < 2; ++s) {
        Tally tally;
        const std::uint64_t deals = games / 4;
        for (std::uint64_t d = 0; d < deals; ++d) {
            const std::uint64_t seed = 1000003ull * (d + 1) + s;
            PlayGame(sets[s], seed, 0, selfPlay, tally);
            PlayGame(sets[s], seed, 1, selfPlay, tally);
        }
        Print(sets[s].name, tally);
        total.games += tally.games;
        total.wins += tally.wins;
        total.unfinished += tally.unfinished;
        total.refused += tally.refused;
        total.micros.insert(total.micros.end(), tally.micros.begin(), tally.micros.end());
    }
    Print("total", total);
    double low = 0, high = 0;
    Interval(total.wins, total.games, low, high);
    std::printf("strong vs %s: %llu of %llu games (%.1f %%), 95 %% interval %.1f–%.1f %%\n",
                selfPlay ? "strong" : "described", static_cast<unsigned long long>(total.wins),
                static_cast<unsigned long long>(total.games),
                total.games ? 100.0 * static_cast<double>(total.wins) / static_cast<double>(total.games) : 0.0, low,
                high);
    return 0;
}
