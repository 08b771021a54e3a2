// The rules asked at every move, inline so that a search pays no call for them.
#pragma once

namespace tarvel::rules {

namespace detail {

inline bool AnswersDraw(CardId card, const RuleOptions& rules) {
    return RankOf(card) == kSeven || (rules.kingOfSpades && card == kKingOfSpades);
}

// The cards that fit the pile: every queen, the top's rank (a named suit matches no
// rank), the suit in play.
inline CardSet FittingCards(const Position& p) {
    CardSet fits = kQueens | SuitSet(p.SuitInPlay());
    if (p.namedSuit == kNoSuit) fits |= RankSet(RankOf(p.Top()));
    return fits;
}

// The cards that pass the pending tests before the fit test.
inline CardSet PendingAnswers(const Position& p) {
    if (p.acePending) return kAces;
    const bool returnOpen = p.outSeat != kNoSeat && p.outSeat != p.toMove;
    if (returnOpen || p.pendingDraw > 0) {
        return p.rules.kingOfSpades ? (kSevens | Bit(kKingOfSpades)) : kSevens;
    }
    return kAllCards;
}

}  // namespace detail

inline MoveKind TurnEndingKind(const Position& p) {
    if (p.outSeat != kNoSeat && p.outSeat != p.toMove) return MoveKind::GiveUp;
    if (p.acePending) return MoveKind::Stand;
    return MoveKind::Draw;
}

inline std::uint8_t CardsToDraw(const Position& p) {
    return p.pendingDraw == 0 ? 1 : p.pendingDraw;
}

inline bool HoldsSevensAnswer(const Position& p) {
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

inline Refusal TurnEndRefusal(const Position& p, MoveKind kind) {
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

inline CardSet LayableCards(const Position& p) {
    if (p.Over() || p.suitToName) return 0;
    return p.hands[p.toMove] & detail::PendingAnswers(p) & detail::FittingCards(p);
}

inline MoveList LegalMoves(const Position& p) {
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

inline bool IsLegal(const Position& p, Move move) {
    switch (move.kind) {
        case MoveKind::Lay:
            return move.value < kCards && Holds(LayableCards(p), move.value);
        case MoveKind::NameSuit:
            return !p.Over() && p.suitToName && move.value < 4;
        default:
            return TurnEndRefusal(p, move.kind) == Refusal::None;
    }
}

inline CardEffect EffectOfCard(CardId card, const RuleOptions& rules) {
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

inline std::uint8_t DrawAddedBy(CardId card, const RuleOptions& rules) {
    if (RankOf(card) == kSeven) return rules.sevenDraw;
    return rules.kingOfSpades && card == kKingOfSpades ? 5 : 0;
}

}  // namespace tarvel::rules
