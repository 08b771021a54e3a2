#include "rules/moves.h"

namespace tarvel::rules {

bool operator==(const Position& a, const Position& b) {
    auto same = [](const std::array<CardId, kCards>& x, const std::array<CardId, kCards>& y, int size) {
        for (int i = 0; i < size; ++i) {
            if (x[static_cast<std::size_t>(i)] != y[static_cast<std::size_t>(i)]) return false;
        }
        return true;
    };
    return a.hands == b.hands && a.stockSize == b.stockSize && a.pileSize == b.pileSize &&
           same(a.stock, b.stock, a.stockSize) && same(a.pile, b.pile, a.pileSize) && a.namedSuit == b.namedSuit &&
           a.toMove == b.toMove && a.pendingDraw == b.pendingDraw && a.acePending == b.acePending &&
           a.suitToName == b.suitToName && a.outSeat == b.outSeat && a.stockOrderKnown == b.stockOrderKnown &&
           a.winner == b.winner && a.rules == b.rules;
}

CardSet Position::PileSet() const {
    CardSet set = 0;
    for (int i = 0; i < pileSize; ++i) set |= Bit(pile[static_cast<std::size_t>(i)]);
    return set;
}

CardSet Position::StockSet() const {
    CardSet set = 0;
    for (int i = 0; i < stockSize; ++i) set |= Bit(stock[static_cast<std::size_t>(i)]);
    return set;
}

SeatView ViewOf(const Position& p, std::uint8_t seat) {
    SeatView v;
    v.seat = seat;
    v.ownHand = p.hands[seat];
    v.otherCount = static_cast<std::uint8_t>(CountOf(p.hands[OtherSeat(seat)]));
    v.stockSize = p.stockSize;
    v.unseen = p.hands[OtherSeat(seat)] | p.StockSet();
    v.pile = p.pile;
    v.pileSize = p.pileSize;
    v.top = p.Top();
    v.namedSuit = p.namedSuit;
    v.toMove = p.toMove;
    v.pendingDraw = p.pendingDraw;
    v.acePending = p.acePending;
    v.suitToName = p.suitToName;
    v.outSeat = p.outSeat;
    v.stockOrderKnown = p.stockOrderKnown;
    v.rules = p.rules;
    return v;
}

Refusal LayRefusal(const Position& p, CardId card) {
    if (p.Over()) return Refusal::GameOver;
    if (p.suitToName) return Refusal::NotNow;
    if (card >= kCards || !Holds(p.hands[p.toMove], card)) return Refusal::NotHeld;
    if (p.acePending && RankOf(card) != kAce) return Refusal::AceOwed;
    const bool kos = p.rules.kingOfSpades;
    if (p.outSeat != kNoSeat && p.outSeat != p.toMove && !detail::AnswersDraw(card, p.rules)) {
        // The king of spades is offered too while a spade other than itself holds.
        const bool offerKing = kos && p.SuitInPlay() == kSpades && !(p.namedSuit == kNoSuit && p.Top() == kKingOfSpades);
        return offerKing ? Refusal::ReturnWantsSevenOrKingOfSpades : Refusal::ReturnWantsSeven;
    }
    if (p.pendingDraw > 0 && !detail::AnswersDraw(card, p.rules)) {
        const bool offerKing = kos && p.namedSuit == kNoSuit && p.Top() == kSevenOfSpades;
        return offerKing ? Refusal::DrawWantsSevenOrKingOfSpades : Refusal::DrawWantsSeven;
    }
    if (!Holds(detail::FittingCards(p), card)) return Refusal::DoesNotFit;
    return Refusal::None;
}

Refusal Check(const Position& p, Move move) {
    switch (move.kind) {
        case MoveKind::Lay:
            return LayRefusal(p, move.value);
        case MoveKind::NameSuit:
            if (p.Over()) return Refusal::GameOver;
            return p.suitToName && move.value < 4 ? Refusal::None : Refusal::NotNow;
        default:
            return TurnEndRefusal(p, move.kind);
    }
}

DrawnCards DrawnInOrder(const Position& before, const Position& after, const MoveOutcome& outcome) {
    DrawnCards drawn;
    // Drawing only lowers the stock's size, so the cards taken from a turned pile's new
    // stock still lie just above what is left of it.
    const int count = CountOf(outcome.drawn);
    const int fromOld = count < before.stockSize ? count : before.stockSize;
    for (int i = 0; i < fromOld; ++i) drawn.cards[drawn.count++] = before.stock[static_cast<std::size_t>(before.stockSize - 1 - i)];
    drawn.beforeTurn = drawn.count;
    if (outcome.pileTurned) {
        const int fromNew = count - fromOld;
        for (int j = 0; j < fromNew; ++j)
            drawn.cards[drawn.count++] = after.stock[static_cast<std::size_t>(after.stockSize + fromNew - 1 - j)];
    }
    return drawn;
}

bool MoveList::Contains(Move move) const {
    for (const Move& m : *this) {
        if (m == move) return true;
    }
    return false;
}

}  // namespace tarvel::rules
