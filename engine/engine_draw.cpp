// Drawing and standing for both sides, and turning the pile into a new stock.
#include <string>

#include "engine/engine.h"
#include "rules/moves.h"
#include "common/pile.h"
#include "engine/rules_bridge.h"
#include "engine/table_layout.h"

namespace tarvel {

bool Engine::SevensCheck() const {
    rules::Position position = PositionOf(state_, options_);
    position.toMove = kPlayerSeat;
    return rules::HoldsSevensAnswer(position);
}

void Engine::DrawCommand() {
    if (!state_.GameRunning || state_.SuitChoiceActive) return;
    if (Networked() && (!state_.PlayerTurn || net_.awaitingCards)) {
        speech_.StartPhrase(kNoVoice, "off", kPlainVariant);
        return;
    }
    rules::Position position = PositionOf(state_, options_);
    position.toMove = kPlayerSeat;
    // Giving up when the opponent may be returned, standing on an ace, else drawing.
    const rules::MoveKind kind = rules::TurnEndingKind(position);
    if (rules::TurnEndRefusal(position, kind) == rules::Refusal::AnswerHeld) {
        Say("nešvindluj");
        return;
    }
    if (kind == rules::MoveKind::GiveUp) {
        OpponentWinsGame();  // the player declines to return the computer into the game
    } else {
        PlayerDraws();
    }
}

bool Engine::RefillStockIfEmpty() {
    if (!state_.Stock.StackEmpty()) return true;
    if (PileCannotTurn(state_.Pile)) return false;
    TurnPile();
    return !state_.Stock.StackEmpty();
}

bool Engine::TakeFromStock(CardQueue& hand, std::uint8_t& count) {
    if (!RefillStockIfEmpty()) {
        Say("není z čeho lízat");
        return false;
    }
    state_.CurrentCard = state_.Stock.PopCard();
    hand.AppendCard(state_.CurrentCard);
    count = static_cast<std::uint8_t>(hand.Size());
    return true;
}

void Engine::PlayerDraws() {
    if (state_.AcePending) {
        // The player stands: nothing is drawn.
    } else if (!Networked() && state_.Stock.StackEmpty() && PileCannotTurn(state_.Pile)) {
        Say("není z čeho lízat");
    } else {
        if (state_.PendingDraw == 0) state_.PendingDraw = 1;
        if (Networked()) {
            SendNet(protocol::ClientKind::RequestCards, std::to_string(state_.PendingDraw));
            net_.awaitingCards = true;
        } else {
            for (int i = 0; i < state_.PendingDraw; ++i) {
                if (!TakeFromStock(state_.PlayerHand, state_.PlayerCount)) break;
                table_.DrawPlayerCardAt(state_.PlayerCount);
                SayEffect("lízání");
                if (options_.saypickedcards) {
                    if (options_.movemouse)
                        table_.MovePointer(layout::HandMarkerX(state_.PlayerCount),
                                           state_.MarkerY + layout::kPointerBelowMarker);
                    speech_.SayPhrase(PV(), state_.CurrentCard.Name, kCardNameVariant);
                }
            }
        }
    }
    if (Networked() && state_.AcePending) {
        speech_.SayPhrase(PV(), "stojím", kPlainVariant);
        SendNet(protocol::ClientKind::Standing);
        state_.PlayerTurn = false;
    }
    state_.PendingDraw = 0;
    state_.AcePending = false;
    if (!Networked() && !state_.GameOver) OpponentTurn();
}

void Engine::OpponentDraws() {
    if (!state_.AcePending) {
        if (state_.ReturnPending) {
            // Returned into the game: its hand is empty since it laid its last card.
            state_.ReturnPending = false;
            Say("vracíš mě do hry");
        }
        if (state_.Stock.StackEmpty() && PileCannotTurn(state_.Pile)) {
            Say("lížu");
            Say("není z čeho lízat");
        } else {
            if (state_.PendingDraw == 0) state_.PendingDraw = 1;
            Say("lížu");
            std::string label = window_.LocalizedText(text::kIDraw) + " ";
            if (state_.PendingDraw > 1) {
                label += " " + std::to_string(state_.PendingDraw) + " " +
                         window_.LocalizedText(state_.PendingDraw <= 4 ? text::kCardsTwoToFour
                                                                       : text::kCardsFiveOrMore);
            }
            window_.SetLabel(label);
            for (int i = 0; i < state_.PendingDraw; ++i) {
                if (!TakeFromStock(state_.OpponentHand, state_.OpponentCount)) break;
                table_.DrawOpponentBackAt(state_.OpponentCount);
                SayEffect("lízání");
            }
        }
    }
    state_.PendingDraw = 0;
    state_.AcePending = false;
}

void Engine::TurnPile() {
    TurnPileIntoStock(state_.Pile, state_.Stock);
    Say("Otáčím hromádku");
    if (options_.shufflecards) {
        ShuffleStock(state_.Stock, random_);
    } else {
        state_.StockOrderKnown = true;
    }
}

}  // namespace tarvel
