// The strong computer's expectation that the other side plays by known habits: how it
// reads the other's lays by them, plays the other side by them, and how far it believes
// in them as the other's own lays show.
#include <gtest/gtest.h>

#include "lookahead/habit_belief.h"
#include "lookahead/hand_evidence.h"
#include "lookahead/lookahead_player.h"
#include "lookahead/playout.h"
#include "tests/lookahead/watched_game.h"
#include "tests/rules/rules_test_util.h"

namespace tarvel::lookahead {
namespace {

using rules::CardSet;
using rules::Position;
using rules::testing::C;
using rules::testing::Hand;
using rules::testing::Table;
using testing::HumanLikeMove;
using testing::PlayWatchedGame;
using testing::RulesNumber;
using testing::SeatMove;

// A player of fixed habits: a card of the top's rank if it has one, else of the top's
// suit, else any fitting card; among equals the one that came to it first.
class RankFirstHabits final : public HabitModel {
  public:
    rules::Move Choose(const Position& p, rules::CardId first, bool) override {
        ++asked;
        const CardSet layable = rules::LayableCards(p);
        if (layable == 0) return rules::Move{rules::TurnEndingKind(p), 0};
        for (const CardSet kind : {rules::RankSet(rules::RankOf(p.Top())), rules::SuitSet(rules::SuitOf(p.Top())),
                                   rules::kAllCards}) {
            const CardSet equals = layable & kind;
            if (equals == 0) continue;
            return rules::Move::Lay(first != rules::kNoCard && rules::Holds(equals, first) ? first
                                                                                          : rules::LowestCard(equals));
        }
        return rules::Move{rules::TurnEndingKind(p), 0};
    }
    int asked = 0;
};

TEST(HabitReading, LaysAreReadByTheHabitsExpectedOfTheOtherSide) {
    // It laid the eight of spades on the nine of spades.
    SeatKnowledge k;
    k.view.seat = 1;
    k.layCount = 1;
    k.lays[0] = OthersLay{C("9 piková"), rules::kNoSuit, 0, false, false, C("8 piková")};
    RankFirstHabits habits;
    struct Case {
        const char* what;
        CardSet handNow;
        double chance;
    };
    const Case cases[] = {
        {"no nine, one spade: the habits lay it", Hand({"kluk kárový", "10 srdcová"}), 1.0},
        {"two spades: either may have come to it first", Hand({"kluk pikový", "10 srdcová"}), 0.5},
        {"a nine it would have laid instead: it strayed", Hand({"9 kárová", "10 srdcová"}), 0.05},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(EvidenceFor(k, c.handNow, &habits), c.chance, 1e-9);
    }
    EXPECT_GT(habits.asked, 0);
    habits.asked = 0;
    EvidenceFor(k, cases[2].handNow);
    EXPECT_EQ(habits.asked, 0) << "without habits the lays are read by liking";

    // Under its rule the king of spades answers a pending seven: the table's rules decide
    // what could be laid.
    k.view.rules.kingOfSpades = true;
    k.lays[0] = OthersLay{C("7 piková"), rules::kNoSuit, 2, false, false, C("král pikový")};
    EXPECT_GT(EvidenceFor(k, Hand({"9 kárová", "10 srdcová"}), &habits), 0.9);
}

// Habits that never lay a card: the side that has them draws or stands.
class NeverLays final : public HabitModel {
  public:
    rules::Move Choose(const Position& p, rules::CardId, bool) override {
        ++asked;
        return rules::Move{rules::TurnEndingKind(p), 0};
    }
    int asked = 0;
};

TEST(HabitReading, TheOtherSidePlaysByTheHabitsInThePlayouts) {
    // Seat 0 lays its last card, which fits, unless its habits keep it; seat 1 then ends
    // the game with its own.
    Position p = Table(Hand({"9 srdcová"}), "10 srdcová");
    p.hands[1] = Hand({"10 kárová"});
    p.stock[p.stockSize++] = C("7 křížová");
    p.stock[p.stockSize++] = C("8 křížová");
    NeverLays habits;
    long steps = 0;
    FastRandom random(1);
    EXPECT_EQ(PlayOut(p, 1, false, random, steps), 0.0) << "quick play lays the last card";
    EXPECT_EQ(PlayOut(p, 1, false, random, steps, &habits), 1.0) << "the habits keep it";
    EXPECT_GT(habits.asked, 0);
    habits.asked = 0;
    EXPECT_EQ(PlayOut(p, 0, false, random, steps, &habits), 1.0) << "its own side plays quick";
    EXPECT_EQ(habits.asked, 0);
}

// Players of the other seat, each for a whole match.
SeatMove ByTheHabits(const Position& p, FastRandom&) {
    RankFirstHabits habits;
    return {habits.Choose(p, rules::kNoCard, false), rules::kNoSuit};
}

// A fitting card the habits would not lay whenever there is one.
SeatMove AgainstTheHabits(const Position& p, FastRandom&) {
    RankFirstHabits habits;
    const rules::Move usual = habits.Choose(p, rules::kNoCard, false);
    const CardSet others = rules::LayableCards(p) & ~(usual.kind == rules::MoveKind::Lay ? rules::Bit(usual.value) : 0);
    if (others != 0) return {rules::Move::Lay(rules::LowestCard(others)), rules::kNoSuit};
    return {usual, rules::kNoSuit};
}

SeatMove LikeAPerson(const Position& p, FastRandom& random) { return HumanLikeMove(p, random); }

using OtherPlayer = SeatMove (*)(const Position&, FastRandom&);

// Seat 1 watches seat 0 over a match of `games` games and says how far it believes
// seat 0 plays by the habits. Seat 0 plays as `later` from game `changesAt` on.
double BeliefAfterMatch(OtherPlayer player, int games, std::uint64_t match, OtherPlayer later = nullptr,
                        int changesAt = 0) {
    RankFirstHabits habits;
    HabitBelief belief;
    FastRandom random(match);
    for (int game = 0; game < games; ++game) {
        belief.NewDeal();
        const Position start = rules::Deal(RulesNumber(match + static_cast<std::uint64_t>(game) * 8),
                                           static_cast<std::uint8_t>(game & 1), random);
        PlayWatchedGame(start, match + static_cast<std::uint64_t>(game), -1,
                        [&](const Position& p, const SeatKnowledge& k) {
                            if (p.toMove == 0) {
                                const SeatMove m = (later != nullptr && game >= changesAt ? later : player)(p, random);
                                return rules::Check(p, m.move) == rules::Refusal::None
                                           ? m
                                           : SeatMove{rules::LegalMoves(p).moves[0], rules::kNoSuit};
                            }
                            belief.Observe(k, habits, false, random.Next());
                            const double b = belief.Belief();
                            EXPECT_GT(b, 0.0);
                            EXPECT_LT(b, 1.0);
                            return SeatMove{QuickMove(p, random), rules::kNoSuit};
                        });
    }
    return belief.Belief();
}

TEST(HabitBelief, RisesForAPlayerOfTheHabitsAndFallsForOthers) {
    struct Case {
        const char* what;
        SeatMove (*player)(const Position&, FastRandom&);
        double atLeast, atMost;
    };
    const Case cases[] = {
        {"plays by the habits", ByTheHabits, 0.9, 1.0},
        {"never by the habits where it can help it", AgainstTheHabits, 0.0, 0.1},
        {"a person laying what he likes", LikeAPerson, 0.0, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::uint64_t match = 0; match < 3; ++match) {
            const double threeGames = BeliefAfterMatch(c.player, 3, match);
            const double tenGames = BeliefAfterMatch(c.player, 10, match);
            EXPECT_GE(tenGames, c.atLeast) << "match " << match;
            EXPECT_LE(tenGames, c.atMost) << "match " << match;
            // Three games already lean the right way.
            EXPECT_EQ(threeGames > 0.5, c.atLeast > 0.5) << "match " << match << ": " << threeGames;
        }
    }
}

// However long a player kept to the habits, once he leaves them he is read anew within
// a few games: the evidence of a long match is held within bounds.
TEST(HabitBelief, APlayerWhoChangesHisWaysIsReadAnew) {
    for (std::uint64_t match = 0; match < 3; ++match) {
        EXPECT_GT(BeliefAfterMatch(ByTheHabits, 40, match), 0.9) << "match " << match;
        EXPECT_LT(BeliefAfterMatch(ByTheHabits, 46, match, AgainstTheHabits, 40), 0.5) << "match " << match;
    }
}

// Each deal is played on the habits' reading with the chance of the belief; at 0 no
// number is drawn, so the rest of the decision sees the same luck as without habits.
TEST(HabitBelief, EachDealIsReadByTheHabitsWithTheChanceOfTheBelief) {
    RankFirstHabits habits;
    const struct {
        OtherSide other;
        double share;
    } cases[] = {
        {{nullptr, 1.0}, 0.0}, {{&habits, 0.0}, 0.0}, {{&habits, 0.3}, 0.3},
        {{&habits, 0.9}, 0.9},  {{&habits, 1.0}, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.other.belief);
        FastRandom random(4), untouched(4);
        int byHabits = 0;
        for (int i = 0; i < 4000; ++i) byHabits += DealByHabits(c.other, random) ? 1 : 0;
        EXPECT_NEAR(byHabits / 4000.0, c.share, 0.025);
        if (c.share == 0) {
            EXPECT_EQ(random.Next(), untouched.Next());
        }
    }
}

// While the belief is 0 the habits are never asked and every choice is the one made
// without them; at a belief of 1 they are asked.
TEST(HabitBelief, AtABeliefOfNothingTheChoicesAreThoseWithoutHabits) {
    const Effort quick{300, 8, 20000};
    RankFirstHabits habits;
    int decisions = 0, withLays = 0;
    for (std::uint64_t game = 0; game < 16; ++game) {
        FastRandom random(game);
        const Position start = rules::Deal(RulesNumber(game * 3), static_cast<std::uint8_t>(game & 1), random);
        PlayWatchedGame(start, game, -1, [&](const Position& p, const SeatKnowledge& k) {
            if (p.toMove == 0) return HumanLikeMove(p, random);
            const std::uint64_t seed = random.Next();
            const bool forPoints = (game & 1) != 0;
            const Decision plain = ChooseMove(k, forPoints, seed, quick);
            EXPECT_EQ(ChooseMove(k, forPoints, seed, quick, nullptr, {&habits, 0.0}), plain);
            ++decisions;
            withLays += k.layCount > 0 ? 1 : 0;
            return SeatMove{plain.move, plain.suit};
        });
    }
    EXPECT_EQ(habits.asked, 0);
    EXPECT_GT(decisions, 100);
    EXPECT_GT(withLays, 30);
    // At a belief of 1 every playout plays the other side by the habits. Seat 1 lays one
    // of its two hearts or draws; the other side, whose habits never lay, then draws, and
    // after a lay seat 1 lays its last card: each playout asks the habits once or more.
    Position p = Table(Hand({"8 kárová", "kluk pikový", "král křížový"}), "10 srdcová");
    p.hands[1] = Hand({"9 srdcová", "8 srdcová"});
    for (CardSet s = rules::kAllCards & ~p.hands[0] & ~p.hands[1] & ~p.PileSet(); s != 0; s &= s - 1)
        p.stock[p.stockSize++] = rules::LowestCard(s);
    p.toMove = 1;
    NeverLays never;
    SearchReport report;
    ChooseMove(KnowledgeOf(rules::ViewOf(p, 1)), false, 1, quick, &report, {&never, 1.0});
    ASSERT_EQ(report.candidates, 3);
    EXPECT_GE(never.asked, report.playouts);
}

}  // namespace
}  // namespace tarvel::lookahead
