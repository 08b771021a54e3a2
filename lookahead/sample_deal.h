// One way the unseen cards may lie: a whole position that agrees with everything the
// seat knows. The look-ahead plays its candidate moves out on many of them.
#pragma once

#include "lookahead/fast_random.h"
#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {

rules::Position SampleDeal(const SeatKnowledge& knowledge, FastRandom& random);

}  // namespace tarvel::lookahead
