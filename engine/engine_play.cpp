// Playing a card: the refusals, the accepted play and its effect, the suit choice
// after a queen, and a card played by the network opponent.
#include "rules/card_names.h"
#include "engine/engine.h"
#include "rules/moves.h"
#include "engine/rules_bridge.h"
#include "engine/table_layout.h"

namespace tarvel {

void Engine::PlayPlayerCard() {
    if (!state_.GameRunning || state_.SuitChoiceActive) return;
    if (Networked() && (!state_.PlayerTurn || net_.awaitingCards)) {
        speech_.StartPhrase(kNoVoice, "off", kPlainVariant);
        return;
    }
    if (state_.PlayerHand.Empty() || state_.SelectedIndex < 1 ||
        state_.SelectedIndex > state_.PlayerHand.Size()) {
        // Nothing to lay (an empty hand after a return): the edge sound, as a card move
        // on an empty hand gives; "off" would say it is not the player's turn.
        SayEffect("okraj");
        return;
    }
    const typhodnoty card = state_.PlayerHand.At(state_.SelectedIndex);
    rules::Position position = PositionOf(state_, options_);
    position.toMove = kPlayerSeat;
    const rules::Refusal refusal = rules::LayRefusal(position, rules::IdOfCard(card));
    switch (refusal) {
        case rules::Refusal::None:
            break;
        case rules::Refusal::AceOwed:
            Say("hoď eso");
            return;
        case rules::Refusal::ReturnWantsSeven:
        case rules::Refusal::ReturnWantsSevenOrKingOfSpades:
            Say("hoď sedmičku");
            if (refusal == rules::Refusal::ReturnWantsSevenOrKingOfSpades) Say("nebo pikového krále");
            Say("a nebo to zabal");
            return;
        case rules::Refusal::DrawWantsSeven:
        case rules::Refusal::DrawWantsSevenOrKingOfSpades:
            Say("hoď sedmičku");
            if (refusal == rules::Refusal::DrawWantsSevenOrKingOfSpades) Say("nebo pikového krále");
            Say("a nebo si lízni");
            return;
        case rules::Refusal::DoesNotFit:
            speech_.StartPhrase(OV(), "kartu nelze použít", kCannotUseVariant);
            return;
        default:
            return;  // not a card of the deck: the table never holds one
    }

    if (state_.RequestedSuitShown) {
        state_.RequestedSuitShown = false;
        table_.EraseRequestedSuit();
    }
    state_.CurrentCard = card;
    state_.SelectedIndex = state_.PlayerHand.RemoveAt(state_.SelectedIndex);
    state_.Pile.PushCard(card);
    SendNet(protocol::ClientKind::SendCard, card.Name);

    state_.PlayerCount = static_cast<std::uint8_t>(state_.PlayerHand.Size());
    if (state_.PlayerCount > 0) {
        table_.DrawPlayerHand();
    } else {
        table_.BlankPlayerCardAt(1);
    }
    table_.DrawPile();
    SayEffect("vyhození", kThrowVariant);

    if (state_.PlayerCount > 0 || options_.returntogame) ApplyCardEffect(card, Side::Player);

    if (state_.PlayerCount == 0) {
        // A last queen under the return rule waits for its suit first.
        if (options_.returntogame && state_.SuitChoiceActive) return;
        SendNet(protocol::ClientKind::NoCardsLeft);
        Say("hráč poslední karta");
        if (options_.returntogame) {
            OpponentTriesReturn();
        } else {
            PlayerWinsGame();
        }
        return;
    }
    if (state_.SuitChoiceActive) return;
    if (Networked()) {
        state_.PlayerTurn = false;
        SelectFirstCard(true);
    } else {
        OpponentTurn();
    }
}

void Engine::ApplyCardEffect(const typhodnoty& card, Side side) {
    const rules::CardId id = rules::IdOfCard(card);
    if (id == rules::kNoCard) return;
    switch (rules::EffectOfCard(id, RulesOf(options_))) {
        case rules::CardEffect::NameSuit:
            if (side == Side::Player) {
                AskSuit();
            } else {
                OpponentChoosesSuit();
            }
            break;
        case rules::CardEffect::AcePending:
            state_.AcePending = true;
            if (side == Side::Computer) speech_.StartPhrase(OV(), "Stojíš", kPlainVariant);
            break;
        case rules::CardEffect::AddsDraw:
            state_.PendingDraw = static_cast<std::uint8_t>(state_.PendingDraw + rules::DrawAddedBy(id, RulesOf(options_)));
            break;
        case rules::CardEffect::None:
            break;
    }
}

void Engine::AskSuit() {
    ShowSuitChoice();
    speech_.StartPhrase(OV(), "na jakou barvu", kPlainVariant);
}

void Engine::ShowSuitChoice() {
    state_.SuitChoiceActive = true;
    table_.DrawSuitChoice();
    table_.ShowMarker(false);
    state_.MarkerX = layout::kFirstSuitMarkerX;
    state_.MarkerY = layout::kSuitMarkerY;
    if (options_.saycardsundermouse) table_.SetHoverSuit(" srdce");
    table_.PlaceMarker(true);
}

void Engine::PlayerChoosesSuit(std::string_view marker) {
    // A match ended during the suit choice leaves the flag set until the next deal;
    // the choice then must not lay a marker or give the computer a move.
    if (!state_.GameRunning || !state_.SuitChoiceActive || state_.Pile.StackEmpty()) return;
    if (SuitIndexOfKey(SuitPart(marker)) < 0 || !IsSuitMarker(marker)) return;

    // The marker is a copy of the queen just played, renamed to the suit that now holds.
    typhodnoty markerCard = state_.Pile.Top();
    markerCard.Name = std::string(marker);
    state_.CurrentCard = markerCard;
    state_.Pile.PushCard(markerCard);
    if (Networked()) {
        SendNet(protocol::ClientKind::SendColor, marker);
        SayEffect("vyhození", kThrowVariant);
    }
    table_.EraseSuitChoice();
    table_.DrawRequestedSuit();
    state_.MarkerX = layout::kStartMarker.x;
    state_.MarkerY = layout::kStartMarker.y;
    table_.PlaceMarker(true);
    state_.SuitChoiceActive = false;
    state_.RequestedSuitShown = true;

    if (!state_.PlayerHand.Empty()) {
        if (Networked()) {
            state_.PlayerTurn = false;
            SelectFirstCard(true);
        } else {
            OpponentTurn();
        }
        return;
    }
    SendNet(protocol::ClientKind::NoCardsLeft);
    Say("hráč poslední karta");
    OpponentTriesReturn();
}

void Engine::ApplyOpponentCard(const typhodnoty& card) {
    const rules::CardId id = rules::IdOfCard(card);
    const rules::CardEffect effect = id == rules::kNoCard ? rules::CardEffect::None : rules::EffectOfCard(id, RulesOf(options_));
    if (effect == rules::CardEffect::AddsDraw) {
        state_.PendingDraw = static_cast<std::uint8_t>(state_.PendingDraw + rules::DrawAddedBy(id, RulesOf(options_)));
    } else if (effect == rules::CardEffect::AcePending) {
        state_.AcePending = true;
        speech_.StartPhrase(OV(), "Stojíš", kPlainVariant);
    } else {
        // Any other card answers nothing: what was pending is over.
        state_.AcePending = false;
        state_.PendingDraw = 0;
    }
    state_.PlayerTurn = true;
    if (state_.RequestedSuitShown) {
        state_.RequestedSuitShown = false;
        table_.EraseRequestedSuit();
    }
    table_.DrawPile();
    if (state_.OpponentCount > 0) --state_.OpponentCount;
    table_.DrawOpponentHand();

    // With an empty hand while the opponent still holds cards, the player was returned
    // into the game: the cards to take are on their way.
    if (!state_.PlayerHand.Empty()) {
        SelectFirstCard(true);
    } else if (state_.OpponentCount == 0) {
        OpponentWinsGame();
    }
}

}  // namespace tarvel
