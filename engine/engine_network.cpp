// What the server's messages do to a network game: the start of each game, the
// opponent's moves, the draws, the end of a game and a match broken off. Each step that
// had to wait for the server is taken up here when its message arrives.
#include <algorithm>
#include <string>

#include "engine/engine.h"

namespace tarvel {
namespace {

// Only the four markers a client sends; any other text would lay a card nobody knows.
bool KnownSuitMarker(std::string_view marker) {
    return std::find(kSuitMarkers.begin(), kSuitMarkers.end(), marker) != kSuitMarkers.end();
}

}  // namespace

void Engine::ResumeNetworkWait() {
    switch (net_.waiting) {
        case NetworkWait::None:
            return;
        case NetworkWait::Beginner:
            if (state_.LastStarter > 1) return;
            net_.waiting = NetworkWait::None;
            BeginGame();
            return;
        case NetworkWait::StartCards:
            if (!net_.startCardsComplete) return;
            net_.waiting = NetworkWait::None;
            StartDealtGame();
            return;
        case NetworkWait::PendingCards:
            if (state_.ReturnPending) return;
            net_.waiting = NetworkWait::None;
            state_.ReturnPending = true;  // the loser gives the game up once the cards are taken
            FinishOpponentWin();
            return;
        case NetworkWait::OpponentPoints:
            if (!net_.opponentPoints) return;
            net_.waiting = NetworkWait::None;
            FinishPlayerWin();
            return;
    }
}

void Engine::NetworkMatchRequested() {
    state_.LastStarter = kStarterUnknown;
}

void Engine::NetworkSettingsAgreed() {
    // Agreement comes before each game of a match; one in the middle of a game is stray.
    if (state_.GameRunning || net_.waiting != NetworkWait::None) return;
    net_.active = true;
    Novhra1Click(false);
}

void Engine::NetworkFirstPlayer(std::string_view digit) {
    // Only the first game's message counts; the beginner alternates from there.
    if (!net_.active || state_.LastStarter != kStarterUnknown) return;
    state_.LastStarter = digit.starts_with('0') ? 1 : 0;
    ResumeNetworkWait();
}

void Engine::NetworkOpponentGender(std::string_view letter) {
    // Only a voice the recordings have; anything else keeps the voice the opponent has.
    if (letter.starts_with('m') || letter.starts_with('z')) state_.OpponentVoice = std::string(letter.substr(0, 1));
}

bool Engine::Dealing() const {
    return net_.active && net_.waiting == NetworkWait::StartCards;
}

void Engine::NetworkStartCard(const typhodnoty& card) {
    if (!Dealing() || state_.PlayerHand.Size() >= static_cast<std::size_t>(kDeckSize)) return;
    state_.PlayerHand.AppendCard(card);
}

void Engine::NetworkPileStartCard(const typhodnoty& card) {
    if (!Dealing()) return;
    state_.Pile.PushCard(card);
    speech_.SayPhrase(OV(), card.Name, kCardNameVariant);
    table_.PointAtPile();
}

void Engine::NetworkPileStartSuit(std::string_view marker) {
    if (!Dealing() || state_.Pile.StackEmpty() || !KnownSuitMarker(marker)) return;
    LayNetworkSuitMarker(marker);
    Say("Platí");
    Say(marker);
}

void Engine::NetworkStartCardsDone() {
    if (!Dealing()) return;
    net_.startCardsComplete = true;
    ResumeNetworkWait();
}

void Engine::LayNetworkSuitMarker(std::string_view marker) {
    // The marker shows the picture of the queen under it, renamed to the suit that holds.
    typhodnoty markerCard = state_.Pile.Top();
    markerCard.Name = std::string(marker);
    state_.CurrentCard = markerCard;
    state_.Pile.PushCard(markerCard);
    table_.DrawRequestedSuit();
    state_.RequestedSuitShown = true;
}

bool Engine::Playing() const {
    // The server sends a game's moves only after its whole deal: a move that comes
    // during the deal would be judged on an empty table.
    return net_.active && state_.GameRunning && !Dealing();
}

void Engine::NetworkOpponentCard(const typhodnoty& card) {
    if (!Playing()) return;
    state_.Pile.PushCard(card);
    speech_.SayPhrase(OV(), card.Name, kCardNameVariant);
    SayEffect("vyhození", kThrowVariant);
    table_.PointAtPile();
    ApplyOpponentCard(card);
    // After a queen the turn comes with the suit the opponent names: a card laid before
    // it would be judged against the queen alone, and the suit would then pass the turn
    // back to a player who has already moved.
    if (IsQueen(card.Name) && state_.GameRunning && !state_.PlayerHand.Empty()) state_.PlayerTurn = false;
}

void Engine::NetworkOpponentSuit(std::string_view marker) {
    if (!Playing() || state_.Pile.StackEmpty() || !KnownSuitMarker(marker)) return;
    LayNetworkSuitMarker(marker);
    state_.PlayerTurn = true;
    Say("měním na");
    const std::size_t first = marker.find_first_not_of(' ');
    Say(first == std::string_view::npos ? std::string_view{} : marker.substr(first));
}

void Engine::NetworkCardDrawn(const typhodnoty& card) {
    if (!Playing() || state_.PlayerHand.Size() >= static_cast<std::size_t>(kDeckSize)) return;
    state_.PlayerHand.AppendCard(card);
    state_.PlayerCount = static_cast<std::uint8_t>(state_.PlayerCount + 1);
    table_.DrawPlayerCardAt(state_.PlayerCount);
    SayEffect("lízání");
    if (options_.saypickedcards) speech_.SayPhrase(PV(), card.Name, kCardNameVariant);
}

void Engine::NetworkNothingToDraw() {
    if (Playing()) Say("není z čeho lízat");
}

void Engine::NetworkOpponentDraws() {
    if (Playing()) Say("lížu");
}

void Engine::NetworkOpponentTakesCard() {
    if (!Playing() || state_.OpponentCount >= kDeckSize) return;
    state_.OpponentCount = static_cast<std::uint8_t>(state_.OpponentCount + 1);
    table_.DrawOpponentBackAt(state_.OpponentCount);
    SayEffect("lízání");
}

void Engine::NetworkDrawEnded() {
    if (!Playing()) return;
    state_.PendingDraw = 0;
    state_.AcePending = false;
    state_.ReturnPending = false;
    // The turn passes: from this player when the cards were its own, to it when they were
    // the opponent's (told by the request itself, so a key pressed twice cannot turn it twice).
    state_.PlayerTurn = !net_.awaitingCards;
    net_.awaitingCards = false;
    SelectFirstCard(true);
    ResumeNetworkWait();
}

void Engine::NetworkOpponentOut() {
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    Say("comp poslední karta");
    if (options_.returntogame) {
        OpponentLastCard();
    } else {
        OpponentWinsGame();
    }
}

void Engine::NetworkOpponentStands() {
    if (!Playing()) return;
    state_.AcePending = false;
    Say("stojím");
    state_.PlayerTurn = true;
}

void Engine::NetworkAceCannotReturn() {
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    speech_.SayPhrase(PV(), "nemůžeš vrátit", kPlainVariant);
    PlayerWinsGame();
}

void Engine::NetworkOpponentGivesUp() {
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    state_.PendingDraw = 0;
    PlayerWinsGame();
}

void Engine::NetworkOpponentPoints(std::int32_t points) {
    if (!net_.active) return;
    net_.opponentPoints = points;
    ResumeNetworkWait();
}

void Engine::NetworkTurningPile() {
    if (Playing()) Say("Otáčím hromádku");
}

void Engine::NetworkMatchBrokenOff() {
    if (!net_.active) return;
    net_.waiting = NetworkWait::None;
    FinishMatchAfterThisGame();
    NextGameOrEndMatch();
}

}  // namespace tarvel
