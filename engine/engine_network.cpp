// What the server's messages do to a network game: the start of each game, the
// opponent's moves, the draws, the end of a game and a match broken off. Each step that
// had to wait for the server is taken up here when its message arrives.
#include <string>

#include "engine/engine.h"
#include "rules/card_names.h"

namespace tarvel {

void Engine::ResumeNetworkWait() {
    switch (net_.waiting) {
        case NetworkWait::None:
            return;
        case NetworkWait::Beginner:
            if (state_.lastStarter > 1) return;
            net_.waiting = NetworkWait::None;
            BeginGame();
            return;
        case NetworkWait::StartCards:
            if (!net_.startCardsComplete) return;
            net_.waiting = NetworkWait::None;
            StartDealtGame();
            return;
        case NetworkWait::PendingCards:
            if (state_.ReturnPending()) return;
            net_.waiting = NetworkWait::None;
            FinishOpponentWin(true);  // the loser gives the game up once the cards are taken
            return;
        case NetworkWait::OpponentPoints:
            if (!net_.opponentPoints) return;
            net_.waiting = NetworkWait::None;
            FinishPlayerWin();
            return;
    }
}

void Engine::NetworkMatchRequested() {
    state_.lastStarter = kStarterUnknown;
}

void Engine::NetworkSettingsAgreed() {
    // Agreement comes before each game of a match; one in the middle of a game is stray.
    if (state_.running || net_.waiting != NetworkWait::None) return;
    net_.active = true;
    NewGameCommand(false);
}

void Engine::NetworkFirstPlayer(std::string_view digit) {
    // Only the first game's message counts; the beginner alternates from there.
    if (!net_.active || state_.lastStarter != kStarterUnknown) return;
    state_.lastStarter = digit.starts_with('0') ? 1 : 0;
    ResumeNetworkWait();
}

void Engine::NetworkOpponentGender(std::string_view letter) {
    // Only a voice the recordings have; anything else keeps the voice the opponent has.
    if (letter.starts_with('m') || letter.starts_with('z')) state_.opponentVoice = std::string(letter.substr(0, 1));
}

bool Engine::Dealing() const {
    return net_.active && net_.waiting == NetworkWait::StartCards;
}

void Engine::NetworkStartCard(rules::CardId card) {
    // A card dealt twice is one card.
    if (!Dealing() || rules::Holds(state_.game.hands[kPlayerSeat], card)) return;
    rules::CardReceivedReported(Game(), kPlayerSeat, card);
    state_.playerHand.push_back(card);
}

void Engine::NetworkPileStartCard(rules::CardId card) {
    if (!Dealing()) return;
    rules::StartCardReported(Game(), card);
    SayCard(card);
    Tell(GameEventKind::LookAtPile);
}

void Engine::NetworkPileStartSuit(std::string_view marker) {
    const std::uint8_t suit = rules::SuitOfMarker(marker);
    if (!Dealing() || state_.game.Top() == rules::kNoCard || suit == rules::kNoSuit) return;
    rules::SuitHoldsReported(Game(), suit);
    Tell(GameEventKind::SuitNamed);
    Say("Platí");
    Say(marker);
}

void Engine::NetworkStartCardsDone() {
    if (!Dealing()) return;
    net_.startCardsComplete = true;
    ResumeNetworkWait();
}

bool Engine::Playing() const {
    // The server sends a game's moves only after its whole deal: a move that comes
    // during the deal would be judged on an empty table.
    return net_.active && state_.running && !Dealing();
}

void Engine::NetworkOpponentCard(rules::CardId card) {
    if (!Playing()) return;
    SayCard(card);
    SayEffect("vyhození", kThrowVariant);
    Tell(GameEventKind::LookAtPile);
    // After a queen the turn comes with the suit the opponent names: a card laid before
    // it would be judged against the queen alone.
    ApplyOpponentCard(card);
}

void Engine::NetworkOpponentSuit(std::string_view marker) {
    // Only the four markers a client sends; any other text would name no suit.
    const std::uint8_t suit = rules::SuitOfMarker(marker);
    if (!Playing() || state_.game.Top() == rules::kNoCard || suit == rules::kNoSuit) return;
    rules::NameSuitReported(Game(), kOpponentSeat, suit);
    Tell(GameEventKind::SuitNamed);
    Say("měním na");
    Say(rules::SuitWord(suit));
}

void Engine::NetworkCardDrawn(rules::CardId card) {
    // A card already held cannot come again.
    if (!Playing() || rules::Holds(state_.game.hands[kPlayerSeat], card)) return;
    rules::CardReceivedReported(Game(), kPlayerSeat, card);
    state_.playerHand.push_back(card);
    PlayerDrew(state_.PlayerCount(), card);
}

void Engine::NetworkNothingToDraw() {
    if (Playing()) Say("není z čeho lízat");
}

void Engine::NetworkOpponentDraws() {
    if (Playing()) Say("lížu");
}

void Engine::NetworkOpponentTakesCard() {
    if (!Playing() || state_.opponentCount >= rules::kCards) return;
    ++state_.opponentCount;
    OpponentDrew(state_.opponentCount);
}

void Engine::NetworkDrawEnded() {
    if (!Playing()) return;
    // The turn passes: from this player when the cards were its own, to it when they were
    // the opponent's (told by the request itself, so a key pressed twice cannot turn it twice).
    rules::TurnEndedReported(Game(), net_.awaitingCards ? kPlayerSeat : kOpponentSeat);
    net_.awaitingCards = false;
    SelectFirstCard(true);
    ResumeNetworkWait();
}

void Engine::NetworkOpponentOut() {
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    Say("comp poslední karta");
    if (options_.returntogame) {
        OpponentLastCard(state_.game.acePending);
    } else {
        OpponentWinsGame();
    }
}

void Engine::NetworkOpponentStands() {
    if (!Playing()) return;
    rules::TurnEndedReported(Game(), kOpponentSeat);
    Say("stojím");
}

void Engine::NetworkAceCannotReturn() {
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    speech_.SayPhrase(PV(), "nemůžeš vrátit", kPlainVariant);
    PlayerWinsGame();
}

void Engine::NetworkOpponentGivesUp() {
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    PlayerWinsGame();
}

void Engine::NetworkOpponentPoints(std::int32_t points) {
    if (!net_.active) return;
    net_.opponentPoints = points;
    ResumeNetworkWait();
}

void Engine::NetworkTurningPile() {
    if (!Playing()) return;
    rules::PileTurnedReported(Game());
    Say("Otáčím hromádku");
}

void Engine::NetworkMatchBrokenOff() {
    if (!net_.active) return;
    net_.waiting = NetworkWait::None;
    FinishMatchAfterThisGame();
    NextGameOrEndMatch();
}

}  // namespace tarvel
