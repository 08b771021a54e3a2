// A network match that survives a lost connection: what the player hears while the
// client tries to come back, what he hears of an opponent who lost his, and the
// position the server sends a player who is back.
#include <algorithm>

#include "engine/engine.h"

namespace tarvel {

void Engine::NetworkConnectionLost() {
    if (!net_.active) return;
    SetLabelText(text::kConnectionLostTrying);
    speech_.SayPhrase(PV(), "spojení se přerušilo", kPlainVariant);
    speech_.SayPhrase(PV(), "zkouším to znovu", kPlainVariant);
}

void Engine::NetworkConnectionBack() {
    if (!net_.active) return;
    SetLabelText(text::kConnectionBack);
    speech_.SayPhrase(PV(), "spojení obnoveno", kPlainVariant);
}

void Engine::NetworkOpponentAway() {
    if (!net_.active || net_.opponentAway) return;
    net_.opponentAway = true;
    SetLabelText(text::kOpponentConnectionLost);
    speech_.SayPhrase(PV(), "soupeř ztratil spojení", kPlainVariant);
}

void Engine::NetworkOpponentBack() {
    if (!net_.active || !net_.opponentAway) return;
    net_.opponentAway = false;
    SetLabelText(text::kOpponentBack);
    speech_.SayPhrase(PV(), "soupeř je zpět", kPlainVariant);
}

void Engine::NetworkOpponentNotBack() {
    if (!net_.active || !net_.opponentAway) return;
    net_.opponentAway = false;
    SetLabelText(text::kOpponentNotBack);
    speech_.SayPhrase(PV(), "soupeř se nevrátil", kPlainVariant);
}

void Engine::NetworkPositionFromServer(const protocol::SeatPosition& position, bool takeUp) {
    // Between games and during a deal the messages that follow set the table.
    if (!Playing() || net_.waiting != NetworkWait::None) return;
    if (takeUp) TakeUpPosition(position);
    table_.RedrawTable();
    WriteStatusPanels();
    SayEssentials();
}

void Engine::TakeUpPosition(const protocol::SeatPosition& position) {
    // The cards still held keep their places; cards that never arrived come at the end.
    CardQueue hand;
    for (const auto& card : state_.PlayerHand.Cards()) {
        if (std::find(position.hand.begin(), position.hand.end(), card.Name) != position.hand.end()) {
            hand.AppendCard(card);
        }
    }
    for (const auto& name : position.hand) {
        const auto card = FindCard(name);
        const auto& held = hand.Cards();
        if (card && std::none_of(held.begin(), held.end(), [&](const typhodnoty& c) { return c.Name == name; })) {
            hand.AppendCard(*card);
        }
    }
    state_.PlayerHand = hand;
    state_.PlayerCount = static_cast<std::uint8_t>(hand.Size());
    state_.OpponentCount = static_cast<std::uint8_t>(std::clamp(position.opponentCards, 0, kDeckSize));

    const auto top = FindCard(position.top);
    const bool markerOnTop = !state_.Pile.StackEmpty() && IsSuitMarker(state_.Pile.Top().Name);
    const auto& entries = state_.Pile.BottomToTop();
    const std::string cardOnTop =
        entries.empty() ? std::string() : (markerOnTop && entries.size() > 1 ? entries[entries.size() - 2].Name
                                                                             : entries.back().Name);
    if (top && cardOnTop != top->Name) {
        state_.Pile.PushCard(*top);
        state_.CurrentCard = *top;
        state_.RequestedSuitShown = false;
    }
    const std::string currentMarker = markerOnTop ? state_.Pile.Top().Name : std::string();
    if (!position.namedSuit.empty() && position.namedSuit != currentMarker &&
        std::find(kSuitMarkers.begin(), kSuitMarkers.end(), position.namedSuit) != kSuitMarkers.end()) {
        LayNetworkSuitMarker(position.namedSuit);
    }

    // A player who laid a queen just before the connection went still names its suit:
    // it is his turn until he has, as in any game.
    state_.PlayerTurn = position.yourTurn;
    if (position.yourTurn && position.suitToName && !state_.SuitChoiceActive) ShowSuitChoice();
    state_.PendingDraw = static_cast<std::uint8_t>(std::clamp(position.pendingDraw, 0, int{kDeckSize}));
    state_.AcePending = position.acePending;
    state_.GameNumber = static_cast<std::uint16_t>(std::max(position.gameNumber, 0));
    state_.PlayerWins = static_cast<std::uint8_t>(std::clamp(position.yourWins, 0, 255));
    state_.OpponentWins = static_cast<std::uint8_t>(std::clamp(position.opponentWins, 0, 255));
    state_.PlayerPenalty = position.yourPoints;
    state_.OpponentPenalty = position.opponentPoints;
    SelectFirstCard(true);
}

void Engine::SayCardCount(std::uint8_t count, std::string_view whose) {
    Say(whose);
    speech_.SayNumber(OV(), count, true);
    Say(count == 1 ? "karta" : (count >= 2 && count <= 4 ? "karty" : "karet"));
}

void Engine::SayEssentials() {
    Say(state_.PlayerTurn ? "jsi na tahu" : "jsem na tahu");
    const auto& entries = state_.Pile.BottomToTop();
    if (!entries.empty()) {
        const bool marker = IsSuitMarker(entries.back().Name) && entries.size() > 1;
        Say(marker ? entries[entries.size() - 2].Name : entries.back().Name, kCardNameVariant);
        if (marker) {
            Say("Platí");
            Say(entries.back().Name);
        }
    }
    SayCardCount(state_.PlayerCount, "ty máš");
    SayCardCount(state_.OpponentCount, "já mám");
    if (state_.SuitChoiceActive) Say("na jakou barvu");
}

}  // namespace tarvel
