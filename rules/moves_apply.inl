// What a move does; a template over the random source that shuffles a turned pile.
#pragma once

#include "rules/ring_shuffle.h"

namespace tarvel::rules {
namespace detail {

// A card on top of the pile, over any named suit. A pile of the whole deck gives up its
// oldest card first: only cards a peer reports can fill it.
inline void PutOnPile(Position& p, CardId card) {
    if (p.pileSize == kCards) {
        for (std::size_t i = 1; i < kCards; ++i) p.pile[i - 1] = p.pile[i];
        --p.pileSize;
    }
    p.pile[p.pileSize++] = card;
    p.namedSuit = kNoSuit;
}

// What a laid card does: a queen has its suit named next, an ace is to be answered, a
// seven (and the king of spades under its rule) adds to the draw. Any other card answers
// nothing, so whatever was pending is over.
inline void TakeEffect(Position& p, CardId card) {
    switch (EffectOfCard(card, p.rules)) {
        case CardEffect::AcePending:
            p.acePending = true;
            return;
        case CardEffect::AddsDraw:
            p.pendingDraw = static_cast<std::uint8_t>(p.pendingDraw + DrawAddedBy(card, p.rules));
            return;
        case CardEffect::NameSuit:
            p.suitToName = true;
            break;
        case CardEffect::None:
            break;
    }
    p.pendingDraw = 0;
    p.acePending = false;
}

// Turns the pile into the stock: everything under the top, the first card played on
// top of the new stock; shuffled by the ring walk, or its order known.
template <typename Rng>
void TurnPile(Position& p, Rng& random) {
    const int under = p.pileSize - 1;
    for (int i = 0; i < under; ++i) p.stock[static_cast<std::size_t>(i)] = p.pile[static_cast<std::size_t>(under - 1 - i)];
    p.stockSize = static_cast<std::uint8_t>(under);
    p.pile[0] = p.pile[static_cast<std::size_t>(under)];
    p.pileSize = 1;
    // The options may change during a game: a shuffled turn ends what an earlier
    // plain one let the table know.
    p.stockOrderKnown = !p.rules.shuffle;
    if (p.rules.shuffle) {
        if (p.stockSize < 2) return;
        std::array<CardId, kCards> ring{};
        for (int k = 0; k < p.stockSize; ++k) ring[static_cast<std::size_t>(k)] = p.stock[static_cast<std::size_t>(p.stockSize - 1 - k)];
        RingShuffle(ring.data(), p.stockSize, p.stock.data(), random);
    }
}

// `seat` takes the pending draw (at least one card) from the stock, turning the pile
// when the stock runs out; it stops when neither can give a card.
template <typename Rng>
void TakeCards(Position& p, std::uint8_t seat, MoveOutcome& out, Rng& random) {
    out.drawer = seat;
    if (p.stockSize == 0 && p.PileCannotTurn()) {
        out.nothingToDraw = true;
        return;
    }
    const int count = CardsToDraw(p);
    out.asked = static_cast<std::uint8_t>(count);
    for (int i = 0; i < count; ++i) {
        if (p.stockSize == 0) {
            if (p.PileCannotTurn()) {
                out.nothingToDraw = true;
                return;
            }
            TurnPile(p, random);
            out.pileTurned = true;
            if (p.stockSize == 0) {
                out.nothingToDraw = true;
                return;
            }
        }
        const CardId card = p.stock[--p.stockSize];
        p.hands[seat] |= Bit(card);
        out.drawn |= Bit(card);
    }
}

// The game is decided; under the return rule the loser first takes a pending draw,
// which then counts against him.
template <typename Rng>
void Win(Position& p, std::uint8_t seat, MoveOutcome& out, Rng& random) {
    if (p.rules.returnToGame && p.pendingDraw > 0) TakeCards(p, OtherSeat(seat), out, random);
    p.pendingDraw = 0;
    p.acePending = false;
    p.outSeat = kNoSeat;
    p.winner = seat;
    out.winner = seat;
}

// After a card (and the suit of a queen): the turn passes, or an emptied hand wins
// or waits to be returned.
template <typename Rng>
void FinishLay(Position& p, MoveOutcome& out, Rng& random) {
    const std::uint8_t mover = p.toMove;
    const std::uint8_t other = OtherSeat(mover);
    if (p.hands[mover] != 0) {
        p.toMove = other;
        return;
    }
    // A last ace cannot be answered; an answer that was the last card ends it too,
    // the side it returned taking the draw.
    if (!p.rules.returnToGame || p.acePending || (p.outSeat == other && p.hands[other] == 0)) {
        Win(p, mover, out, random);
        return;
    }
    p.outSeat = mover;
    p.toMove = other;
}

}  // namespace detail

template <typename Rng>
MoveOutcome Apply(Position& p, Move move, Rng& random) {
    MoveOutcome out;
    if (!IsLegal(p, move)) {
        // The reason is looked for only when there is one.
        out.refusal = Check(p, move);
        if (out.refusal == Refusal::None) out.refusal = Refusal::NotNow;
        return out;
    }
    const std::uint8_t mover = p.toMove;
    switch (move.kind) {
        case MoveKind::Lay: {
            const CardId card = move.value;
            p.hands[mover] &= ~Bit(card);
            detail::PutOnPile(p, card);
            // A card that empties its hand does nothing unless the return rule holds.
            if (p.hands[mover] != 0 || p.rules.returnToGame) {
                out.effect = EffectOfCard(card, p.rules);
                detail::TakeEffect(p, card);
                if (p.suitToName) return out;
            }
            detail::FinishLay(p, out, random);
            return out;
        }
        case MoveKind::NameSuit:
            p.namedSuit = move.value;
            p.suitToName = false;
            detail::FinishLay(p, out, random);
            return out;
        case MoveKind::Draw:
            if (p.outSeat == mover) {
                p.outSeat = kNoSeat;
                out.returned = true;
            }
            detail::TakeCards(p, mover, out, random);
            break;
        case MoveKind::Stand:
            break;
        case MoveKind::GiveUp:
            detail::Win(p, p.outSeat, out, random);
            p.toMove = OtherSeat(mover);
            return out;
    }
    p.pendingDraw = 0;
    p.acePending = false;
    p.toMove = OtherSeat(mover);
    return out;
}

template <typename Rng>
MoveOutcome Decide(Position& p, std::uint8_t winner, Rng& random) {
    MoveOutcome out;
    detail::Win(p, winner, out, random);
    return out;
}

inline void LayReported(Position& p, std::uint8_t seat, CardId card, bool lastCard) {
    p.hands[seat] &= ~Bit(card);
    detail::PutOnPile(p, card);
    if (!lastCard || p.rules.returnToGame) detail::TakeEffect(p, card);
    p.toMove = p.suitToName ? seat : OtherSeat(seat);
}

inline void NameSuitReported(Position& p, std::uint8_t seat, std::uint8_t suit) {
    p.namedSuit = suit;
    p.suitToName = false;
    p.toMove = OtherSeat(seat);
}

inline void TurnEndedReported(Position& p, std::uint8_t seat) {
    p.pendingDraw = 0;
    p.acePending = false;
    p.outSeat = kNoSeat;
    p.toMove = OtherSeat(seat);
}

inline void OutReported(Position& p, std::uint8_t seat) {
    p.outSeat = seat;
    p.toMove = OtherSeat(seat);
}

inline void CardReceivedReported(Position& p, std::uint8_t seat, CardId card) {
    p.hands[seat] |= Bit(card);
}

inline void StartCardReported(Position& p, CardId card) {
    detail::PutOnPile(p, card);
}

inline void SuitHoldsReported(Position& p, std::uint8_t suit) {
    p.namedSuit = suit;
}

inline void WinReported(Position& p, std::uint8_t seat) {
    p.pendingDraw = 0;
    p.acePending = false;
    p.suitToName = false;
    p.outSeat = kNoSeat;
    p.winner = seat;
}

inline void PileTurnedReported(Position& p) {
    if (p.pileSize <= 1) return;
    p.pile[0] = p.pile[p.pileSize - 1u];
    p.pileSize = 1;
}

}  // namespace tarvel::rules
