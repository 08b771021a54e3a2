// One move of each kind the rules refuse, for a server whose deal comes from a source
// that always answers 0 with the settings of the scripted matches (four cards each,
// the king of spades, the return rule and points on, nothing compulsory): player 0
// holds the four aces, player 1 the four kings, the queen of clubs is turned up and
// player 0 begins.
#pragma once

#include <string>
#include <vector>

namespace tarvel::server::testing {

struct RefusedMove {
    int player;
    std::vector<std::string> player0First;  // played first by player 0, by the rules
    std::string move;
    std::string reason;  // as the log gives it
};

inline std::vector<RefusedMove> RefusedMoves() {
    return {
        {0, {}, "sendcard0=7 srdcová", "tu kartu nemá"},
        {0, {}, "sendcard0=eso nijaké", "taková karta neexistuje"},
        {1, {}, "sendcard1=král křížový", "není na tahu"},
        {0, {}, "sendcard0=eso srdcové", "karta nejde hrát na kartu na hromádce"},
        {1, {"sendcard0=eso křížové"}, "sendcard1=král pikový", "musí hrát eso, nebo stát"},
        {0, {}, "sendcolor0= piky", "tento tah teď nejde udělat"},
        {0, {}, "standing0", "tento tah teď nejde udělat"},
        {1, {"sendcard0=eso křížové"}, "req card1=1", "tento tah teď nejde udělat"},
        {0, {}, "req card0=3", "pravidla dávají 1 karet"},
        {0, {}, "req card0=tři", "pravidla dávají 1 karet"},
        {1, {}, "req card1=1", "není na tahu"},
        {0, {}, "i have no cards0", "hlásí, že nemá karty, ale drží jich 4"},
        {1, {}, "acecannotreturn1", "hru neprohrál"},
        {1, {}, "i give it up1", "není na tahu"},
        {1, {}, "points1=8", "hru neprohrál"},
        // Taken in the middle of a match, the other player would never hear its end.
        {1, {"sendcard0=eso křížové"}, "end of game1", "hra ještě není rozhodnutá"},
    };
}

inline std::string RefusalLine(int player, const std::string& reason, const std::string& message) {
    return "hráč " + std::to_string(player) + " poslal tah, který nelze zahrát (" + reason + "): " + message +
           ", zpráva nebyla předána";
}

}  // namespace tarvel::server::testing
