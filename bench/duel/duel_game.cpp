#include "bench/duel/duel_game.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "rules/card_names.h"


namespace tarvel::duel {
namespace {

using rules::CardId;
using rules::Position;

constexpr int kMoveLimit = 2000;

// The deal as the table makes it, with each hand in the order its cards came.
Position DealInOrder(const rules::RuleOptions& r, std::uint8_t first, StandardRandom& random,
                     std::vector<CardId> (&order)[2]) {
    rules::DealtOrder dealt;
    const Position p = rules::Deal(r, first, random, &dealt);
    for (std::uint8_t seat = 0; seat < 2; ++seat)
        order[seat].assign(dealt.hands[seat].begin(), dealt.hands[seat].begin() + dealt.perHand);
    return p;
}

// Applies a move and keeps the hands' order: drawn cards as they came off the stock.
rules::Refusal ApplyKeepingOrder(Position& p, rules::Move move, StandardRandom& random,
                                 std::vector<CardId> (&order)[2]) {
    const Position before = p;
    const rules::MoveOutcome out = rules::Apply(p, move, random);
    if (out.refusal != rules::Refusal::None) return out.refusal;
    if (move.kind == rules::MoveKind::Lay) std::erase(order[before.toMove], move.value);
    if (out.drawer == rules::kNoSeat) return out.refusal;
    const rules::DrawnCards drawn = rules::DrawnInOrder(before, p, out);
    order[out.drawer].insert(order[out.drawer].end(), drawn.cards.begin(), drawn.cards.begin() + drawn.count);
    return out.refusal;
}

std::string CardsOf(rules::CardSet set) {
    std::string text;
    for (; set != 0; set &= set - 1) text += rules::CardName(rules::LowestCard(set)) + " ";
    return text;
}

// A game that reaches the move limit is told on stderr with its last moves: a game
// that cannot end is a fault a table would meet.
void TellUnfinished(std::uint64_t dealSeed, const Position& p, const std::vector<rules::Move>& last) {
    std::fprintf(stderr, "unfinished game, deal seed %llu: stock %d (%s), pile %d, top %s, named suit %d, to move %d\n",
                 static_cast<unsigned long long>(dealSeed), p.stockSize, CardsOf(p.StockSet()).c_str(), p.pileSize,
                 rules::CardName(p.Top()).c_str(), p.namedSuit, p.toMove);
    for (std::uint8_t seat = 0; seat < 2; ++seat)
        std::fprintf(stderr, "  hand %d: %s\n", seat, CardsOf(p.hands[seat]).c_str());
    std::fprintf(stderr, "  last moves:");
    for (const rules::Move& m : last)
        std::fprintf(stderr, " %s", m.kind == rules::MoveKind::Lay ? rules::CardName(m.value).c_str()
                                    : m.kind == rules::MoveKind::Draw ? "draw"
                                    : m.kind == rules::MoveKind::Stand ? "stand"
                                    : m.kind == rules::MoveKind::GiveUp ? "give-up" : "suit");
    std::fprintf(stderr, "\n");
}

}  // namespace

GameResult PlayGame(const rules::RuleOptions& rules, std::uint64_t dealSeed, Seat* const (&seats)[2]) {
    StandardRandom random(dealSeed);
    std::vector<CardId> order[2];
    Position p = DealInOrder(rules, static_cast<std::uint8_t>(dealSeed & 1), random, order);
    for (Seat* seat : seats) seat->NewDeal();
    GameResult result;
    std::vector<rules::Move> last;
    for (int moves = 0; !p.Over() && moves < kMoveLimit; ++moves) {
        const std::uint8_t seat = p.toMove;
        const SeatMove m = seats[seat]->Move(SeatTurn{p, order[seat], random.Random(0xFFFFFFFFu)});
        if (moves >= kMoveLimit - 16) last.push_back(m.move);
        if (ApplyKeepingOrder(p, m.move, random, order) != rules::Refusal::None) {
            ++result.refused;
            ApplyKeepingOrder(p, rules::LegalMoves(p).moves[0], random, order);
        }
        if (p.suitToName) ApplyKeepingOrder(p, rules::Move::NameSuit(m.suit < 4 ? m.suit : 0), random, order);
        seats[seat]->AfterOwnMove(p, seat);
    }
    result.finished = p.Over();
    if (!result.finished) TellUnfinished(dealSeed, p, last);
    if (result.finished) {
        result.winner = p.winner;
        result.loserPoints = rules::HandPoints(p.hands[rules::OtherSeat(p.winner)]);
    }
    return result;
}

}  // namespace tarvel::duel
