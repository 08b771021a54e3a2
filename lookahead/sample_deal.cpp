#include "lookahead/sample_deal.h"

#include <cmath>

#include "lookahead/hand_evidence.h"

namespace tarvel::lookahead {
namespace {

// Takes `count` cards at random out of `from` (which holds at least that many).
rules::CardSet TakeRandom(rules::CardSet from, int count, FastRandom& random) {
    rules::CardSet taken = 0;
    for (int i = 0; i < count && from != 0; ++i) {
        int skip = static_cast<int>(random.Random(static_cast<std::uint32_t>(rules::CountOf(from))));
        rules::CardSet rest = from;
        while (skip-- > 0) rest &= rest - 1;
        const rules::CardSet bit = rest & (~rest + 1);
        taken |= bit;
        from &= ~bit;
    }
    return taken;
}

// Lays the cards of `set` into `out` in random order; returns how many.
std::uint8_t Scatter(rules::CardSet set, rules::CardId* out, FastRandom& random) {
    int n = 0;
    for (rules::CardSet s = set; s != 0; s &= s - 1) out[n++] = rules::LowestCard(s);
    for (int i = n - 1; i > 0; --i) {
        const int j = static_cast<int>(random.Random(static_cast<std::uint32_t>(i + 1)));
        const rules::CardId t = out[i];
        out[i] = out[j];
        out[j] = t;
    }
    return static_cast<std::uint8_t>(n);
}

double Choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    double c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}

}  // namespace

DealSampler::DealSampler(const SeatKnowledge& k, HabitModel* habits, bool forPoints)
    : knowledge_(k), habits_(habits), forPoints_(forPoints) {
    const rules::SeatView& v = k.view;
    other_ = rules::OtherSeat(v.seat);
    rules::Position& p = table_;
    p.rules = v.rules;
    p.hands[v.seat] = v.ownHand;
    p.pile = v.pile;
    p.pileSize = v.pileSize;
    p.namedSuit = v.namedSuit;
    p.toMove = v.toMove;
    p.pendingDraw = v.pendingDraw;
    p.acePending = v.acePending;
    p.suitToName = v.suitToName;
    p.outSeat = v.outSeat;
    p.stockOrderKnown = k.stockOrderKnown;

    if (k.stockOrderKnown) {
        rules::CardSet stock = 0;
        for (int i = 0; i < v.stockSize; ++i) stock |= rules::Bit(k.stockOrder[static_cast<std::size_t>(i)]);
        if ((stock & ~v.unseen) == 0 && rules::CountOf(stock) == v.stockSize &&
            rules::CountOf(v.unseen & ~stock) == v.otherCount) {
            p.stock = k.stockOrder;
            p.stockSize = v.stockSize;
            p.hands[other_] = v.unseen & ~stock;
            certain_ = true;
            return;
        }
    }
    p.stockOrderKnown = false;
    // Knowledge that does not add up is dropped rather than trusted.
    sure_ = v.unseen & ~k.stockCandidates;
    if (rules::CountOf(sure_) > v.otherCount) sure_ = 0;
    const rules::CardSet pool = v.unseen & ~sure_;
    toTake_ = v.otherCount - rules::CountOf(sure_);
    ruledOutPool_ = pool & k.ruledOut;
    doubtedPool_ = pool & k.doubted & ~k.ruledOut;
    freePool_ = pool & ~ruledOutPool_ & ~doubtedPool_;
    sureRuledOut_ = rules::CountOf(sure_ & k.ruledOut);
    sureDoubted_ = rules::CountOf(sure_ & k.doubted & ~k.ruledOut);
    drawnSince_ = k.drawnSince;
    TableMixes(true);
    if (mixes_.empty()) TableMixes(false);
}

double DealSampler::WeightOf(int ruledOut, int doubted) const {
    const int heldRuledOut = sureRuledOut_ + ruledOut;
    if (heldRuledOut > drawnSince_) return 0;
    // Cards drawn since may explain what it holds; the rest it kept on purpose.
    const int kept = sureDoubted_ + doubted - (drawnSince_ - heldRuledOut);
    return kept > 0 ? std::pow(kKeptCardWeight, kept) : 1.0;
}

