#include "session/scores/score_table_buttons.h"

#include "engine/speech_port.h"

namespace tarvel {

ScoreTableButtons EndOfGameButtons(std::uint8_t numberOfGames, std::uint16_t gameNumber) {
    const bool goesOn = MatchGoesOn(MatchStanding{0, 0, numberOfGames, gameNumber});
    return ScoreTableButtons{true, goesOn, !goesOn};
}

}  // namespace tarvel
