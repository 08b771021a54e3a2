#include "lookahead/playout.h"

#include "lookahead/card_preference.h"

namespace tarvel::lookahead {
namespace {

constexpr int kMoveLimit = 400;

rules::CardId RandomCardOf(rules::CardSet set, FastRandom& random) {
    int skip = static_cast<int>(random.Random(static_cast<std::uint32_t>(rules::CountOf(set))));
    while (skip-- > 0) set &= set - 1;
    return rules::LowestCard(set);
}

// The card the quick player likes best, one of the best at random.
rules::CardId QuickCard(rules::CardSet hand, rules::CardSet layable, FastRandom& random) {
    int best = 0;
    rules::CardSet bestCards = 0;
    for (rules::CardSet s = layable; s != 0; s &= s - 1) {
        const rules::CardId card = rules::LowestCard(s);
        const int liking = CardPreference(card, hand);
        if (bestCards == 0 || liking > best) {
            best = liking;
            bestCards = 0;
        }
        if (liking == best) bestCards |= rules::Bit(card);
    }
    return RandomCardOf(bestCards, random);
}

}  // namespace

std::uint8_t SuitHeldMost(rules::CardSet hand, std::uint8_t fallback) {
    std::uint8_t best = fallback;
    int most = 0;
    for (std::uint8_t suit = 0; suit < 4; ++suit) {
        const int count = SuitStrength(suit, hand);
        if (count > most) {
            most = count;
            best = suit;
        }
    }
    return best;
}

rules::Move QuickMove(const rules::Position& p, FastRandom& random) {
    const rules::CardSet hand = p.hands[p.toMove];
    if (p.suitToName) return rules::Move::NameSuit(SuitHeldMost(hand, rules::SuitOf(p.Top())));
    const rules::CardSet layable = rules::LayableCards(p);
    if (layable == 0) return rules::Move{rules::TurnEndingKind(p), 0};
    return rules::Move::Lay(QuickCard(hand, layable, random));
}

double ScoreOf(const rules::Position& p, std::uint8_t seat, bool forPoints) {
    if (!p.Over()) return forPoints ? 0.0 : 0.5;
    const bool won = p.winner == seat;
    if (!forPoints) return won ? 1.0 : 0.0;
    return won ? rules::HandPoints(p.hands[rules::OtherSeat(seat)]) : -rules::HandPoints(p.hands[seat]);
}

double PlayOut(rules::Position p, std::uint8_t seat, bool forPoints, FastRandom& random, long& steps,
               HabitModel* habits) {
    for (int i = 0; i < kMoveLimit && !p.Over(); ++i) {
        ++steps;
        const bool byHabit = habits != nullptr && p.toMove != seat && !p.suitToName;
        const rules::Move move = byHabit ? habits->Choose(p, rules::kNoCard, forPoints) : QuickMove(p, random);
        const rules::MoveOutcome out = rules::Apply(p, move, random);
        if (out.refusal != rules::Refusal::None) {
            // The compulsory rule can refuse the quick ending; any legal move then does.
            const rules::MoveList legal = rules::LegalMoves(p);
            if (legal.size == 0) break;
            rules::Apply(p, legal.moves[0], random);
        }
    }
    return ScoreOf(p, seat, forPoints);
}

}  // namespace tarvel::lookahead
