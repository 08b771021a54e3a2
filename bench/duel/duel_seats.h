// The players of the duel: the strong computer (or, for a diagnosis, the same one
// shown every card), the described computer, a player of random legal moves, and the
// strong computer as it played before its second round.
#pragma once

#include <vector>

#include "bench/duel/duel_game.h"
#include "bench/duel/previous_strong.h"
#include "engine/described_habits.h"
#include "engine/game_options.h"
#include "lookahead/habit_belief.h"
#include "lookahead/lookahead_player.h"

namespace tarvel::duel {

class StrongSeat final : public Seat {
  public:
    // For a diagnosis only, never a level of the game: it is shown the other hand, or
    // the other hand and the stock in its order; the figure says how much a better
    // reading of the hidden cards could still win.
    enum class Shown { Nothing, Hand, HandAndStock };
    // `habits`: it weighs how far the other side plays like the described computer, as
    // the level does, over all the games of the seat (one match).
    StrongSeat(bool forPoints, Shown shown, bool habits) : forPoints_(forPoints), shown_(shown), habits_(habits) {}
    void NewDeal() override {
        record_.Reset();
        belief_.NewDeal();
    }
    SeatMove Move(const SeatTurn& turn) override;
    void AfterOwnMove(const rules::Position& position, std::uint8_t seat) override;

    // Decisions with at least two candidates: processor time in microseconds, playouts.
    std::vector<float> micros;
    std::vector<int> playouts;
    std::vector<float> beliefs;  // in the other's habits, at each such decision

  private:
    bool forPoints_;
    Shown shown_;
    bool habits_;
    lookahead::KnowledgeRecord record_;
    DescribedHabits fixedHabits_;
    lookahead::HabitBelief belief_;
};

class DescribedSeat final : public Seat {
  public:
    explicit DescribedSeat(const GameOptions& options) : options_(options) {}
    SeatMove Move(const SeatTurn& turn) override;

  private:
    GameOptions options_;
};

class RandomSeat final : public Seat {
  public:
    SeatMove Move(const SeatTurn& turn) override;
};

class PreviousSeat final : public Seat {
  public:
    explicit PreviousSeat(bool forPoints) : forPoints_(forPoints) {}
    void NewDeal() override { strong_.Reset(); }
    SeatMove Move(const SeatTurn& turn) override;
    void AfterOwnMove(const rules::Position& position, std::uint8_t seat) override {
        strong_.AfterOwnMove(position, seat);
    }

  private:
    bool forPoints_;
    PreviousStrongSeat strong_;
};

}  // namespace tarvel::duel
