// The quick play the look-ahead scores its moves with: the card each side lays, the
// suit it names, and how a finished game counts.
#include <gtest/gtest.h>

#include "lookahead/card_preference.h"
#include "lookahead/lookahead_player.h"
#include "lookahead/playout.h"
#include "tests/rules/rules_test_util.h"

namespace tarvel::lookahead {
namespace {

using rules::Position;
using rules::testing::C;
using rules::testing::Hand;
using rules::testing::Table;

struct QuickCase {
    const char* what;
    Position position;
    rules::Move expected;
};

Position Pending(Position p, std::uint8_t draw, bool ace) {
    p.pendingDraw = draw;
    p.acePending = ace;
    return p;
}

TEST(QuickPlay, LaysTheCardASensiblePlayerWould) {
    const rules::Move draw{rules::MoveKind::Draw, 0};
    const rules::Move stand{rules::MoveKind::Stand, 0};
    const QuickCase cases[] = {
        {"nothing fits: it draws", Table(Hand({"8 kárová", "kluk křížový"}), "9 srdcová"), draw},
        {"an ace it cannot answer: it stands", Pending(Table(Hand({"8 kárová"}), "eso srdcové"), 0, true),
         stand},
        {"a seven answered with its seven",
         Pending(Table(Hand({"7 kárová", "9 srdcová"}), "7 srdcová"), 2, false),
         rules::Move::Lay(C("7 kárová"))},
        {"the card that goes least with the rest: the eight of hearts, the spades kept together",
         Table(Hand({"8 srdcová", "9 piková", "10 piková"}), "9 srdcová"), rules::Move::Lay(C("8 srdcová"))},
        {"an ordinary card before an ace or a seven",
         Table(Hand({"eso srdcové", "7 srdcová", "kluk srdcový"}), "9 srdcová"),
         rules::Move::Lay(C("kluk srdcový"))},
        {"a queen only when nothing else fits", Table(Hand({"dáma kárová", "10 srdcová"}), "9 srdcová"),
         rules::Move::Lay(C("10 srdcová"))},
        {"the queen when it is all that fits", Table(Hand({"dáma kárová", "10 křížová"}), "9 srdcová"),
         rules::Move::Lay(C("dáma kárová"))},
    };
    for (const QuickCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::uint64_t seed = 0; seed < 8; ++seed) {
            FastRandom random(seed);
            EXPECT_EQ(QuickMove(c.position, random), c.expected);
        }
    }
}

TEST(QuickPlay, NamesTheSuitItHoldsMost) {
    struct SuitCase {
        rules::CardSet hand;
        std::uint8_t expected;
    };
    const SuitCase cases[] = {
        {Hand({"8 křížová", "9 křížová", "10 kárová"}), rules::kClubs},
        {Hand({"8 kárová", "9 piková"}), rules::kDiamonds},  // a tie goes to the suit first in the deck
        {Hand({"dáma piková", "dáma kárová", "8 srdcová"}), rules::kHearts},  // queens do not count
        {Hand({"dáma piková"}), rules::kSpades},                              // only queens: the fallback
    };
    for (const SuitCase& c : cases) EXPECT_EQ(SuitHeldMost(c.hand, rules::kSpades), c.expected);

    Position p = Table(Hand({"dáma srdcová", "8 křížová", "10 křížová"}), "9 piková");
    FastRandom random(1);
    rules::Apply(p, QuickMove(p, random), random);
    ASSERT_TRUE(p.suitToName);
    EXPECT_EQ(QuickMove(p, random), rules::Move::NameSuit(rules::kClubs));
}

TEST(QuickPlay, ScoresAFinishedGameForTheSeat) {
    Position p = Table(Hand({"dáma srdcová", "7 kárová"}), "9 piková");
    EXPECT_EQ(ScoreOf(p, 0, false), 0.5) << "unfinished: half a win";
    EXPECT_EQ(ScoreOf(p, 0, true), 0.0) << "unfinished: no points either way";
    p.winner = 1;
    EXPECT_EQ(ScoreOf(p, 0, false), 0.0);
    EXPECT_EQ(ScoreOf(p, 1, false), 1.0);
    EXPECT_EQ(ScoreOf(p, 0, true), -47.0) << "the loser's queen of hearts and seven";
    EXPECT_EQ(ScoreOf(p, 1, true), 47.0);
}

TEST(QuickPlay, APlayoutEndsTheGameAndCountsItsMoves) {
    FastRandom random(4);
    for (int game = 0; game < 40; ++game) {
        const Position start = rules::Deal(rules::RuleOptions{}, static_cast<std::uint8_t>(game & 1), random);
        long steps = 0;
        const double score = PlayOut(start, 0, false, random, steps);
        EXPECT_TRUE(score == 0.0 || score == 1.0 || score == 0.5);
        EXPECT_GT(steps, 0);
        EXPECT_LE(steps, 400);
    }
}

TEST(StrongChoice, SpendsItsBudgetOnTheMovesItHas) {
    // Three fitting cards and the draw; the queen of hearts is tried with the suits it keeps.
    Position p = Table(Hand({"dáma srdcová", "9 kárová", "9 křížová", "8 srdcová"}), "9 piková");
    p.toMove = 0;
    for (rules::CardSet s = rules::kAllCards & ~p.hands[0] & ~p.hands[1] & ~p.PileSet(); s != 0; s &= s - 1) {
        p.stock[p.stockSize++] = rules::LowestCard(s);
    }
    SearchReport report;
    const Effort effort{600, 8, 1000000};
    ChooseMove(KnowledgeOf(rules::ViewOf(p, 0)), false, 3, effort, &report);
    // 9♦, 9♣, the draw, and the queen naming hearts, diamonds or clubs (not spades: it keeps none).
    EXPECT_EQ(report.candidates, 6);
    EXPECT_GE(report.playouts, 500);
    EXPECT_LE(report.playouts, 600 + 6 * 8);
    // A budget of moves stops it early, after each move's first deals.
    // A queen as the last card wins at once: no suit to try, unless the return rule
    // lets the other answer it.
    Position last = Table(Hand({"dáma srdcová"}), "9 piková");
    last.stock = p.stock;
    last.stockSize = p.stockSize;
    ChooseMove(KnowledgeOf(rules::ViewOf(last, 0)), false, 3, effort, &report);
    EXPECT_EQ(report.candidates, 2);
    last.rules.returnToGame = true;
    ChooseMove(KnowledgeOf(rules::ViewOf(last, 0)), false, 3, effort, &report);
    EXPECT_EQ(report.candidates, 5);
    const Effort cut{600, 8, 200};
    ChooseMove(KnowledgeOf(rules::ViewOf(p, 0)), false, 3, cut, &report);
    EXPECT_LT(report.playouts, 100);
}

// Halving: a move dropped after the first round has had its first deals only, and the
// moves still in share what is left, so the move chosen is played out on many more
// deals than the first dropped. A schedule that gave every move the same share would
// spend most of the budget on moves already known to be worse.
TEST(StrongChoice, TheMovesLeftInGetTheRestOfTheBudget) {
    struct Case {
        int moves;
        std::initializer_list<std::string_view> hand;
    };
    const Case cases[] = {
        {3, {"9 piková", "8 piková", "8 srdcová"}},
        {4, {"9 piková", "8 piková", "kluk pikový", "8 srdcová"}},
        {6, {"9 piková", "8 piková", "kluk pikový", "10 srdcová", "10 kárová", "8 srdcová"}},
    };
    const Effort effort{240, 16, 1000000};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moves);
        Position p = Table(Hand(c.hand), "10 piková");
        p.toMove = 0;
        for (rules::CardSet s = rules::kAllCards & ~p.hands[0] & ~p.hands[1] & ~p.PileSet(); s != 0;
             s &= s - 1) {
            p.stock[p.stockSize++] = rules::LowestCard(s);
        }
        for (std::uint64_t seed = 0; seed < 3; ++seed) {
            SearchReport report;
            ChooseMove(KnowledgeOf(rules::ViewOf(p, 0)), false, seed, effort, &report);
            ASSERT_EQ(report.candidates, c.moves);
            EXPECT_GE(report.fewestPlayouts, effort.leastPerMove);
            EXPECT_GE(report.chosenPlayouts, 2 * report.fewestPlayouts);
            EXPECT_LE(report.playouts, effort.playouts + c.moves);
        }
    }
}

}  // namespace
}  // namespace tarvel::lookahead
