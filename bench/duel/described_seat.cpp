#include "bench/duel/described_seat.h"

#include <string>

#include "engine/computer_opponent.h"
#include "rules/card_names.h"

namespace tarvel::duel {
namespace {

GameState TableOf(const rules::Position& p, const std::vector<rules::CardId>& order) {
    GameState state;
    for (rules::CardId card : order) state.OpponentHand.AppendCard(rules::CardOfId(card));
    const rules::CardId top = p.Top();
    state.Pile.PushCard(rules::CardOfId(top));
    if (p.namedSuit != rules::kNoSuit) {
        typhodnoty marker = rules::CardOfId(top);
        marker.Name = " " + std::string(SuitNameOfKey(kSuitKeys[p.namedSuit]));
        state.Pile.PushCard(marker);
    }
    if (p.stockSize > 0) state.Stock.PushCard(rules::CardOfId(p.stock[p.stockSize - 1u]));
    state.OpponentCount = static_cast<std::uint8_t>(order.size());
    state.PlayerCount = static_cast<std::uint8_t>(rules::CountOf(p.hands[rules::OtherSeat(p.toMove)]));
    state.PendingDraw = p.pendingDraw;
    state.AcePending = p.acePending;
    state.StockOrderKnown = p.stockOrderKnown;
    return state;
}

rules::CardId CardAt(const std::vector<rules::CardId>& order, std::size_t position) {
    return position >= 1 && position <= order.size() ? order[position - 1] : rules::kNoCard;
}

}  // namespace

SeatMove DescribedMove(const rules::Position& p, const std::vector<rules::CardId>& order,
                       const GameOptions& options) {
    ComputerOpponent computer;
    const GameState state = TableOf(p, order);
    const bool returnOpen = p.outSeat != rules::kNoSeat && p.outSeat != p.toMove;
    if (order.empty()) return {rules::Move{rules::MoveKind::Draw, 0}};
    if (returnOpen) {
        const auto answer = computer.ChooseReturnAnswer(state, options);
        if (!answer) return {rules::Move{rules::MoveKind::GiveUp, 0}};
        return {rules::Move::Lay(CardAt(order, answer->position))};
    }
    const ComputerMove move = computer.ChooseMove(state, options);
    switch (move.kind) {
        case ComputerMove::Kind::Stand:
            return {rules::Move{rules::MoveKind::Stand, 0}};
        case ComputerMove::Kind::Draw:
            return {rules::Move{rules::MoveKind::Draw, 0}};
        case ComputerMove::Kind::Play:
            break;
    }
    const rules::CardId card = CardAt(order, move.position);
    SeatMove chosen{rules::Move::Lay(card)};
    if (card != rules::kNoCard && rules::RankOf(card) == rules::kQueen) {
        // Its suit: the one it holds most of, else the queen's own.
        const std::string key = computer.StrongestSuit();
        const std::uint8_t suit = rules::SuitOfMarker(key);
        chosen.suit = suit != rules::kNoSuit ? suit : rules::SuitOf(card);
    }
    return chosen;
}

}  // namespace tarvel::duel
