#include "bench/duel/described_seat.h"

#include "engine/computer_opponent.h"

namespace tarvel::duel {

SeatMove DescribedMove(const rules::Position& p, const std::vector<rules::CardId>& order,
                       const GameOptions& options) {
    ComputerOpponent computer;
    ComputerSight sight;
    sight.view = rules::ViewOf(p, p.toMove);
    sight.hand = order;
    if (p.stockOrderKnown && p.stockSize > 0) sight.nextStockCard = p.stock[p.stockSize - 1u];
    sight.forPoints = options.playforpoints;
    const bool returnOpen = p.outSeat != rules::kNoSeat && p.outSeat != p.toMove;
    if (order.empty()) return {rules::Move{rules::MoveKind::Draw, 0}};
    if (returnOpen) {
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
    SeatMove chosen{rules::Move::Lay(move.card)};
    if (rules::RankOf(move.card) == rules::kQueen) {
        // Its suit: the one it holds most of, else the queen's own.
        const std::uint8_t suit = computer.StrongestSuit();
        chosen.suit = suit != rules::kNoSuit ? suit : rules::SuitOf(move.card);
    }
    return chosen;
}

}  // namespace tarvel::duel
