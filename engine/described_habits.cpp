#include "engine/described_habits.h"

namespace tarvel {

lookahead::Decision FixedComputerChoice(ComputerOpponent& computer, const rules::Position& p,
                                        std::span<const rules::CardId> order, bool forPoints) {
    ComputerSight sight;
    sight.view = rules::ViewOf(p, p.toMove);
    sight.hand = order;
    if (p.stockOrderKnown && p.stockSize > 0) sight.nextStockCard = p.stock[p.stockSize - 1u];
    sight.forPoints = forPoints;
    if (order.empty()) return {rules::Move{rules::MoveKind::Draw, 0}};
    if (p.outSeat != rules::kNoSeat && p.outSeat != p.toMove) {
        const auto answer = computer.ChooseReturnAnswer(sight);
        if (!answer) return {rules::Move{rules::MoveKind::GiveUp, 0}};
        return {rules::Move::Lay(*answer)};
    }
    const ComputerMove move = computer.ChooseMove(sight);
    switch (move.kind) {
        case ComputerMove::Kind::Stand:
            return {rules::Move{rules::MoveKind::Stand, 0}};
        case ComputerMove::Kind::Draw:
            return {rules::Move{rules::MoveKind::Draw, 0}};
        case ComputerMove::Kind::Play:
            break;
    }
    lookahead::Decision chosen{rules::Move::Lay(move.card)};
    if (rules::RankOf(move.card) == rules::kQueen) {
        // Its suit: the one it holds most of, else the queen's own.
        const std::uint8_t suit = computer.StrongestSuit();
        chosen.suit = suit != rules::kNoSuit ? suit : rules::SuitOf(move.card);
    }
    return chosen;
}

rules::Move DescribedHabits::Choose(const rules::Position& p, rules::CardId first, bool forPoints) {
    const rules::CardSet hand = p.hands[p.toMove];
    const bool held = first != rules::kNoCard && rules::Holds(hand, first);
    order_.clear();
    if (held) order_.push_back(first);
    for (rules::CardSet s = held ? hand & ~rules::Bit(first) : hand; s != 0; s &= s - 1)
        order_.push_back(rules::LowestCard(s));
    return FixedComputerChoice(computer_, p, order_, forPoints).move;
}

}  // namespace tarvel
