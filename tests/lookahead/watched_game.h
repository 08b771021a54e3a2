// Whole games on the rules core in which each seat's record watches what its seat
// sees, as the strong computer's memory does at the table, and a player who plays the
// way a person might.
#pragma once

#include <cstdint>

#include "lookahead/fast_random.h"
#include "lookahead/seat_knowledge.h"
#include "rules/moves.h"

namespace tarvel::lookahead::testing {

struct SeatMove {
    rules::Move move;
    std::uint8_t suit = rules::kNoSuit;  // after a queen laid
};

// Mostly lays a fitting card picked at random, but now and then keeps it and draws or
// stands instead where the rules allow; names any suit.
inline SeatMove HumanLikeMove(const rules::Position& p, FastRandom& random) {
    const rules::MoveList legal = rules::LegalMoves(p);
    const std::uint8_t suit = static_cast<std::uint8_t>(random.Random(4));
    const rules::Move last = legal.moves[legal.size - 1];
    const bool canEnd = last.kind != rules::MoveKind::Lay;
    if (canEnd && (legal.size == 1 || random.Random(4) == 0)) return {last, suit};
    return {legal.moves[random.Random(canEnd ? legal.size - 1u : legal.size)], suit};
}

// Varied rules, by number.
inline rules::RuleOptions RulesNumber(std::uint64_t n) {
    rules::RuleOptions r;
    r.sevenDraw = (n & 1) ? 3 : 2;
    r.kingOfSpades = (n & 2) != 0;
    r.returnToGame = (n & 4) != 0;
    r.compulsory = (n & 8) == 0;
    r.shuffle = (n & 16) != 0;
    r.dealtCards = static_cast<std::uint8_t>(4 + n % 7);
    return r;
}

// Plays `p` to its end. The mover's knowledge, from its record, goes to
// `decide(position, knowledge)`, which returns its move. With `shuffleFrom` at 0 or
// more the shuffle after turning the pile is switched on before that move, as the
// settings dialog can do during a game. Returns the finished position.
template <typename Decide>
rules::Position PlayWatchedGame(rules::Position p, std::uint64_t shuffleSeed, int shuffleFrom,
                                Decide&& decide) {
    FastRandom shuffles(shuffleSeed);
    KnowledgeRecord records[2];
    for (int moves = 0; moves < 600 && !p.Over(); ++moves) {
        if (moves == shuffleFrom) p.rules.shuffle = true;
        const std::uint8_t seat = p.toMove;
        const SeatKnowledge k = records[seat].Update(rules::ViewOf(p, seat));
        const SeatMove m = decide(static_cast<const rules::Position&>(p), k);
        if (rules::Apply(p, m.move, shuffles).refusal != rules::Refusal::None) return p;
        if (p.suitToName) rules::Apply(p, rules::Move::NameSuit(m.suit < 4 ? m.suit : 0), shuffles);
        records[seat].AfterOwnMove(rules::ViewOf(p, seat));
    }
    return p;
}

}  // namespace tarvel::lookahead::testing
