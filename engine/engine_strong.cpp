// The strong computer at the table: it is shown the game as its seat knows it and
// chooses; the engine's usual steps then lay, draw or stand and say so, as for the
// computer that plays by its fixed preferences.
#include <algorithm>

#include "engine/engine.h"
#include "rules/card_names.h"
#include "lookahead/lookahead_player.h"
#include "engine/rules_bridge.h"

namespace tarvel {
namespace {

std::size_t HandPositionOf(const CardQueue& hand, rules::CardId card) {
    const auto& cards = hand.Cards();
    const auto it = std::find_if(cards.begin(), cards.end(),
                                 [card](const typhodnoty& c) { return rules::IdOfCard(c) == card; });
    return it == cards.end() ? 0 : static_cast<std::size_t>(it - cards.begin()) + 1;
}

}  // namespace

ComputerMove Engine::StrongMove() {
    strongSuit_ = rules::kNoSuit;
    // A hand returned into the game empty has only the draw.
    if (state_.OpponentHand.Size() == 0) return {ComputerMove::Kind::Draw, 0};
    rules::Position position = PositionOf(state_, options_);
    position.toMove = kOpponentSeat;
    const lookahead::SeatKnowledge knowledge = strongMemory_.Update(rules::ViewOf(position, kOpponentSeat));
    const lookahead::Decision decision =
        lookahead::ChooseMove(knowledge, options_.playforpoints, random_.Random(0xFFFFFFFFu));
    switch (decision.move.kind) {
        case rules::MoveKind::Lay: {
            const std::size_t at = HandPositionOf(state_.OpponentHand, decision.move.value);
            if (at == 0) break;
            strongSuit_ = decision.suit;
            return {ComputerMove::Kind::Play, at};
        }
        case rules::MoveKind::Stand:
            return {ComputerMove::Kind::Stand, 0};
        default:
            break;
    }
    return {ComputerMove::Kind::Draw, 0};
}

std::optional<ReturnAnswer> Engine::StrongReturnAnswer() {
    strongSuit_ = rules::kNoSuit;
    rules::Position position = PositionOf(state_, options_);
    position.toMove = kOpponentSeat;
    position.outSeat = kPlayerSeat;
    position.suitToName = false;
    const lookahead::SeatKnowledge knowledge = strongMemory_.Update(rules::ViewOf(position, kOpponentSeat));
    const lookahead::Decision decision =
        lookahead::ChooseMove(knowledge, options_.playforpoints, random_.Random(0xFFFFFFFFu));
    if (decision.move.kind != rules::MoveKind::Lay) return std::nullopt;
    const std::size_t at = HandPositionOf(state_.OpponentHand, decision.move.value);
    if (at == 0) return std::nullopt;
    strongSuit_ = decision.suit;
    return ReturnAnswer{at, decision.move.value == rules::kKingOfSpades && options_.kingofspades};
}

void Engine::RememberOwnMove() {
    rules::Position position = PositionOf(state_, options_);
    position.toMove = kPlayerSeat;
    strongMemory_.AfterOwnMove(rules::ViewOf(position, kOpponentSeat));
}

}  // namespace tarvel
