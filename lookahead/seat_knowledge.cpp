#include "lookahead/seat_knowledge.h"

#include "rules/moves.h"

namespace tarvel::lookahead {
namespace {

// The other side to move in `view`, holding `hand`: enough of a position for the rules
// to say what it may lay and whether it may end its turn without a card.
rules::Position OtherToMove(const rules::SeatView& view, rules::CardSet hand) {
    rules::Position p;
    p.rules = view.rules;
    p.hands[rules::OtherSeat(view.seat)] = hand;
    p.pile = view.pile;
    p.pileSize = view.pileSize;
    p.namedSuit = view.namedSuit;
    p.toMove = rules::OtherSeat(view.seat);
    p.pendingDraw = view.pendingDraw;
    p.acePending = view.acePending;
    p.outSeat = view.outSeat;
    return p;
}

// The unseen cards that would make the compulsory rule refuse the other side's draw
// or stand in `view`.
rules::CardSet RefusedEndingWith(const rules::SeatView& view) {
    const rules::Position any = OtherToMove(view, 0);
    const rules::MoveKind ending = rules::TurnEndingKind(any);
    rules::CardSet refused = 0;
    for (rules::CardSet s = view.unseen; s != 0; s &= s - 1) {
        const rules::CardId card = rules::LowestCard(s);
        if (rules::TurnEndRefusal(OtherToMove(view, rules::Bit(card)), ending) ==
            rules::Refusal::AnswerHeld) {
            refused |= rules::Bit(card);
        }
    }
    return refused;
}

bool SamePileUpTo(const rules::SeatView& a, const rules::SeatView& b, int size) {
    for (int i = 0; i < size; ++i) {
        if (a.pile[static_cast<std::size_t>(i)] != b.pile[static_cast<std::size_t>(i)]) return false;
    }
    return true;
}

// Nothing happened between the two views.
bool SameTable(const rules::SeatView& a, const rules::SeatView& b) {
    return a.seat == b.seat && a.ownHand == b.ownHand && a.otherCount == b.otherCount &&
           a.stockSize == b.stockSize && a.pileSize == b.pileSize && SamePileUpTo(a, b, a.pileSize) &&
           a.namedSuit == b.namedSuit && a.toMove == b.toMove && a.pendingDraw == b.pendingDraw &&
           a.acePending == b.acePending && a.suitToName == b.suitToName && a.outSeat == b.outSeat;
}

}  // namespace

SeatKnowledge KnowledgeOf(const rules::SeatView& view) {
    SeatKnowledge k;
    k.view = view;
    k.stockCandidates = view.unseen;
    return k;
}

void KnowledgeRecord::Reset() {
    lastKind_ = Last::Nothing;
    ForgetAll();
}

void KnowledgeRecord::ForgetAll() {
    memory_ = SeatKnowledge{};
}

bool KnowledgeRecord::FollowPile(const rules::SeatView& now) {
    if (now.seat != last_.seat) return false;
    if (now.pileSize >= last_.pileSize) {
        // No turn: the pile only grew, and the stock only shrank.
        return SamePileUpTo(now, last_, last_.pileSize) && now.stockSize <= last_.stockSize;
    }
    // The pile was turned: its top stays, and everything under it went to the stock
    // (the drawer may have taken some of it at once).
    if (now.pileSize != 1 || now.top != last_.top || last_.pileSize < 2) return false;
    const int under = last_.pileSize - 1;
    rules::CardSet turned = 0;
    for (int i = 0; i < under; ++i) {
        const rules::CardId card = last_.pile[static_cast<std::size_t>(under - 1 - i)];
        memory_.stockOrder[static_cast<std::size_t>(i)] = card;
        turned |= rules::Bit(card);
    }
    if ((turned & ~(now.unseen | now.ownHand)) != 0 || now.stockSize > under) return false;
    memory_.stockCandidates = turned;
    // A stock of one card has an order whatever the rules say.
    memory_.stockOrderKnown = (!now.rules.shuffle && !last_.rules.shuffle) || under < 2;
    return true;
}

void KnowledgeRecord::ReadOthersMove(const rules::SeatView& now) {
    const std::uint8_t other = rules::OtherSeat(now.seat);
    if (last_.toMove != other) return;
    const int drawn = now.otherCount > last_.otherCount ? now.otherCount - last_.otherCount : 0;
    if (now.pileSize > last_.pileSize) {
        // It laid a card. One it could not have held when it last drew or stood came
        // with a later draw.
        const rules::CardId laid = now.pile[last_.pileSize];
        RememberLay(laid, now.namedSuit);
        if (rules::Holds(memory_.ruledOut, laid)) {
            if (memory_.drawnSince == 0) {
                memory_.ruledOut = memory_.doubted = 0;  // a reading gone wrong: drop it
            } else {
                --memory_.drawnSince;
            }
        }
        return;
    }
    if (drawn > 0) memory_.layCount = 0;  // its hand changed beyond what the lays tell
    const rules::CardSet couldLay = rules::LayableCards(OtherToMove(last_, last_.unseen));
    if (couldLay == 0) {
        // Nothing it could have laid: the draw tells nothing but its cards.
        memory_.drawnSince = static_cast<std::uint8_t>(memory_.drawnSince + drawn);
        return;
    }
    const rules::CardSet refused = RefusedEndingWith(last_);
    if (memory_.drawnSince != 0) {
        // Cards came in between: the older reading no longer holds for the whole hand.
        memory_.ruledOut = memory_.doubted = 0;
    }
    memory_.ruledOut |= refused;
    memory_.doubted = (memory_.doubted | couldLay) & ~memory_.ruledOut;
    memory_.drawnSince = static_cast<std::uint8_t>(drawn);
}

void KnowledgeRecord::RememberLay(rules::CardId card, std::uint8_t namedSuit) {
    if (memory_.layCount == kLaysKept) {
        for (int i = 1; i < kLaysKept; ++i)
            memory_.lays[static_cast<std::size_t>(i - 1)] = memory_.lays[static_cast<std::size_t>(i)];
        --memory_.layCount;
    }
    ++memory_.laysSeen;
    OthersLay& lay = memory_.lays[memory_.layCount++];
    lay.top = last_.top;
    lay.namedSuit = last_.namedSuit;
    lay.pendingDraw = last_.pendingDraw;
    lay.acePending = last_.acePending;
    lay.returnOpen = last_.outSeat == last_.seat;
    lay.card = card;
    lay.suit = rules::RankOf(card) == rules::kQueen ? namedSuit : rules::kNoSuit;
}

SeatKnowledge KnowledgeRecord::Update(const rules::SeatView& now) {
    if (lastKind_ == Last::AfterOwnMove && FollowPile(now)) {
        ReadOthersMove(now);
    } else if (!(lastKind_ == Last::BeforeOwnMove && SameTable(now, last_))) {
        ForgetAll();
    }
    if (memory_.drawnSince >= now.otherCount) {
        // It may hold any of them again.
        memory_.ruledOut = memory_.doubted = 0;
        memory_.drawnSince = 0;
    }
    last_ = now;
    lastKind_ = Last::BeforeOwnMove;

    SeatKnowledge k = memory_;
    k.view = now;
    k.stockCandidates &= now.unseen;
    k.ruledOut &= now.unseen;
    k.doubted &= now.unseen;
    return k;
}

void KnowledgeRecord::AfterOwnMove(const rules::SeatView& now) {
    if (lastKind_ != Last::BeforeOwnMove || !FollowPile(now)) ForgetAll();
    last_ = now;
    lastKind_ = Last::AfterOwnMove;
}

}  // namespace tarvel::lookahead
