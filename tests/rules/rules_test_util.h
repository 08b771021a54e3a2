// Building positions for the rules tests by card names.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "rules/card_names.h"
#include "rules/moves.h"
#include "rules/position.h"

namespace tarvel::rules::testing {

inline CardId C(std::string_view name) { return IdOfName(name); }

inline CardSet Hand(std::initializer_list<std::string_view> names) {
    CardSet set = 0;
    for (auto name : names) set |= Bit(C(name));
    return set;
}

// Seat 0 to move, holding `hand`, the pile showing `top` over `under`.
inline Position Table(CardSet hand, std::string_view top, std::initializer_list<std::string_view> under = {}) {
    Position p;
    p.hands[0] = hand;
    p.hands[1] = Hand({"kluk křížový", "8 kárová"});
    for (auto name : under) p.pile[p.pileSize++] = C(name);
    p.pile[p.pileSize++] = C(top);
    return p;
}

// Draws that must not happen: any draw fails the test.
struct NoRandom {
    std::uint32_t Random(std::uint32_t) {
        ADD_FAILURE() << "no shuffle expected";
        return 0;
    }
};

// A fixed sequence of draws, then zeros.
struct ScriptedRandom {
    std::uint32_t Random(std::uint32_t n) { return next < 64 ? values[next++] % n : 0; }
    std::uint32_t values[64] = {};
    int next = 0;
};

}  // namespace tarvel::rules::testing
