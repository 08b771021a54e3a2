#include "lookahead/sample_deal.h"

namespace tarvel::lookahead {
namespace {

// Takes `count` cards at random out of `from` (which holds at least that many).
rules::CardSet TakeRandom(rules::CardSet& from, int count, FastRandom& random) {
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

}  // namespace

rules::Position SampleDeal(const SeatKnowledge& k, FastRandom& random) {
    const rules::SeatView& v = k.view;
    const std::uint8_t other = rules::OtherSeat(v.seat);
    rules::Position p;
    p.rules = v.rules;
    p.hands[v.seat] = v.ownHand;
    p.namedSuit = v.namedSuit;
    p.toMove = v.toMove;
    p.pendingDraw = v.pendingDraw;
    p.acePending = v.acePending;
    p.suitToName = v.suitToName;
    p.outSeat = v.outSeat;
    p.stockOrderKnown = v.stockOrderKnown;

    // The pile under the top: every card neither held nor unseen, its order not kept.
    rules::CardSet under = rules::kAllCards & ~v.ownHand & ~v.unseen;
    if (v.top != rules::kNoCard) under &= ~rules::Bit(v.top);
    p.pileSize = Scatter(under, p.pile.data(), random);
    if (v.top != rules::kNoCard) p.pile[p.pileSize++] = v.top;

    if (v.stockOrderKnown) {
        p.stock = k.knownStock;
        p.stockSize = v.stockSize;
        p.hands[other] = v.unseen & ~p.StockSet();
        return p;
    }
    rules::CardSet pool = v.unseen;
    // The cards it held when it showed what it lacks come from outside that set.
    rules::CardSet allowed = pool & ~k.lacks;
    int sure = v.otherCount - k.unsureCards;
    if (sure < 0) sure = 0;
    if (sure > rules::CountOf(allowed)) sure = rules::CountOf(allowed);
    rules::CardSet hand = TakeRandom(allowed, sure, random);
    pool &= ~hand;
    hand |= TakeRandom(pool, v.otherCount - sure, random);
    p.hands[other] = hand;
    p.stockSize = Scatter(pool, p.stock.data(), random);
    return p;
}

}  // namespace tarvel::lookahead
