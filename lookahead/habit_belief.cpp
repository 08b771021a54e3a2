#include "lookahead/habit_belief.h"

#include <algorithm>
#include <cmath>

#include "lookahead/hand_evidence.h"
#include "lookahead/sample_deal.h"

namespace tarvel::lookahead {
namespace {

// The chance of the lays since the last draw from a hand that holds `handNow` now, under
// either reading; both 0 when the hand could not have made them.
struct Chances {
    double byHabits = 1, otherwise = 1;
};

Chances ChancesOfLays(const SeatKnowledge& k, rules::CardSet handNow, HabitModel& habits, bool forPoints) {
    Chances c;
    rules::CardSet hand = handNow;
    for (int i = k.layCount - 1; i >= 0; --i) {
        const OthersLay& lay = k.lays[static_cast<std::size_t>(i)];
        hand |= rules::Bit(lay.card);
        const rules::CardSet layable = rules::LayableCards(TableOfLay(lay, k, hand));
        if (!rules::Holds(layable, lay.card)) return {0, 0};
        c.byHabits *= HabitChanceOfLay(lay, k, hand, habits, forPoints);
        c.otherwise *= 1.0 / rules::CountOf(layable);
    }
    return c;
}

}  // namespace

void HabitBelief::Reset() {
    earlier_ = since_ = 0;
    read_ = 0;
}

void HabitBelief::NewDeal() {
    Commit();
    read_ = 0;
}

void HabitBelief::Commit() {
    earlier_ = std::clamp(earlier_ + since_, -kMostEvidence, kMostEvidence);
    since_ = 0;
}

double HabitBelief::Belief() const {
    const double evidence = std::clamp(earlier_ + since_, -kMostEvidence, kMostEvidence);
    const double odds = kHabitPrior / (1.0 - kHabitPrior) * std::exp(evidence);
    return odds / (1.0 + odds);
}

void HabitBelief::Observe(const SeatKnowledge& k, HabitModel& habits, bool forPoints, std::uint64_t seed) {
    if (k.laysSeen == read_) return;
    // A first lay since a draw, or a record that began again: what was read stays.
    if (k.layCount <= 1 || k.laysSeen < read_) Commit();
    read_ = k.laysSeen;
    if (k.layCount == 0) return;
    const DealSampler sampler(k);
    FastRandom random(seed ^ 0x6A09E667F3BCC909ull);
    const std::uint8_t other = rules::OtherSeat(k.view.seat);
    double byHabits = 0, otherwise = 0;
    for (int i = 0; i < kHandsAsked; ++i) {
        const Chances c = ChancesOfLays(k, sampler.SampleBlind(random).hands[other], habits, forPoints);
        byHabits += c.byHabits;
        otherwise += c.otherwise;
    }
    if (otherwise > 0) since_ = std::log(byHabits / otherwise);
}

}  // namespace tarvel::lookahead
