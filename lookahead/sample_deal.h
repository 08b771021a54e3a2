// Ways the unseen cards may lie: whole positions that agree with everything the seat
// knows, drawn so that what the other side's draws and stands suggest makes a deal
// less likely but never impossible unless the rules make it so. The look-ahead plays
// its candidate moves out on many of them.
#pragma once

#include <array>
#include <unordered_map>
#include <vector>

#include "lookahead/fast_random.h"
#include "lookahead/habit_model.h"
#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {

// How much less likely a deal becomes for each card in the other hand it would have
// kept rather than lay when it drew or stood. Players keep cards on purpose now and
// then; the computer that plays by fixed preferences almost never does.
inline constexpr double kKeptCardWeight = 0.25;
// A deal is picked from this many by how well it explains the other's lays.
inline constexpr std::size_t kDealsToPickFrom = 8;

class DealSampler {
  public:
    // `habits`: what the other side may be expected to play by, to read its lays by.
    explicit DealSampler(const SeatKnowledge& knowledge, HabitModel* habits = nullptr, bool forPoints = false);

    // A deal, picked by how well it explains the other's lays: by its liking, or by its
    // habits when `byHabits`.
    rules::Position Sample(FastRandom& random, bool byHabits = false) const;
    // A deal as likely as any other the seat's knowledge allows, whatever the lays say.
    rules::Position SampleBlind(FastRandom& random) const;
    // True when Sample can deal `hand` to the other side.
    bool CanDeal(rules::CardSet hand) const;
    // Only one deal agrees with what the seat knows.
    bool Certain() const { return certain_; }

  private:
    // How many cards of each kind the other hand takes from the pool, and the running
    // total of their weights.
    struct Mix {
        std::uint8_t ruledOut, doubted, free;
        double upTo;
    };
    double WeightOf(int ruledOut, int doubted) const;
    void TableMixes(bool withInferences);

    SeatKnowledge knowledge_;
    HabitModel* habits_ = nullptr;
    bool forPoints_ = false;
    rules::Position table_;  // the open table, the other hand and the stock empty
    std::uint8_t other_ = 1;
    bool certain_ = false;
    rules::CardSet sure_ = 0;  // unseen cards surely in the other hand
    rules::CardSet ruledOutPool_ = 0, doubtedPool_ = 0, freePool_ = 0;
    int toTake_ = 0;  // cards the other hand takes from the pool
    int sureRuledOut_ = 0, sureDoubted_ = 0, drawnSince_ = 0;
    std::vector<Mix> mixes_;
    // The weight by the habits of each other hand met so far: asking the habits is slow,
    // and the same hands come up again and again.
    mutable std::unordered_map<rules::CardSet, double> byHabits_;
};

}  // namespace tarvel::lookahead
