// How far the other side plays by a known set of habits, as its own lays in the match so
// far have shown: two readings, "it plays by these habits" and "it plays otherwise" (any
// fitting card about as likely as another), even at the start and weighed by each lay
// it makes. Its hand is unseen, so the chance of its lays under each reading is taken
// over hands the seat's knowledge allows; the lays since its last draw are weighed
// together, as they came from one hand. A lay its habits would not make weighs against
// them but never rules them out, nor does a habitual lay rule out the other reading.
#pragma once

#include <cstdint>

#include "lookahead/habit_model.h"
#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {

inline constexpr double kHabitPrior = 0.5;
// The most the evidence may weigh either way (log odds): the belief stays between 0.005
// and 0.995, so a player who changes his ways is read anew within a few games.
inline constexpr double kMostEvidence = 5.3;
// Hands the chance of the lays is taken over.
inline constexpr int kHandsAsked = 32;

class HabitBelief {
  public:
    // A new match: even odds again.
    void Reset();
    // A new deal: what the last game's lays showed stays.
    void NewDeal();
    // Reads the other side's lays in `knowledge` when it shows one not read yet. `seed`
    // chooses the hands it may have laid from.
    void Observe(const SeatKnowledge& knowledge, HabitModel& habits, bool forPoints, std::uint64_t seed);
    // The chance that the other side plays by the habits.
    double Belief() const;

  private:
    void Commit();

    double earlier_ = 0;  // the weight of evidence (log odds) of the lays before its last draw
    double since_ = 0;    // and of those since
    std::uint16_t read_ = 0;  // the knowledge's laysSeen when last read
};

}  // namespace tarvel::lookahead
