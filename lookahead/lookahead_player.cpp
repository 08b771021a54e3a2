#include "lookahead/lookahead_player.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "lookahead/exact_search.h"
#include "lookahead/playout.h"
#include "lookahead/sample_deal.h"

namespace tarvel::lookahead {
namespace {

// A draw with nothing to draw from that changes nothing but whose turn it is. Made
// while a card could be laid, it can leave a player with nothing that fits drawing
// nothing for ever: the game would never end.
bool DrawsNothing(const rules::Position& p, const rules::Move& move) {
    return move.kind == rules::MoveKind::Draw && p.stockSize == 0 && p.PileCannotTurn() && p.pendingDraw == 0 &&
           p.outSeat == rules::kNoSeat;
}

// The moves open to the seat: any deal shows them, since they hang only on its own
// hand and the open table. A queen is tried with each suit the hand keeps a card of
// (with every suit when it keeps none). No draw from nothing while a card can be laid.
std::vector<Decision> Candidates(const rules::Position& world) {
    std::vector<Decision> list;
    const rules::CardSet hand = world.hands[world.toMove];
    const bool canLay = rules::LayableCards(world) != 0;
    for (const rules::Move& move : rules::LegalMoves(world)) {
        if (canLay && DrawsNothing(world, move)) continue;
        const bool asksSuit = move.kind == rules::MoveKind::Lay &&
                              rules::EffectOfCard(move.value, world.rules) == rules::CardEffect::NameSuit &&
                              (rules::CountOf(hand) > 1 || world.rules.returnToGame);
        if (!asksSuit) {
            list.push_back({move, rules::kNoSuit});
            continue;
        }
        const rules::CardSet kept = hand & ~rules::Bit(move.value) & ~rules::kQueens;
        for (std::uint8_t suit = 0; suit < 4; ++suit) {
            if (kept == 0 || (kept & rules::SuitSet(suit)) != 0) list.push_back({move, suit});
        }
    }
    return list;
}

void Play(rules::Position& p, const Decision& d, FastRandom& random) {
    rules::Apply(p, d.move, random);
    if (p.suitToName && d.suit != rules::kNoSuit) rules::Apply(p, rules::Move::NameSuit(d.suit), random);
}

// With nothing hidden, the moves proven to win, else all but those proven to lose.
// `proven`: the moves returned are proven wins.
std::vector<Decision> Unrefuted(const rules::Position& world, const std::vector<Decision>& candidates,
                                const Effort& effort, bool& proven) {
    std::vector<Decision> wins, open;
    const long share = effort.exactNodes / static_cast<long>(candidates.size());
    for (const Decision& d : candidates) {
        rules::Position after = world;
        FastRandom unused(0);
        if (rules::Apply(after, d.move, unused).pileTurned && world.rules.shuffle) {
            open.push_back(d);  // the move itself shuffled a turned pile: luck decides
            continue;
        }
        if (after.suitToName && d.suit != rules::kNoSuit)
            rules::Apply(after, rules::Move::NameSuit(d.suit), unused);
        long left = share;
        const Proof proof = ProveOutcome(after, world.toMove, effort.exactDepth, left);
        if (proof == Proof::Win) wins.push_back(d);
        if (proof == Proof::Open) open.push_back(d);
    }
    proven = !wins.empty();
    if (proven) return wins;
    return open.empty() ? candidates : open;
}

}  // namespace

Decision ChooseMove(const SeatKnowledge& knowledge, bool forPoints, std::uint64_t seed, const Effort& effort,
                    SearchReport* report, const OtherSide& other) {
    FastRandom random(seed);
    const std::uint8_t seat = knowledge.view.seat;
    const DealSampler sampler(knowledge, other.habits, forPoints);
    const bool firstByHabits = DealByHabits(other, random);
    const rules::Position first = sampler.Sample(random, firstByHabits);
    std::vector<Decision> candidates = Candidates(first);
    SearchReport spent;
    spent.candidates = static_cast<int>(candidates.size());
    if (report) *report = spent;
    if (candidates.empty()) return {rules::Move{rules::TurnEndingKind(first), 0}, rules::kNoSuit};
    if (candidates.size() == 1) return candidates.front();
    if (sampler.Certain()) {
        bool proven = false;
        candidates = Unrefuted(first, candidates, effort, proven);
        // A proven win is enough, unless the points it wins still differ.
        if (candidates.size() == 1 || (proven && !forPoints)) return candidates.front();
    }

    // Rounds of halving: each round plays the moves still in on the same fresh deals,
    // then keeps the better half; the totals run on, as every move still in has been
    // played on the same deals.
    std::vector<double> totals(candidates.size(), 0.0);
    std::vector<int> tried(candidates.size(), 0);
    std::vector<std::size_t> alive(candidates.size());
    std::iota(alive.begin(), alive.end(), std::size_t{0});
    int rounds = 0;
    for (std::size_t n = alive.size(); n > 1; n = (n + 1) / 2) ++rounds;
    int budget = effort.playouts;
    bool firstDeal = true;
    for (int round = 0; round < rounds && alive.size() > 1; ++round) {
        int deals = budget / (rounds - round) / static_cast<int>(alive.size());
        if (round == 0 && deals < effort.leastPerMove) deals = effort.leastPerMove;
        if (deals < 1) deals = 1;
        for (int k = 0; k < deals && (k == 0 || spent.steps < effort.moveBudget); ++k) {
            const bool habitsHere = firstDeal ? firstByHabits : DealByHabits(other, random);
            const rules::Position world = firstDeal ? first : sampler.Sample(random, habitsHere);
            HabitModel* const playedBy = habitsHere ? other.habits : nullptr;
            firstDeal = false;
            const std::uint64_t luck = random.Next();
            for (std::size_t i : alive) {
                FastRandom playRandom(luck);
                rules::Position p = world;
                Play(p, candidates[i], playRandom);
                totals[i] += PlayOut(p, seat, forPoints, playRandom, spent.steps, playedBy);
                ++spent.playouts;
                ++tried[i];
                budget -= 1;
            }
        }
        std::stable_sort(alive.begin(), alive.end(),
                         [&](std::size_t a, std::size_t b) { return totals[a] > totals[b]; });
        alive.resize((alive.size() + 1) / 2);
    }
    spent.chosenPlayouts = tried[alive.front()];
    spent.fewestPlayouts = *std::min_element(tried.begin(), tried.end());
    if (report) *report = spent;
    return candidates[alive.front()];
}

}  // namespace tarvel::lookahead
