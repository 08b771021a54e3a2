// What a sensible quick player prefers to lay and which suit it names: the playouts
// follow these choices, and the reading of the other side's lays assumes them, softly.
#pragma once

#include "rules/cards.h"

namespace tarvel::lookahead {

// How much a player holding `hand` likes to lay `card` (from the hand). It sheds the
// card that least goes with the rest of its hand, keeps its aces and sevens to answer
// with, and its queens for when nothing else fits.
inline int CardPreference(rules::CardId card, rules::CardSet hand) {
    const std::uint8_t rank = rules::RankOf(card);
    if (rank == rules::kQueen) return -8;
    const rules::CardSet rest = hand & ~rules::Bit(card) & ~rules::kQueens;
    const int goesWith = rules::CountOf(rest & (rules::SuitSet(rules::SuitOf(card)) | rules::RankSet(rank)));
    const bool answer = rank == rules::kAce || rank == rules::kSeven;
    return -goesWith - (answer ? 4 : 0);
}

// How many cards of `suit` a hand holds beside its queens: the suit it names after a
// queen is the one it holds most of.
inline int SuitStrength(std::uint8_t suit, rules::CardSet hand) {
    return rules::CountOf(hand & ~rules::kQueens & rules::SuitSet(suit));
}

}  // namespace tarvel::lookahead
