// The computer's turn as the table sees it: its choice is laid, drawn or stood on,
// and said; a queen it lays names the suit it holds most of.
#include "engine/engine.h"

namespace tarvel {

void Engine::OpponentTurn() {
    state_.PlayerTurn = false;
    const bool strong = options_.computerlevel == kComputerStrong;
    const ComputerMove move = strong ? StrongMove() : computer_.ChooseMove(state_, options_);
    switch (move.kind) {
        case ComputerMove::Kind::Stand:
            ComputerStands();
            break;
        case ComputerMove::Kind::Draw:
            OpponentDraws();
            break;
        case ComputerMove::Kind::Play:
            SetLabelText(text::kIPlay);
            OpponentPlaysCard(move.position);
            break;
    }
    if (state_.GameRunning) {
        if (strong) RememberOwnMove();
        state_.PlayerTurn = true;
        BeginPlayerTurn();
    }
}

void Engine::ComputerStands() {
    state_.AcePending = false;
    Say("stojím");
    SetLabelText(text::kIStand);
}

void Engine::OpponentPlaysCard(std::size_t position) {
    if (position < 1 || position > state_.OpponentHand.Size()) return;
    if (state_.RequestedSuitShown) {
        state_.RequestedSuitShown = false;
        table_.EraseRequestedSuit();
    }
    const typhodnoty card = state_.OpponentHand.At(position);
    state_.CurrentCard = card;
    Say(card.Name, kCardNameVariant);
    SayEffect("vyhození", kThrowVariant);

    const std::size_t before = state_.OpponentHand.Size();
    state_.OpponentHand.RemoveAt(position);
    state_.Pile.PushCard(card);
    table_.DrawPile();
    state_.OpponentCount = static_cast<std::uint8_t>(state_.OpponentHand.Size());
    table_.BlankOpponentCardAt(before);
    if (state_.OpponentCount > 0) table_.DrawOpponentHand();

    if (state_.OpponentCount > 0 || options_.returntogame) ApplyCardEffect(card, Side::Computer);
    if (state_.OpponentCount == 0) {
        Say("comp poslední karta");
        if (options_.returntogame) {
            OpponentLastCard();
        } else {
            OpponentWinsGame();
        }
    }
}

void Engine::OpponentChoosesSuit() {
    if (state_.Pile.StackEmpty()) return;
    std::string suit = computer_.StrongestSuit();
    if (options_.computerlevel == kComputerStrong && strongSuit_ < kSuitKeys.size()) {
        suit = std::string(kSuitKeys[strongSuit_]);
        strongSuit_ = 0xFF;
    }
    // Holding nothing but queens, the computer keeps the suit of the queen it laid.
    if (suit.empty()) suit = std::string(SuitPart(state_.Pile.Top().Name));
    std::string_view suitName = SuitNameOfKey(suit);
    if (suitName.empty()) suitName = SuitNameOfKey(kSuitKeys[0]);

    typhodnoty marker = state_.Pile.Top();
    marker.Name = " " + std::string(suitName);
    state_.CurrentCard = marker;
    state_.Pile.PushCard(marker);
    table_.DrawRequestedSuit();
    state_.RequestedSuitShown = true;
    SetLabelText(text::kIChange);
    Say("měním na");
    Say(suitName);
}

}  // namespace tarvel
