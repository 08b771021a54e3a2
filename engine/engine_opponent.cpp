// The computer's turn as the table sees it: its choice is laid, drawn or stood on,
// and said; a queen it lays names the suit it holds most of.
#include "engine/engine.h"
#include "rules/card_names.h"

namespace tarvel {

void Engine::OpponentTurn() {
    const bool strong = options_.computerlevel == kComputerStrong;
    const ComputerMove move = strong ? StrongMove() : computer_.ChooseMove(SightOfComputer());
    switch (move.kind) {
        case ComputerMove::Kind::Stand:
            ComputerStands();
            break;
        case ComputerMove::Kind::Draw:
            OpponentDraws();
            break;
        case ComputerMove::Kind::Play:
            Announce(MessageLine::IPlay);
            ComputerLays(move.card);
            break;
    }
    if (state_.running) {
        if (strong) RememberOwnMove();
        BeginPlayerTurn();
    }
}

void Engine::ComputerStands() {
    PlayLocal(rules::Move{rules::MoveKind::Stand, 0});
    Say("stojím");
    Announce(MessageLine::IStand);
}

void Engine::OpponentPlaysCard(std::size_t position) {
    if (position < 1 || position > state_.opponentHand.size()) return;
    ComputerLays(state_.opponentHand[position - 1]);
}

void Engine::ComputerLays(rules::CardId card) {
    const bool suitWasShown = state_.RequestedSuitShown();
    const std::size_t before = state_.opponentHand.size();
    const LocalPlay play = PlayLocal(rules::Move::Lay(card));
    if (play.outcome.refusal != rules::Refusal::None) return;
    if (suitWasShown) Tell(GameEventKind::NamedSuitCovered);
    SayCard(card);
    SayEffect("vyhození", kThrowVariant);
    GameEvent laid;
    laid.kind = GameEventKind::OpponentLaid;
    laid.position = before;
    events_.Happened(laid);

    switch (play.outcome.effect) {
        case rules::CardEffect::NameSuit:
            OpponentChoosesSuit();
            break;
        case rules::CardEffect::AcePending:
            opponentSpeech_->StartPhrase(OV(), "Stojíš", kPlainVariant);
            break;
        default:
            break;
    }
    if (state_.opponentCount == 0) {
        Say("comp poslední karta");
        if (options_.returntogame) {
            OpponentLastCard(play.outcome.effect == rules::CardEffect::AcePending);
        } else {
            OpponentWinsGame();
        }
    }
}

void Engine::OpponentChoosesSuit() {
    const rules::CardId queen = state_.game.Top();
    if (queen == rules::kNoCard) return;
    std::uint8_t suit = computer_.StrongestSuit();
    if (options_.computerlevel == kComputerStrong && strongSuit_ < 4) {
        suit = strongSuit_;
        strongSuit_ = rules::kNoSuit;
    }
    // Holding nothing but queens, the computer keeps the suit of the queen it laid.
    if (suit == rules::kNoSuit) suit = rules::SuitOf(queen);

    PlayLocal(rules::Move::NameSuit(suit));
    Tell(GameEventKind::SuitNamed);
    Announce(MessageLine::IChangeSuit);
    Say("měním na");
    Say(rules::SuitWord(suit));
}

}  // namespace tarvel
