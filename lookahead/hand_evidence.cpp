#include "lookahead/hand_evidence.h"

#include <cmath>

#include "lookahead/card_preference.h"
#include "lookahead/playout.h"
#include "rules/moves.h"

namespace tarvel::lookahead {
namespace {

// How sharply a player follows its liking: a card one step better liked is e times as
// likely to be laid; a suit with one card more is e squared times as likely named.
constexpr double kCardSharpness = 1.0;
constexpr double kSuitSharpness = 2.0;

// The chance that a player holding `hand` on the table of `lay` laid `lay.card`, by its
// liking.
double ChanceOfLay(const OthersLay& lay, const rules::Position& p, rules::CardSet hand) {
    const rules::CardSet layable = rules::LayableCards(p);
    double sum = 0, chosen = 0;
    for (rules::CardSet s = layable; s != 0; s &= s - 1) {
        const rules::CardId card = rules::LowestCard(s);
        const double w = std::exp(kCardSharpness * CardPreference(card, hand));
        sum += w;
        if (card == lay.card) chosen = w;
    }
    double chance = sum > 0 && chosen > 0 ? chosen / sum : 1.0;
    if (lay.suit < 4) {
        const rules::CardSet kept = hand & ~rules::Bit(lay.card);
        double suits = 0;
        for (std::uint8_t suit = 0; suit < 4; ++suit)
            suits += std::exp(kSuitSharpness * SuitStrength(suit, kept));
        chance *= std::exp(kSuitSharpness * SuitStrength(lay.suit, kept)) / suits;
    }
    return chance;
}

}  // namespace

rules::Position TableOfLay(const OthersLay& lay, const SeatKnowledge& k, rules::CardSet hand) {
    rules::Position p;
    p.rules = k.view.rules;
    const std::uint8_t other = rules::OtherSeat(k.view.seat);
    p.hands[other] = hand;
    p.pile[0] = lay.top;
    p.pileSize = 1;
    p.namedSuit = lay.namedSuit;
    p.toMove = other;
    p.pendingDraw = lay.pendingDraw;
    p.acePending = lay.acePending;
    p.outSeat = lay.returnOpen ? k.view.seat : rules::kNoSeat;
    return p;
}

double HabitChanceOfLay(const OthersLay& lay, const SeatKnowledge& k, rules::CardSet hand, HabitModel& habits,
                        bool forPoints) {
    rules::Position p = TableOfLay(lay, k, hand);
    const rules::CardSet layable = rules::LayableCards(p);
    if (!rules::Holds(layable, lay.card)) return 0;
    p.hands[k.view.seat] = k.view.ownHand;  // its habits may count the other hand
    // Not laid even when it came first: its habits never lay it here. Else it is one of
    // the cards they lay when that card comes first.
    double byHabits = 0;
    if (habits.Choose(p, lay.card, forPoints) == rules::Move::Lay(lay.card)) {
        int equals = 1;
        for (rules::CardSet s = layable & ~rules::Bit(lay.card); s != 0; s &= s - 1) {
            const rules::CardId card = rules::LowestCard(s);
            equals += habits.Choose(p, card, forPoints) == rules::Move::Lay(card) ? 1 : 0;
        }
        byHabits = 1.0 / equals;
    }
    // After a queen, the suit it holds most of.
    if (lay.suit < 4 && lay.suit != SuitHeldMost(hand & ~rules::Bit(lay.card), rules::SuitOf(lay.card)))
        byHabits = 0;
    return kHabitTrust * byHabits + (1.0 - kHabitTrust) / rules::CountOf(layable);
}

double EvidenceFor(const SeatKnowledge& k, rules::CardSet otherHand, HabitModel* habits, bool forPoints) {
    double likelihood = 1.0;
    rules::CardSet hand = otherHand;
    // Back through the lays, newest first: before each, the hand held that card too.
    for (int i = k.layCount - 1; i >= 0; --i) {
        const OthersLay& lay = k.lays[static_cast<std::size_t>(i)];
        hand |= rules::Bit(lay.card);
        likelihood *= habits == nullptr ? ChanceOfLay(lay, TableOfLay(lay, k, hand), hand)
                                        : HabitChanceOfLay(lay, k, hand, *habits, forPoints);
    }
    return likelihood;
}

}  // namespace tarvel::lookahead
