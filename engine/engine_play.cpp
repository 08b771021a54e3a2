// Playing a card: the refusals, the accepted play and its effect, the suit choice
// after a queen, and a card played by the network opponent.
#include "engine/engine.h"
#include "rules/card_names.h"

namespace tarvel {

void Engine::PlayPlayerCard() {
    if (!state_.running || state_.SuitChoiceActive()) return;
    if (Networked() && (!state_.PlayerTurn() || net_.awaitingCards)) {
        speech_.StartPhrase(kNoVoice, "off", kPlainVariant);
        return;
    }
    const rules::CardId card = state_.SelectedCard();
    if (card == rules::kNoCard) {
        // Nothing to lay (an empty hand after a return): the edge sound, as a card move
        // on an empty hand gives; "off" would say it is not the player's turn.
        SayEffect("okraj");
        return;
    }
    const rules::Refusal refusal = rules::LayRefusal(Game(), card);
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
            opponentSpeech_->StartPhrase(OV(), "kartu nelze použít", kCannotUseVariant);
            return;
        default:
            return;  // not the player's move now
    }

    if (state_.RequestedSuitShown()) Tell(GameEventKind::NamedSuitCovered);
    if (Networked()) {
        rules::LayReported(Game(), kPlayerSeat, card, state_.playerHand.size() == 1);
        std::erase(state_.playerHand, card);
    } else {
        PlayLocal(rules::Move::Lay(card));
    }
    // The selection stays on the card that followed, or on the new last card.
    state_.selected = std::min(state_.selected, state_.playerHand.size());
    SendNet(protocol::ClientKind::SendCard, rules::CardName(card));

    Tell(GameEventKind::PlayerLaid);
    SayEffect("vyhození", kThrowVariant);
    if (state_.SuitChoiceActive()) AskSuit();

    if (state_.PlayerCount() == 0) {
        // A last queen under the return rule waits for its suit first.
        if (state_.SuitChoiceActive()) return;
        SendNet(protocol::ClientKind::NoCardsLeft);
        Say("hráč poslední karta");
        if (options_.returntogame) {
            OpponentTriesReturn();
        } else {
            PlayerWinsGame();
        }
        return;
    }
    if (state_.SuitChoiceActive()) return;
    if (Networked()) {
        SelectFirstCard(true);
    } else {
        OpponentTurn();
    }
}

void Engine::AskSuit() {
    ShowSuitChoice();
    opponentSpeech_->StartPhrase(OV(), "na jakou barvu", kPlainVariant);
}

void Engine::ShowSuitChoice() {
    state_.selectedSuit = rules::kHearts;
    Tell(GameEventKind::SuitChoiceOpened);
}

void Engine::PlayerChoosesSuit(std::uint8_t suit) {
    // A match ended during the suit choice leaves the queen waiting for its suit until
    // the next deal; the choice then must not name it or give the computer a move.
    if (!state_.running || !state_.SuitChoiceActive() || state_.game.Top() == rules::kNoCard) return;
    if (suit >= 4) return;

    if (Networked()) {
        rules::NameSuitReported(Game(), kPlayerSeat, suit);
        SendNet(protocol::ClientKind::SendColor, rules::SuitMarker(suit));
        SayEffect("vyhození", kThrowVariant);
    } else {
        PlayLocal(rules::Move::NameSuit(suit));
    }
    Tell(GameEventKind::SuitChoiceClosed);
    Tell(GameEventKind::SuitNamed);
    // Back in the hand, on its first card.
    state_.selected = state_.playerHand.empty() ? 0 : 1;
    SelectionMoved(true);

    if (!state_.playerHand.empty()) {
        if (Networked()) {
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

void Engine::ApplyOpponentCard(rules::CardId card) {
    const bool suitWasShown = state_.RequestedSuitShown();
    // The opponent's card does what it does even as his last: whether it was, the
    // server's next message tells.
    rules::LayReported(Game(), kOpponentSeat, card, false);
    if (rules::EffectOfCard(card, Rules()) == rules::CardEffect::AcePending)
        opponentSpeech_->StartPhrase(OV(), "Stojíš", kPlainVariant);
    if (suitWasShown) Tell(GameEventKind::NamedSuitCovered);
    GameEvent laid;
    laid.kind = GameEventKind::OpponentLaid;
    laid.position = state_.opponentCount;
    if (state_.opponentCount > 0) --state_.opponentCount;
    events_.Happened(laid);

    // With an empty hand while the opponent still holds cards, the player was returned
    // into the game: the cards to take are on their way.
    if (!state_.playerHand.empty()) {
        SelectFirstCard(true);
    } else if (state_.opponentCount == 0) {
        OpponentWinsGame();
    }
}

}  // namespace tarvel
