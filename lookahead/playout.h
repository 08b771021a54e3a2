// Quick play to the end of a game, for the look-ahead to score its candidate moves.
// Both sides play a sensible quick game (lookahead/card_preference.h): lay a card
// whenever one fits, the one they like best, name the suit they hold most of, and draw
// or stand only when nothing can be laid.
#pragma once

#include "lookahead/fast_random.h"
#include "lookahead/habit_model.h"
#include "rules/moves.h"

namespace tarvel::lookahead {

// The quick policy's move in a position that is not over.
rules::Move QuickMove(const rules::Position& position, FastRandom& random);

// The suit a side names after its queen: the one it holds most of, `fallback` (a
// suit) when it holds only queens.
std::uint8_t SuitHeldMost(rules::CardSet hand, std::uint8_t fallback);

// Plays the position out and scores it for `seat`: 1 for a win and 0 for a loss, or
// under points the loser's points, as a gain for a win and a cost for a loss. A game
// that runs past the limit counts as half a win, or nothing, under points.
// `steps` grows by the moves played. With `habits`, the other side plays by them.
double PlayOut(rules::Position position, std::uint8_t seat, bool forPoints, FastRandom& random, long& steps,
               HabitModel* habits = nullptr);

// The score of a decided position for `seat`, as PlayOut counts it.
double ScoreOf(const rules::Position& position, std::uint8_t seat, bool forPoints);

}  // namespace tarvel::lookahead