void DealSampler::TableMixes(bool withInferences) {
    mixes_.clear();
    if (!withInferences) {
        freePool_ |= ruledOutPool_ | doubtedPool_;
        ruledOutPool_ = doubtedPool_ = 0;
        sureRuledOut_ = sureDoubted_ = drawnSince_ = 0;
    }
    const int nr = rules::CountOf(ruledOutPool_), nd = rules::CountOf(doubtedPool_),
              nf = rules::CountOf(freePool_);
    double total = 0;
    for (int r = 0; r <= nr && r <= toTake_; ++r) {
        for (int d = 0; d <= nd && r + d <= toTake_; ++d) {
            const int f = toTake_ - r - d;
            if (f > nf) continue;
            const double w =
                Choose(nr, r) * Choose(nd, d) * Choose(nf, f) * (withInferences ? WeightOf(r, d) : 1.0);
            if (w <= 0) continue;
            total += w;
            mixes_.push_back({static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(d),
                              static_cast<std::uint8_t>(f), total});
        }
    }
}

rules::Position DealSampler::Sample(FastRandom& random, bool byHabits) const {
    if (certain_ || knowledge_.layCount == 0) return SampleBlind(random);
    // Of a few deals, one picked by how well it explains the other's lays.
    std::array<rules::Position, kDealsToPickFrom> deals;
    std::array<double, kDealsToPickFrom> weights{};
    double total = 0;
    for (std::size_t i = 0; i < deals.size(); ++i) {
        deals[i] = SampleBlind(random);
        const rules::CardSet hand = deals[i].hands[other_];
        if (byHabits && habits_ != nullptr) {
            const auto known = byHabits_.find(hand);
            weights[i] = known != byHabits_.end() ? known->second
                                                  : byHabits_[hand] = EvidenceFor(knowledge_, hand, habits_, forPoints_);
        } else {
            weights[i] = EvidenceFor(knowledge_, hand);
        }
        total += weights[i];
    }
    double at = static_cast<double>(random.Next() >> 11) * 0x1.0p-53 * total;
    std::size_t i = 0;
    while (i + 1 < deals.size() && at >= weights[i]) at -= weights[i++];
    return deals[i];
}

rules::Position DealSampler::SampleBlind(FastRandom& random) const {
    rules::Position p = table_;
    if (certain_) return p;
    rules::CardSet hand = sure_;
    if (!mixes_.empty()) {
        // A uniform number below the total picks the mix.
        const double total = mixes_.back().upTo;
        const double at = static_cast<double>(random.Next() >> 11) * 0x1.0p-53 * total;
        std::size_t i = 0;
        while (i + 1 < mixes_.size() && mixes_[i].upTo <= at) ++i;
        const Mix& m = mixes_[i];
        hand |= TakeRandom(ruledOutPool_, m.ruledOut, random) | TakeRandom(doubtedPool_, m.doubted, random) |
                TakeRandom(freePool_, m.free, random);
    }
    p.hands[other_] = hand;
    p.stockSize = Scatter((ruledOutPool_ | doubtedPool_ | freePool_) & ~hand, p.stock.data(), random);
    return p;
}

bool DealSampler::CanDeal(rules::CardSet hand) const {
    if (certain_) return hand == table_.hands[other_];
    const rules::CardSet pool = ruledOutPool_ | doubtedPool_ | freePool_;
    if ((hand & sure_) != sure_ || (hand & ~sure_ & ~pool) != 0) return false;
    const int r = rules::CountOf(hand & ruledOutPool_), d = rules::CountOf(hand & doubtedPool_),
              f = rules::CountOf(hand & freePool_);
    for (const Mix& m : mixes_) {
        if (m.ruledOut == r && m.doubted == d && m.free == f) return true;
    }
    return false;
}

}  // namespace tarvel::lookahead
