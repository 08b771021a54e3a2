#include "bench/duel/duel_game.h"

#include <algorithm>

#include "rules/ring_shuffle.h"

namespace tarvel::duel {
namespace {

using rules::CardId;
using rules::Position;

constexpr int kMoveLimit = 2000;

// The deal as the table makes it, with each hand in the order its cards came.
Position DealInOrder(const rules::RuleOptions& r, std::uint8_t first, StandardRandom& random,
                     std::vector<CardId> (&order)[2]) {
    Position p;
    p.rules = r;
    std::array<CardId, rules::kCards> ring{};
    for (int i = 0; i < rules::kCards; ++i) ring[static_cast<std::size_t>(i)] = static_cast<CardId>(i);
    rules::RingShuffle(ring.data(), rules::kCards, p.stock.data(), random);
    p.stockSize = rules::kCards;
    for (std::uint8_t seat = 0; seat < 2; ++seat) {
        order[seat].clear();
        for (int i = 0; i < r.dealtCards; ++i) {
            const CardId card = p.stock[--p.stockSize];
            p.hands[seat] |= rules::Bit(card);
            order[seat].push_back(card);
        }
    }
    const CardId start = p.stock[--p.stockSize];
    p.pile[p.pileSize++] = start;
    if (rules::RankOf(start) == rules::kQueen) p.namedSuit = rules::SuitOf(start);
    p.toMove = first;
    return p;
}

// Applies a move and keeps the hands' order: drawn cards as they came off the stock.
rules::Refusal ApplyKeepingOrder(Position& p, rules::Move move, StandardRandom& random,
                                 std::vector<CardId> (&order)[2]) {
    const Position before = p;
    const rules::MoveOutcome out = rules::Apply(p, move, random);
    for (std::size_t seat = 0; seat < 2; ++seat) {
        auto& hand = order[seat];
        hand.erase(std::remove_if(hand.begin(), hand.end(),
                                  [&](CardId c) { return !rules::Holds(p.hands[seat], c); }),
                   hand.end());
    }
    if (out.drawn == 0) return out.refusal;
    rules::CardSet left = out.drawn;
    auto& hand = order[out.drawer];
    for (int i = before.stockSize - 1; i >= 0; --i) {
        const CardId c = before.stock[static_cast<std::size_t>(i)];
        if (rules::Holds(left, c)) {
            hand.push_back(c);
            left &= ~rules::Bit(c);
        }
    }
    // The rest came off the new stock of the turned pile, from its top down to what is
    // left of it.
    for (int i = p.stockSize + rules::CountOf(left) - 1; i >= p.stockSize; --i) {
        hand.push_back(p.stock[static_cast<std::size_t>(i)]);
    }
    return out.refusal;
}

}  // namespace

GameResult PlayGame(const rules::RuleOptions& rules, std::uint64_t dealSeed, Seat* const (&seats)[2]) {
    StandardRandom random(dealSeed);
    std::vector<CardId> order[2];
    Position p = DealInOrder(rules, static_cast<std::uint8_t>(dealSeed & 1), random, order);
    for (Seat* seat : seats) seat->NewDeal();
    GameResult result;
    for (int moves = 0; !p.Over() && moves < kMoveLimit; ++moves) {
        const std::uint8_t seat = p.toMove;
        const SeatMove m = seats[seat]->Move(SeatTurn{p, order[seat], random.Random(0xFFFFFFFFu)});
        if (ApplyKeepingOrder(p, m.move, random, order) != rules::Refusal::None) {
            ++result.refused;
            ApplyKeepingOrder(p, rules::LegalMoves(p).moves[0], random, order);
        }
        if (p.suitToName) ApplyKeepingOrder(p, rules::Move::NameSuit(m.suit < 4 ? m.suit : 0), random, order);
        seats[seat]->AfterOwnMove(p, seat);
    }
    result.finished = p.Over();
    if (result.finished) {
        result.winner = p.winner;
        for (rules::CardSet left = p.hands[rules::OtherSeat(p.winner)]; left != 0; left &= left - 1) {
            result.loserPoints += rules::PointsOf(rules::LowestCard(left));
        }
    }
    return result;
}

}  // namespace tarvel::duel
