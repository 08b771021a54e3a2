// The strong computer at the table: it is shown the game as its seat knows it and
// chooses; the engine's usual steps then lay, draw or stand and say so, as for the
// computer that plays by its fixed preferences.
#include <algorithm>

#include "engine/engine.h"
#include "lookahead/lookahead_player.h"

namespace tarvel {

lookahead::Decision Engine::StrongDecision(const lookahead::SeatKnowledge& knowledge) {
    const std::uint64_t seed = random_.Random(0xFFFFFFFFu);
    strongBelief_.Observe(knowledge, fixedHabits_, options_.playforpoints, seed);
    return lookahead::ChooseMove(knowledge, options_.playforpoints, seed, {}, nullptr,
                                 {&fixedHabits_, strongBelief_.Belief()});
}

ComputerMove Engine::StrongMove() {
    strongSuit_ = rules::kNoSuit;
    // A hand returned into the game empty has only the draw.
    if (state_.opponentHand.empty()) return {ComputerMove::Kind::Draw, rules::kNoCard};
    rules::Position position = Game();
    position.toMove = kOpponentSeat;
    const lookahead::SeatKnowledge knowledge = strongMemory_.Update(rules::ViewOf(position, kOpponentSeat));
    const lookahead::Decision decision = StrongDecision(knowledge);
    switch (decision.move.kind) {
        case rules::MoveKind::Lay:
            if (!rules::Holds(state_.game.hands[kOpponentSeat], decision.move.value)) break;
            strongSuit_ = decision.suit;
            return {ComputerMove::Kind::Play, decision.move.value};
        case rules::MoveKind::Stand:
            return {ComputerMove::Kind::Stand, rules::kNoCard};
        default:
            break;
    }
    return {ComputerMove::Kind::Draw, rules::kNoCard};
}

std::optional<rules::CardId> Engine::StrongReturnAnswer() {
    strongSuit_ = rules::kNoSuit;
    rules::Position position = Game();
    position.toMove = kOpponentSeat;
    position.outSeat = kPlayerSeat;
    position.suitToName = false;
    const lookahead::SeatKnowledge knowledge = strongMemory_.Update(rules::ViewOf(position, kOpponentSeat));
    const lookahead::Decision decision = StrongDecision(knowledge);
    if (decision.move.kind != rules::MoveKind::Lay) return std::nullopt;
    if (!rules::Holds(state_.game.hands[kOpponentSeat], decision.move.value)) return std::nullopt;
    strongSuit_ = decision.suit;
    return decision.move.value;
}

void Engine::RememberOwnMove() {
    rules::Position position = Game();
    position.toMove = kPlayerSeat;
    strongMemory_.AfterOwnMove(rules::ViewOf(position, kOpponentSeat));
}

}  // namespace tarvel
