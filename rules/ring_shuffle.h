// The ring-walk shuffle: the deal's and the turned pile's. Seeded alike, a game deals and
// reshuffles alike wherever it is played.
#pragma once

#include <cstdint>

#include "rules/cards.h"

namespace tarvel::rules {

// Takes `n` cards of `ring` (a circle) into `out` from index 0 upwards, `out[0]`
// first: step forward Random(n - k) from the walk position, take that card, and
// go on from the card that followed it. The walk starts at ring[0]. `ring` is used
// up. `Rng` has `std::uint32_t Random(std::uint32_t n)`.
template <typename Rng>
void RingShuffle(CardId* ring, int n, CardId* out, Rng& random) {
    if (n <= 0) return;
    int p = 0;
    int taken = 0;
    while (n > 1) {
        p = static_cast<int>((static_cast<std::uint32_t>(p) + random.Random(static_cast<std::uint32_t>(n))) %
                             static_cast<std::uint32_t>(n));
        out[taken++] = ring[p];
        for (int i = p; i + 1 < n; ++i) ring[i] = ring[i + 1];
        --n;
        if (p == n) p = 0;
    }
    out[taken] = ring[0];
}

}  // namespace tarvel::rules
