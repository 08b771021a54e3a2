// Drawing, standing and giving up: the command that ends the player's turn without a
// card, and the computer's draw.
#include <string>

#include "engine/engine.h"

namespace tarvel {

void Engine::DrawCommand() {
    if (!state_.running || state_.SuitChoiceActive()) return;
    if (Networked() && (!state_.PlayerTurn() || net_.awaitingCards)) {
        speech_.StartPhrase(kNoVoice, "off", kPlainVariant);
        return;
    }
    // Giving up when the opponent may be returned, standing on an ace, else drawing.
    const rules::MoveKind kind = rules::TurnEndingKind(Game());
    if (rules::TurnEndRefusal(Game(), kind) == rules::Refusal::AnswerHeld) {
        Say("nešvindluj");
        return;
    }
    if (kind == rules::MoveKind::GiveUp) {
        // The player declines to return the computer into the game.
        if (!Networked()) PlayLocal(rules::Move{kind, 0});
        OpponentWinsGame();
    } else {
        PlayerDraws();
    }
}

void Engine::PlayerDraws() {
    if (Networked()) {
        if (state_.game.acePending) {
            speech_.SayPhrase(PV(), "stojím", kPlainVariant);
            SendNet(protocol::ClientKind::Standing);
            rules::TurnEndedReported(Game(), kPlayerSeat);
        } else {
            // The cards come from the server; the draw ends with its word.
            SendNet(protocol::ClientKind::RequestCards, std::to_string(rules::CardsToDraw(Game())));
            net_.awaitingCards = true;
        }
        return;
    }
    const std::size_t handBefore = state_.playerHand.size();
    const LocalPlay play = PlayLocal(rules::Move{rules::TurnEndingKind(Game()), 0});
    if (play.outcome.drawer == kPlayerSeat) SayPlayerDraw(play, handBefore);
    if (!state_.game.Over()) OpponentTurn();
}

void Engine::OpponentDraws() {
    const std::size_t handBefore = state_.opponentHand.size();
    SayComputerDraw(PlayLocal(rules::Move{rules::MoveKind::Draw, 0}), handBefore);
}

}  // namespace tarvel
