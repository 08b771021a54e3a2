// Figures of the rules core on one core: whole games from the deal with random legal
// moves, and the legal moves of positions met in those games.
//
//   build/bench/tarvel_rules_bench [seconds per figure, default 2]
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "rules/moves.h"
#include "rules/position.h"

namespace {

using tarvel::rules::Apply;
using tarvel::rules::Deal;
using tarvel::rules::LegalMoves;
using tarvel::rules::Position;
using tarvel::rules::RuleOptions;

// A small fast generator: xorshift64*, its range by a multiply (a slight bias is no
// matter for figures).
struct FastRandom {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::uint32_t Random(std::uint32_t n) {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        const std::uint64_t x = state * 0x2545F4914F6CDD1Dull;
        return static_cast<std::uint32_t>(((x >> 32) * n) >> 32);
    }
};

// The rules of game `i`: every combination in turn.
RuleOptions RulesOf(std::uint64_t i) {
    RuleOptions r;
    r.sevenDraw = (i & 1) ? 3 : 2;
    r.kingOfSpades = (i & 2) != 0;
    r.returnToGame = (i & 4) != 0;
    r.compulsory = (i & 8) != 0;
    r.shuffle = (i & 16) != 0;
    r.dealtCards = static_cast<std::uint8_t>(4 + (i >> 5) % 7);
    return r;
}

constexpr int kMoveLimit = 1000;  // a game a random walk keeps going longer is cut off

// One game from the deal with uniformly random legal moves; returns the moves made.
// Every fourth position is kept in `samples` when given.
int Playout(std::uint64_t i, FastRandom& random, std::vector<Position>* samples) {
    Position p = Deal(RulesOf(i), static_cast<std::uint8_t>(i & 1), random);
    int moves = 0;
    while (!p.Over() && moves < kMoveLimit) {
        const auto legal = LegalMoves(p);
        if (legal.size == 0) break;
        if (samples && (moves & 3) == 0) samples->push_back(p);
        Apply(p, legal.moves[random.Random(legal.size)], random);
        ++moves;
    }
    return moves;
}

// One game in which a side lays a random card when it can, and draws (stands, gives
// up) only when it cannot: the playout a search would run.
int LayingPlayout(std::uint64_t i, FastRandom& random) {
    Position p = Deal(RulesOf(i), static_cast<std::uint8_t>(i & 1), random);
    int moves = 0;
    while (!p.Over() && moves < kMoveLimit) {
        const auto legal = LegalMoves(p);
        if (legal.size == 0) break;
        // Lays (and suits) come first in the list, the turn-ending move last.
        const bool ends = legal.moves[legal.size - 1].kind != tarvel::rules::MoveKind::Lay &&
                          legal.moves[legal.size - 1].kind != tarvel::rules::MoveKind::NameSuit;
        const std::uint32_t choices = ends && legal.size > 1 ? legal.size - 1u : legal.size;
        Apply(p, legal.moves[random.Random(choices)], random);
        ++moves;
    }
    return moves;
}

// Processor time of this thread: the figures are for one core, however busy the
// machine is with other work.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    const double budget = argc > 1 ? std::atof(argv[1]) : 2.0;
    FastRandom random;

    // Whole games.
    std::uint64_t games = 0, moves = 0, cut = 0;
    double start = CpuSeconds();
    double elapsed = 0;
    while ((elapsed = CpuSeconds() - start) < budget) {
        for (int k = 0; k < 4096; ++k, ++games) {
            const int made = Playout(games, random, nullptr);
            moves += static_cast<std::uint64_t>(made);
            cut += made >= kMoveLimit;
        }
    }
    std::printf("random playouts: %.0f games/s (%.1f moves a game, %llu of %llu cut at %d moves)\n",
                static_cast<double>(games) / elapsed, static_cast<double>(moves) / static_cast<double>(games),
                static_cast<unsigned long long>(cut), static_cast<unsigned long long>(games), kMoveLimit);

    games = moves = cut = 0;
    start = CpuSeconds();
    while ((elapsed = CpuSeconds() - start) < budget) {
        for (int k = 0; k < 4096; ++k, ++games) {
            const int made = LayingPlayout(games, random);
            moves += static_cast<std::uint64_t>(made);
            cut += made >= kMoveLimit;
        }
    }
    std::printf("random playouts, a card laid whenever one may be: %.0f games/s (%.1f moves a game, %llu cut)\n",
                static_cast<double>(games) / elapsed, static_cast<double>(moves) / static_cast<double>(games),
                static_cast<unsigned long long>(cut));

    // Legal moves of positions met in play.
    std::vector<Position> samples;
    for (std::uint64_t i = 0; samples.size() < 200000; ++i) Playout(i, random, &samples);
    std::uint64_t positions = 0, found = 0;
    start = CpuSeconds();
    while ((elapsed = CpuSeconds() - start) < budget) {
        for (const Position& p : samples) found += LegalMoves(p).size;
        positions += samples.size();
    }
    std::printf("legal moves: %.0f positions/s (%.2f moves a position)\n", static_cast<double>(positions) / elapsed,
                static_cast<double>(found) / static_cast<double>(positions));
    return 0;
}
