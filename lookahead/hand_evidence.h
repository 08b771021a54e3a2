// How well a hand the other side may hold explains the cards it chose to lay since it
// last drew: a player who changed to clubs likely holds clubs, one who laid a queen
// while an ordinary card fitted is rare. Soft: every hand the rules allow keeps some
// weight.
#pragma once

#include "lookahead/habit_model.h"
#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {

// The likelihood of the other side's recorded lays if its hand is now `otherHand`, up
// to a factor that is the same for every hand. Above 0 for every hand. With `habits`,
// the other side is taken to play by them (kHabitTrust of its lays), else by its liking.
double EvidenceFor(const SeatKnowledge& knowledge, rules::CardSet otherHand, HabitModel* habits = nullptr,
                   bool forPoints = false);

// The table the other side found for `lay`, holding `hand`.
rules::Position TableOfLay(const OthersLay& lay, const SeatKnowledge& knowledge, rules::CardSet hand);

// The chance that a player of `habits` made `lay` from `hand`, its cards in an order the
// seat cannot know: the habits pick one of the cards they may lay first among equals, each
// as likely, kHabitTrust of the time; else any fitting card, each as likely.
double HabitChanceOfLay(const OthersLay& lay, const SeatKnowledge& knowledge, rules::CardSet hand,
                        HabitModel& habits, bool forPoints);

}  // namespace tarvel::lookahead
