// Playing a card: the refusals, the accepted play and its effect, the suit choice
// after a queen, and a card played by the network opponent.
#include "engine.h"
#include "table_layout.h"

namespace tarvel {

namespace {
bool AnswersDraw(std::string_view card, bool kingOfSpadesRule) {
    return IsSeven(card) || (kingOfSpadesRule && BeginsKingOfSpades(card));
}
}  // namespace

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
    const std::string top = TopName();
    const bool kos = options_.kingofspades;

    if (state_.AcePending && !IsAce(card.Name)) {
        Say("hoď eso");
        return;
    }
    if (state_.ReturnPending && !AnswersDraw(card.Name, kos)) {
        Say("hoď sedmičku");
        if (kos && SuitPart(top) == "pik" && !BeginsKingOfSpades(top)) Say("nebo pikového krále");
        Say("a nebo to zabal");
        return;
    }
    if (state_.PendingDraw > 0 && !AnswersDraw(card.Name, kos)) {
        Say("hoď sedmičku");
        if (kos && IsSevenOfSpades(top)) Say("nebo pikového krále");
        Say("a nebo si lízni");
        return;
    }
    if (!FitsOn(card.Name, top)) {
        speech_.StartPhrase(OV(), "kartu nelze použít", kCannotUseVariant);
        return;
    }

    if (state_.RequestedSuitShown) {
        state_.RequestedSuitShown = false;
        table_.EraseRequestedSuit();
    }
    state_.CurrentCard = card;
    state_.SelectedIndex = state_.PlayerHand.RemoveAt(state_.SelectedIndex);
    state_.Pile.PushCard(card);
    SendNet("sendcard", card.Name);

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
        SendNet("i have no cards");
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
    if (IsQueen(card.Name)) {
        if (side == Side::Player) {
            AskSuit();
        } else {
            OpponentChoosesSuit();
        }
    } else if (IsAce(card.Name)) {
        state_.AcePending = true;
        if (side == Side::Computer) speech_.StartPhrase(OV(), "Stojíš", kPlainVariant);
    } else if (IsSeven(card.Name)) {
        state_.PendingDraw = static_cast<std::uint8_t>(state_.PendingDraw + CardsForSeven());
    } else if (IsKingOfSpades(card.Name) && options_.kingofspades) {
        state_.PendingDraw = static_cast<std::uint8_t>(state_.PendingDraw + 5);
    }
}

void Engine::AskSuit() {
    state_.SuitChoiceActive = true;
    table_.DrawSuitChoice();
    table_.ShowMarker(false);
    state_.MarkerX = layout::kFirstSuitMarkerX;
    state_.MarkerY = layout::kSuitMarkerY;
    if (options_.saycardsundermouse) table_.SetHoverSuit(" srdce");
    table_.PlaceMarker(true);
    speech_.StartPhrase(OV(), "na jakou barvu", kPlainVariant);
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
        SendNet("sendcolor", marker);
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
    SendNet("i have no cards");
    Say("hráč poslední karta");
    OpponentTriesReturn();
}

void Engine::ApplyOpponentCard(const typhodnoty& card) {
    if (IsSeven(card.Name)) {
        state_.PendingDraw = static_cast<std::uint8_t>(state_.PendingDraw + CardsForSeven());
    } else if (options_.kingofspades && BeginsKingOfSpades(card.Name)) {
        state_.PendingDraw = static_cast<std::uint8_t>(state_.PendingDraw + 5);
    } else if (!IsAce(card.Name)) {
        state_.AcePending = false;
        state_.PendingDraw = 0;
    } else {
        state_.AcePending = true;
        speech_.StartPhrase(OV(), "Stojíš", kPlainVariant);
    }
    state_.PlayerTurn = true;
    if (state_.RequestedSuitShown) {
        state_.RequestedSuitShown = false;
        table_.EraseRequestedSuit();
    }
    table_.DrawPile();
    if (state_.OpponentCount > 0) --state_.OpponentCount;
    table_.DrawOpponentHand();

    if (!state_.PlayerHand.Empty()) {
        SelectFirstCard(true);
    } else if (state_.OpponentCount > 0) {
        // The player was returned into the game; the cards to take are on their way.
        state_.PlayerHand.Clear();
    } else {
        OpponentWinsGame();
    }
}

}  // namespace tarvel
