#include "engine/game_options.h"

namespace tarvel {

GameOptions WithCountsInRange(GameOptions options) {
    options.pickupforseven = kPickupForSevenRange.Keep(options.pickupforseven);
    options.numberofgames = kNumberOfGamesRange.Keep(options.numberofgames);
    options.dealtcards = kDealtCardsRange.Keep(options.dealtcards);
    options.computerlevel = kComputerLevelRange.Keep(options.computerlevel);
    return options;
}

VoiceLetters VoiceLettersForGender(std::string_view playergender) {
    if (playergender == "m") return {"m", "z"};
    return {"z", "m"};
}

}  // namespace tarvel
