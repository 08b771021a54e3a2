// How well a hand the other side may hold explains the cards it chose to lay since it
// last drew: a player who changed to clubs likely holds clubs, one who laid a queen
// while an ordinary card fitted is rare. Soft: every hand the rules allow keeps some
// weight.
#pragma once

#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {

// The likelihood of the other side's recorded lays if its hand is now `otherHand`, up
// to a factor that is the same for every hand. Above 0 for every hand.
double EvidenceFor(const SeatKnowledge& knowledge, rules::CardSet otherHand);

}  // namespace tarvel::lookahead
