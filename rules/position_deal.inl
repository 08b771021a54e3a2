// The deal, kept with Position because it is a template over the random source.
#pragma once

#include "rules/ring_shuffle.h"

namespace tarvel::rules {

template <typename Rng>
Position Deal(const RuleOptions& rules, std::uint8_t firstToMove, Rng& random, DealtOrder* order) {
    Position p;
    p.rules = rules;
    std::array<CardId, kCards> ring{};
    for (int i = 0; i < kCards; ++i) ring[static_cast<std::size_t>(i)] = static_cast<CardId>(i);
    RingShuffle(ring.data(), kCards, p.stock.data(), random);
    p.stockSize = kCards;
    // Both hands and the start card come out of the 32.
    const int dealt = rules.dealtCards < kCards / 2 ? rules.dealtCards : kCards / 2 - 1;
    if (order != nullptr) order->perHand = static_cast<std::uint8_t>(dealt);
    for (std::uint8_t seat = 0; seat < 2; ++seat) {
        for (int i = 0; i < dealt; ++i) {
            const CardId card = p.stock[--p.stockSize];
            p.hands[seat] |= Bit(card);
            if (order != nullptr) order->hands[seat][static_cast<std::size_t>(i)] = card;
        }
    }
    const CardId start = p.stock[--p.stockSize];
    p.pile[p.pileSize++] = start;
    if (RankOf(start) == kQueen) p.namedSuit = SuitOf(start);
    p.toMove = firstToMove;
    return p;
}

}  // namespace tarvel::rules
