// A player of fixed habits: in the same position with the same hand it always makes the
// same move. The strong computer may expect the other side to be such a player, as far
// as the other's own lays have shown it to be: it then reads those lays by the habits
// and lets the other side play by them in the playouts. The model is given from above
// (the engine knows the habits of its own fixed computer); the look-ahead only asks it.
#pragma once

#include "lookahead/fast_random.h"
#include "rules/moves.h"

namespace tarvel::lookahead {

class HabitModel {
  public:
    virtual ~HabitModel() = default;
    // The move of the side to move in `position`, which holds its whole hand. A player
    // whose choice among equal cards follows the order the cards came to it is taken to
    // have had `first` (a card of its hand, or rules::kNoCard) come first and the rest in
    // the order of the cards.
    virtual rules::Move Choose(const rules::Position& position, rules::CardId first, bool forPoints) = 0;
};

// Even a player of these habits strays from them now and then: it lays the card its
// habits choose with this chance, else any card.
inline constexpr double kHabitTrust = 0.9;

// What the computer expects of the other side: with `belief` the chance that it plays
// by `habits`, else that it lays what suits its hand, as the quick policy does. At a
// belief of 0 the habits are never asked.
struct OtherSide {
    HabitModel* habits = nullptr;
    double belief = 0;
};

// Whether one deal is played on the habits' reading: with the chance `other.belief`. No
// number is drawn while the habits are out of the question, so a belief of 0 leaves the
// random source as it was and decides exactly as no habits at all.
inline bool DealByHabits(const OtherSide& other, FastRandom& random) {
    return other.habits != nullptr && other.belief > 0 &&
           static_cast<double>(random.Next() >> 11) * 0x1.0p-53 < other.belief;
}

}  // namespace tarvel::lookahead
