#include "engine/game_options.h"

namespace tarvel {

GameOptions WithCountsInRange(GameOptions options) {
    options.pickupforseven = kPickupForSevenRange.Keep(options.pickupforseven);
    options.numberofgames = kNumberOfGamesRange.Keep(options.numberofgames);
    options.dealtcards = kDealtCardsRange.Keep(options.dealtcards);
    options.computerlevel = kComputerLevelRange.Keep(options.computerlevel);
    return options;
}

rules::RuleOptions RulesOf(const GameOptions& options) {
    rules::RuleOptions r;
    r.sevenDraw = kPickupForSevenRange.Keep(options.pickupforseven);
    r.kingOfSpades = options.kingofspades;
    r.returnToGame = options.returntogame;
    r.compulsory = options.compulsory;
    r.shuffle = options.shufflecards;
    r.dealtCards = kDealtCardsRange.Keep(options.dealtcards);
    return r;
}

VoiceLetters VoiceLettersForGender(std::string_view playergender) {
    if (playergender == "m") return {"m", "z"};
    return {"z", "m"};
}

}  // namespace tarvel
