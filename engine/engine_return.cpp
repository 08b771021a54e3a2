// A network match that survives a lost connection: what the player hears while the
// client tries to come back, what he hears of an opponent who lost his, and the
// position the server sends a player who is back.
#include <algorithm>

#include "engine/engine.h"
#include "rules/card_names.h"

namespace tarvel {

void Engine::NetworkConnectionLost() {
    if (!net_.active) return;
    Announce(MessageLine::ConnectionLost);
    speech_.SayPhrase(PV(), "spojení se přerušilo", kPlainVariant);
    speech_.SayPhrase(PV(), "zkouším to znovu", kPlainVariant);
}

void Engine::NetworkConnectionBack() {
    if (!net_.active) return;
    Announce(MessageLine::ConnectionBack);
    speech_.SayPhrase(PV(), "spojení obnoveno", kPlainVariant);
}

void Engine::NetworkOpponentAway() {
    if (!net_.active || net_.opponentAway) return;
    net_.opponentAway = true;
    Announce(MessageLine::OpponentConnectionLost);
    speech_.SayPhrase(PV(), "soupeř ztratil spojení", kPlainVariant);
}

void Engine::NetworkOpponentBack() {
    if (!net_.active || !net_.opponentAway) return;
    net_.opponentAway = false;
    Announce(MessageLine::OpponentBack);
    speech_.SayPhrase(PV(), "soupeř je zpět", kPlainVariant);
}

void Engine::NetworkOpponentNotBack() {
    if (!net_.active || !net_.opponentAway) return;
    net_.opponentAway = false;
    Announce(MessageLine::OpponentNotBack);
    speech_.SayPhrase(PV(), "soupeř se nevrátil", kPlainVariant);
}

void Engine::NetworkPositionFromServer(const protocol::SeatPosition& position, bool takeUp) {
    // Between games and during a deal the messages that follow set the table.
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    if (takeUp) TakeUpPosition(position);
    Tell(GameEventKind::Dealt);
    SayEssentials();
}

void Engine::TakeUpPosition(const protocol::SeatPosition& position) {
    // The cards still held keep their places; cards that never arrived come at the end.
    std::vector<rules::CardId> hand;
    for (const rules::CardId card : state_.playerHand) {
        if (std::find(position.hand.begin(), position.hand.end(), rules::CardName(card)) != position.hand.end())
            hand.push_back(card);
    }
    for (const auto& name : position.hand) {
        const rules::CardId card = rules::IdOfName(name);
        if (card != rules::kNoCard && std::find(hand.begin(), hand.end(), card) == hand.end()) hand.push_back(card);
    }
    rules::Position& game = state_.game;
    game.hands[kPlayerSeat] = 0;
    for (const rules::CardId card : hand) rules::CardReceivedReported(game, kPlayerSeat, card);
    state_.playerHand = std::move(hand);
    state_.opponentCount = static_cast<std::uint8_t>(std::clamp(position.opponentCards, 0, int{rules::kCards}));

    const rules::CardId top = rules::IdOfName(position.top);
    if (top != rules::kNoCard && top != game.Top()) rules::StartCardReported(game, top);
    const std::uint8_t suit = rules::SuitOfMarker(position.namedSuit);
    if (suit != rules::kNoSuit && suit != game.namedSuit && game.Top() != rules::kNoCard) {
        rules::SuitHoldsReported(game, suit);
        Tell(GameEventKind::SuitNamed);
    }

    // A player who laid a queen just before the connection went still names its suit:
    // it is his turn until he has, as in any game.
    const bool choosing = state_.SuitChoiceActive();
    game.toMove = position.yourTurn ? kPlayerSeat : kOpponentSeat;
    if (position.yourTurn && position.suitToName && !choosing) {
        game.suitToName = true;
        ShowSuitChoice();
    }
    game.pendingDraw = static_cast<std::uint8_t>(std::clamp(position.pendingDraw, 0, int{rules::kCards}));
    game.acePending = position.acePending;
    state_.gameNumber = static_cast<std::uint16_t>(std::max(position.gameNumber, 0));
    state_.playerWins = static_cast<std::uint8_t>(std::clamp(position.yourWins, 0, 255));
    state_.opponentWins = static_cast<std::uint8_t>(std::clamp(position.opponentWins, 0, 255));
    state_.playerPenalty = position.yourPoints;
    state_.opponentPenalty = position.opponentPoints;
    SelectFirstCard(true);
}

void Engine::SayCardCount(std::uint8_t count, std::string_view whose) {
    Say(whose);
    opponentSpeech_->SayNumber(OV(), count, true);
    Say(count == 1 ? "karta" : (count >= 2 && count <= 4 ? "karty" : "karet"));
}

void Engine::SayEssentials() {
    Say(state_.PlayerTurn() ? "jsi na tahu" : "jsem na tahu");
    const rules::CardId top = state_.game.Top();
    if (top != rules::kNoCard) {
        SayCard(top);
        if (state_.RequestedSuitShown()) {
            Say("Platí");
            Say(rules::SuitMarker(state_.game.namedSuit));
        }
    }
    SayCardCount(state_.PlayerCount(), "ty máš");
    SayCardCount(state_.opponentCount, "já mám");
    if (state_.SuitChoiceActive()) Say("na jakou barvu");
}

}  // namespace tarvel
