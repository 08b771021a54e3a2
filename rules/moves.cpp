#include "moves.h"

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

namespace {

bool AnswersDraw(CardId card, const RuleOptions& rules) {
    return RankOf(card) == kSeven || (rules.kingOfSpades && card == kKingOfSpades);
}

// The cards that fit the pile: every queen, the top's rank (a named suit matches no
// rank), the suit in play.
CardSet FittingCards(const Position& p) {
    CardSet fits = kQueens | SuitSet(p.SuitInPlay());
    if (p.namedSuit == kNoSuit) fits |= RankSet(RankOf(p.Top()));
    return fits;
}

// The cards that pass the pending tests before the fit test.
CardSet PendingAnswers(const Position& p) {
    if (p.acePending) return kAces;
    const bool returnOpen = p.outSeat != kNoSeat && p.outSeat != p.toMove;
    if (returnOpen || p.pendingDraw > 0) {
        return p.rules.kingOfSpades ? (kSevens | Bit(kKingOfSpades)) : kSevens;
    }
    return kAllCards;
}

}  // namespace

MoveKind TurnEndingKind(const Position& p) {
    if (p.outSeat != kNoSeat && p.outSeat != p.toMove) return MoveKind::GiveUp;
    if (p.acePending) return MoveKind::Stand;
    return MoveKind::Draw;
}

Refusal LayRefusal(const Position& p, CardId card) {
    if (p.Over()) return Refusal::GameOver;
    if (p.suitToName) return Refusal::NotNow;
    if (card >= kCards || !Holds(p.hands[p.toMove], card)) return Refusal::NotHeld;
    if (p.acePending && RankOf(card) != kAce) return Refusal::AceOwed;
    const bool kos = p.rules.kingOfSpades;
    if (p.outSeat != kNoSeat && p.outSeat != p.toMove && !AnswersDraw(card, p.rules)) {
        // The king of spades is offered too while a spade other than itself holds.
        const bool offerKing = kos && p.SuitInPlay() == kSpades && !(p.namedSuit == kNoSuit && p.Top() == kKingOfSpades);
        return offerKing ? Refusal::ReturnWantsSevenOrKingOfSpades : Refusal::ReturnWantsSeven;
    }
    if (p.pendingDraw > 0 && !AnswersDraw(card, p.rules)) {
        const bool offerKing = kos && p.namedSuit == kNoSuit && p.Top() == kSevenOfSpades;
        return offerKing ? Refusal::DrawWantsSevenOrKingOfSpades : Refusal::DrawWantsSeven;
    }
    if (!Holds(FittingCards(p), card)) return Refusal::DoesNotFit;
    return Refusal::None;
}

bool HoldsSevensAnswer(const Position& p) {
    const CardSet hand = p.hands[p.toMove];
    if (p.namedSuit != kNoSuit) return false;  // a named suit lies over a queen: no seven on top
    const CardId top = p.Top();
    if (top == kNoCard) return false;
    if (p.rules.kingOfSpades) {
        return (top == kKingOfSpades && Holds(hand, kSevenOfSpades)) ||
               (top == kSevenOfSpades && Holds(hand, kKingOfSpades));
    }
    return RankOf(top) == kSeven && (hand & kSevens) != 0;
}

Refusal TurnEndRefusal(const Position& p, MoveKind kind) {
    if (p.Over()) return Refusal::GameOver;
    if (p.suitToName || kind != TurnEndingKind(p)) return Refusal::NotNow;
    if (!p.rules.compulsory) return Refusal::None;
    switch (kind) {
        case MoveKind::GiveUp:
            return HoldsSevensAnswer(p) ? Refusal::AnswerHeld : Refusal::None;
        case MoveKind::Stand:
            return (p.hands[p.toMove] & kAces) != 0 ? Refusal::AnswerHeld : Refusal::None;
        case MoveKind::Draw:
            return p.pendingDraw > 0 && HoldsSevensAnswer(p) ? Refusal::AnswerHeld : Refusal::None;
        default:
            return Refusal::NotNow;
    }
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

CardSet LayableCards(const Position& p) {
    if (p.Over() || p.suitToName) return 0;
    return p.hands[p.toMove] & PendingAnswers(p) & FittingCards(p);
}

bool MoveList::Contains(Move move) const {
    for (const Move& m : *this) {
        if (m == move) return true;
    }
    return false;
}

MoveList LegalMoves(const Position& p) {
    MoveList list;
    if (p.Over()) return list;
    if (p.suitToName) {
        for (std::uint8_t suit = 0; suit < 4; ++suit) list.Add(Move::NameSuit(suit));
        return list;
    }
    for (CardSet cards = LayableCards(p); cards != 0; cards &= cards - 1) list.Add(Move::Lay(LowestCard(cards)));
    const MoveKind ending = TurnEndingKind(p);
    if (TurnEndRefusal(p, ending) == Refusal::None) list.Add(Move{ending, 0});
    return list;
}

CardEffect EffectOfCard(CardId card, const RuleOptions& rules) {
    switch (RankOf(card)) {
        case kQueen:
            return CardEffect::NameSuit;
        case kAce:
            return CardEffect::AcePending;
        case kSeven:
            return CardEffect::AddsDraw;
        default:
            return rules.kingOfSpades && card == kKingOfSpades ? CardEffect::AddsDraw : CardEffect::None;
    }
}

std::uint8_t DrawAddedBy(CardId card, const RuleOptions& rules) {
    if (RankOf(card) == kSeven) return rules.sevenDraw;
    return rules.kingOfSpades && card == kKingOfSpades ? 5 : 0;
}

}  // namespace tarvel::rules
