// The fixed computer's choice in a whole position, and its habits as the strong
// computer's model of an opponent that plays by them.
#pragma once

#include <span>
#include <vector>

#include "engine/computer_opponent.h"
#include "lookahead/habit_model.h"
#include "lookahead/lookahead_player.h"

namespace tarvel {

// What the fixed computer does as the side to move in `position`, its hand walked in
// `order`: the move, and after a queen the suit it names.
lookahead::Decision FixedComputerChoice(ComputerOpponent& computer, const rules::Position& position,
                                        std::span<const rules::CardId> order, bool forPoints);

class DescribedHabits final : public lookahead::HabitModel {
  public:
    rules::Move Choose(const rules::Position& position, rules::CardId first, bool forPoints) override;

  private:
    ComputerOpponent computer_;
    std::vector<rules::CardId> order_;
};

}  // namespace tarvel
