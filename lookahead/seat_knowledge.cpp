#include "lookahead/seat_knowledge.h"

#include "rules/moves.h"

namespace tarvel::lookahead {
namespace {

// The cards the other side could have laid in the view where it was to move: what
// the rules let it lay from a hand of every unseen card.
rules::CardSet LayableByOther(const SeatKnowledge& k) {
    rules::Position p;
    p.rules = k.view.rules;
    const std::uint8_t other = rules::OtherSeat(k.view.seat);
    p.hands[other] = k.view.unseen;
    p.pile[0] = k.view.top;
    p.pileSize = k.view.top == rules::kNoCard ? 0 : 1;
    p.namedSuit = k.view.namedSuit;
    p.toMove = other;
    p.pendingDraw = k.view.pendingDraw;
    p.acePending = k.view.acePending;
    p.outSeat = k.view.outSeat;
    return p.pileSize == 0 ? 0 : rules::LayableCards(p);
}

}  // namespace

SeatKnowledge KnowledgeOf(const rules::Position& position, std::uint8_t seat) {
    SeatKnowledge k;
    k.view = rules::ViewOf(position, seat);
    if (position.stockOrderKnown) k.knownStock = position.stock;
    return k;
}

void KnowledgeRecord::Reset() {
    hasLast_ = false;
    lacks_ = 0;
    unsureCards_ = 0;
}

void KnowledgeRecord::AfterOwnMove(const SeatKnowledge& now) {
    last_ = now;
    hasLast_ = now.view.toMove != now.view.seat;
}

SeatKnowledge KnowledgeRecord::Update(SeatKnowledge now) {
    if (hasLast_ && last_.view.seat == now.view.seat) {
        const rules::SeatView& before = last_.view;
        const bool nothingLaid = now.view.top == before.top && now.view.namedSuit == before.namedSuit;
        if (nothingLaid) {
            // It drew or stood while it was free to lay: it held none of what it could lay.
            const int drawn = now.view.otherCount > before.otherCount ? now.view.otherCount - before.otherCount : 0;
            const rules::CardSet couldLay = LayableByOther(last_);
            if (couldLay != 0) {
                if (unsureCards_ != 0) lacks_ = 0;
                lacks_ |= couldLay;
                unsureCards_ = static_cast<std::uint8_t>(drawn);
            } else {
                unsureCards_ = static_cast<std::uint8_t>(unsureCards_ + drawn);
            }
        } else if (rules::Holds(lacks_, now.view.top)) {
            // A card it lacked can only have come with a later draw.
            if (unsureCards_ > 0) {
                --unsureCards_;
            } else {
                lacks_ = 0;  // it did not lack it after all: forget the guess
            }
        }
    }
    hasLast_ = false;
    if (unsureCards_ >= now.view.otherCount) {
        lacks_ = 0;
        unsureCards_ = 0;
    }
    now.lacks = lacks_ & now.view.unseen;
    now.unsureCards = unsureCards_;
    return now;
}

}  // namespace tarvel::lookahead
