#include "lookahead/lookahead_player.h"

#include <vector>

#include "lookahead/playout.h"
#include "lookahead/sample_deal.h"

namespace tarvel::lookahead {
namespace {

// The moves open to the seat: any deal shows them, since they hang only on its own
// hand and the open table.
std::vector<Decision> Candidates(const rules::Position& world, FastRandom& random) {
    std::vector<Decision> list;
    for (const rules::Move& move : rules::LegalMoves(world)) {
        if (move.kind == rules::MoveKind::Lay) {
            rules::Position after = world;
            rules::Apply(after, move, random);
            if (after.suitToName) {
                for (std::uint8_t suit = 0; suit < 4; ++suit) list.push_back({move, suit});
                continue;
            }
        }
        list.push_back({move, rules::kNoSuit});
    }
    return list;
}

void Play(rules::Position& p, const Decision& d, FastRandom& random) {
    rules::Apply(p, d.move, random);
    if (p.suitToName && d.suit != rules::kNoSuit) rules::Apply(p, rules::Move::NameSuit(d.suit), random);
}

}  // namespace

Decision ChooseMove(const SeatKnowledge& knowledge, bool forPoints, std::uint64_t seed, const Effort& effort) {
    FastRandom random(seed);
    const std::uint8_t seat = knowledge.view.seat;
    const rules::Position first = SampleDeal(knowledge, random);
    const std::vector<Decision> candidates = Candidates(first, random);
    if (candidates.empty()) return {rules::Move{rules::TurnEndingKind(first), 0}, rules::kNoSuit};
    if (candidates.size() == 1) return candidates.front();

    const int count = static_cast<int>(candidates.size());
    int deals = effort.playouts / count;
    if (deals < effort.leastPerMove) deals = effort.leastPerMove;
    std::vector<double> totals(candidates.size(), 0.0);
    long steps = 0;
    for (int k = 0; k < deals && (k < effort.leastPerMove || steps < effort.moveBudget); ++k) {
        const rules::Position world = k == 0 ? first : SampleDeal(knowledge, random);
        const std::uint64_t luck = random.Next();
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            FastRandom playRandom(luck);
            rules::Position p = world;
            Play(p, candidates[i], playRandom);
            totals[i] += PlayOut(p, seat, forPoints, playRandom, steps);
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < totals.size(); ++i) {
        if (totals[i] > totals[best]) best = i;
    }
    return candidates[best];
}

}  // namespace tarvel::lookahead
