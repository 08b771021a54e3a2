// The rule options that change how a game is played, in the rules' own small form.
#pragma once

#include <cstdint>

namespace tarvel::rules {

struct RuleOptions {
    std::uint8_t sevenDraw = 2;   // cards a seven adds to the pending draw (2 or 3)
    bool kingOfSpades = false;    // the king of spades adds 5 and answers the seven of spades
    bool returnToGame = false;    // an emptied hand may be returned into the game
    bool compulsory = true;       // no drawing, standing or giving up while holding the answer
    bool shuffle = false;         // the turned pile is shuffled into the new stock
    std::uint8_t dealtCards = 5;  // cards dealt to each side (4..10)

    friend bool operator==(const RuleOptions&, const RuleOptions&) = default;
};

}  // namespace tarvel::rules
