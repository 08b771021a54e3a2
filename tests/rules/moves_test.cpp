#include <gtest/gtest.h>

#include "common/random_source.h"
#include "tests/rules/rules_test_util.h"

namespace tarvel::rules {
namespace {

using namespace testing;

// With nothing pending every card is tried on every top: it fits when it is a queen or
// shares the top's rank or suit; over a named suit only that suit and the queens fit.
TEST(RulesLay, FitOverEveryTopAndEveryCard) {
    for (CardId top = 0; top < kCards; ++top) {
        for (CardId card = 0; card < kCards; ++card) {
            if (card == top) continue;
            Position p = Table(Bit(card), CardName(top));
            const bool fits = RankOf(card) == kQueen || RankOf(card) == RankOf(top) || SuitOf(card) == SuitOf(top);
            EXPECT_EQ(LayRefusal(p, card), fits ? Refusal::None : Refusal::DoesNotFit) << int(top) << " " << int(card);
            for (std::uint8_t suit = 0; suit < 4; ++suit) {
                p.namedSuit = suit;
                const bool fitsNamed = RankOf(card) == kQueen || SuitOf(card) == suit;
                EXPECT_EQ(LayRefusal(p, card), fitsNamed ? Refusal::None : Refusal::DoesNotFit);
            }
        }
    }
}

TEST(RulesLay, PendingStatesRefuseWithTheirOwnReason) {
    Position p = Table(Hand({"dáma srdcová", "7 piková", "eso kárové", "král pikový", "9 srdcová"}), "7 srdcová");
    p.pendingDraw = 2;
    EXPECT_EQ(LayRefusal(p, C("dáma srdcová")), Refusal::DrawWantsSeven);
    EXPECT_EQ(LayRefusal(p, C("7 piková")), Refusal::None);
    EXPECT_EQ(LayRefusal(p, C("král pikový")), Refusal::DrawWantsSeven);  // an ordinary king without its rule
    p.rules.kingOfSpades = true;
    EXPECT_EQ(LayRefusal(p, C("král pikový")), Refusal::DoesNotFit);  // passes the draw test, not the fit
    // On the seven of spades the king is offered, and fits.
    p = Table(Hand({"9 srdcová", "král pikový", "7 srdcová"}), "7 piková");
    p.pendingDraw = 2;
    p.rules.kingOfSpades = true;
    EXPECT_EQ(LayRefusal(p, C("9 srdcová")), Refusal::DrawWantsSevenOrKingOfSpades);
    EXPECT_EQ(LayRefusal(p, C("král pikový")), Refusal::None);
    // On the king of spades only the seven of spades fits.
    p = Table(Hand({"7 srdcová", "7 piková"}), "král pikový");
    p.pendingDraw = 5;
    p.rules.kingOfSpades = true;
    EXPECT_EQ(LayRefusal(p, C("7 srdcová")), Refusal::DoesNotFit);
    EXPECT_EQ(LayRefusal(p, C("7 piková")), Refusal::None);

    p = Table(Hand({"eso srdcové", "9 kárová"}), "eso kárové");
    p.acePending = true;
    EXPECT_EQ(LayRefusal(p, C("9 kárová")), Refusal::AceOwed);
    EXPECT_EQ(LayRefusal(p, C("eso srdcové")), Refusal::None);
    EXPECT_EQ(LayRefusal(p, C("7 kárová")), Refusal::NotHeld);
}

TEST(RulesLay, ReturnWantsASevenAndOffersTheKingOnSpades) {
    Position p = Table(Hand({"9 piková", "7 piková", "7 srdcová", "král pikový"}), "10 piková");
    p.outSeat = 1;
    EXPECT_EQ(LayRefusal(p, C("9 piková")), Refusal::ReturnWantsSeven);
    EXPECT_EQ(LayRefusal(p, C("7 piková")), Refusal::None);
    EXPECT_EQ(LayRefusal(p, C("7 srdcová")), Refusal::DoesNotFit);
    p.rules.kingOfSpades = true;
    EXPECT_EQ(LayRefusal(p, C("9 piková")), Refusal::ReturnWantsSevenOrKingOfSpades);
    EXPECT_EQ(LayRefusal(p, C("král pikový")), Refusal::None);
    p.namedSuit = kSpades;  // a named spade offers the king too
    EXPECT_EQ(LayRefusal(p, C("9 piková")), Refusal::ReturnWantsSevenOrKingOfSpades);
    p = Table(Hand({"9 piková"}), "král pikový");
    p.outSeat = 1;
    p.rules.kingOfSpades = true;
    EXPECT_EQ(LayRefusal(p, C("9 piková")), Refusal::ReturnWantsSeven);
}

TEST(RulesTurnEnd, CompulsoryRefusesWhileTheAnswerIsHeld) {
    Position p = Table(Hand({"7 kárová", "9 srdcová"}), "7 srdcová");
    p.pendingDraw = 2;
    EXPECT_EQ(TurnEndingKind(p), MoveKind::Draw);
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::Draw), Refusal::AnswerHeld);
    p.rules.kingOfSpades = true;  // only the seven and king of spades answer each other then
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::Draw), Refusal::None);
    p.rules.kingOfSpades = false;
    p.rules.compulsory = false;
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::Draw), Refusal::None);
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::Stand), Refusal::NotNow);

    p = Table(Hand({"eso kárové"}), "eso srdcové");
    p.acePending = true;
    EXPECT_EQ(TurnEndingKind(p), MoveKind::Stand);
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::Stand), Refusal::AnswerHeld);
    p.hands[0] = Hand({"9 kárová"});
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::Stand), Refusal::None);

    // Giving up is refused only by the sevens check: a fitting seven on a nine is no bar.
    p = Table(Hand({"7 srdcová"}), "9 srdcová");
    p.outSeat = 1;
    p.hands[1] = 0;
    EXPECT_EQ(TurnEndingKind(p), MoveKind::GiveUp);
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::GiveUp), Refusal::None);
    p = Table(Hand({"7 kárová"}), "7 srdcová");
    p.outSeat = 1;
    p.hands[1] = 0;
    p.pendingDraw = 2;
    EXPECT_EQ(TurnEndRefusal(p, MoveKind::GiveUp), Refusal::AnswerHeld);
}

TEST(RulesApply, EffectsOfCards) {
    NoRandom random;
    Position p = Table(Hand({"7 kárová", "9 srdcová"}), "7 srdcová");
    p.pendingDraw = 2;
    p.rules.sevenDraw = 3;
    auto out = Apply(p, Move::Lay(C("7 kárová")), random);
    EXPECT_EQ(out.refusal, Refusal::None);
    EXPECT_EQ(p.pendingDraw, 5);
    EXPECT_EQ(p.toMove, 1);
    EXPECT_EQ(p.Top(), C("7 kárová"));

    p = Table(Hand({"dáma piková", "9 srdcová"}), "9 kárová");
    Apply(p, Move::Lay(C("dáma piková")), random);
    EXPECT_TRUE(p.suitToName);
    EXPECT_EQ(p.toMove, 0);
    const MoveList suits = LegalMoves(p);
    ASSERT_EQ(suits.size, 4);
    EXPECT_EQ(Apply(p, Move::Lay(C("9 srdcová")), random).refusal, Refusal::NotNow);
    Apply(p, Move::NameSuit(kHearts), random);
    EXPECT_EQ(p.SuitInPlay(), kHearts);
    EXPECT_EQ(p.toMove, 1);

    p = Table(Hand({"eso kárové", "9 srdcová"}), "9 kárová");
    Apply(p, Move::Lay(C("eso kárové")), random);
    EXPECT_TRUE(p.acePending);
    p.hands[1] = Hand({"8 srdcová"});
    EXPECT_EQ(LegalMoves(p).size, 1);
    Apply(p, Move{MoveKind::Stand, 0}, random);
    EXPECT_FALSE(p.acePending);
    EXPECT_EQ(p.toMove, 0);

    p = Table(Hand({"král pikový", "9 srdcová"}), "9 piková");
    Apply(p, Move::Lay(C("král pikový")), random);
    EXPECT_EQ(p.pendingDraw, 0);  // an ordinary king without its rule
    p = Table(Hand({"král pikový", "9 srdcová"}), "9 piková");
    p.rules.kingOfSpades = true;
    Apply(p, Move::Lay(C("král pikový")), random);
    EXPECT_EQ(p.pendingDraw, 5);
}

TEST(RulesApply, DrawTurnsThePileOnceAndStopsWhenNothingIsLeft) {
    NoRandom random;
    // Four to draw, two in the stock, five under the top: two, the turn, two more.
    Position p = Table(Hand({"9 srdcová"}), "7 srdcová", {"8 kárová", "9 kárová", "10 kárová", "kluk kárový", "král kárový"});
    p.hands[1] = Hand({"eso křížové"});
    p.stock[0] = C("8 křížová");
    p.stock[1] = C("9 křížová");
    p.stockSize = 2;
    p.pendingDraw = 4;
    auto out = Apply(p, Move{MoveKind::Draw, 0}, random);
    EXPECT_TRUE(out.pileTurned);
    EXPECT_TRUE(p.stockOrderKnown);
    EXPECT_EQ(out.drawn, Hand({"8 křížová", "9 křížová", "8 kárová", "9 kárová"}));
    EXPECT_EQ(p.pileSize, 1);
    ASSERT_EQ(p.stockSize, 3);  // the first card played lies on top of the new stock: drawn first
    EXPECT_EQ(p.pendingDraw, 0);
    EXPECT_EQ(p.toMove, 1);

    // Nothing to draw: the turn passes all the same.
    p = Table(Hand({"9 srdcová"}), "dáma srdcová");
    p.namedSuit = kClubs;
    out = Apply(p, Move{MoveKind::Draw, 0}, random);
    EXPECT_TRUE(out.nothingToDraw);
    EXPECT_EQ(out.drawn, 0u);
    EXPECT_EQ(p.toMove, 1);
}

TEST(RulesApply, ShuffledTurnUsesTheRingWalk) {
    ScriptedRandom random;
    random.values[0] = 1;  // of three cards: skip one, take the next
    Position p = Table(Hand({"9 srdcová"}), "kluk kárový", {"8 kárová", "9 kárová", "10 kárová"});
    // An earlier turn went unshuffled; the shuffle was switched on since.
    p.stockOrderKnown = true;
    p.rules.shuffle = true;
    Apply(p, Move{MoveKind::Draw, 0}, random);
    // Popped from the new stock (8, 9, 10 from its top) into a ring, the walk takes 9, then 10, 8.
    EXPECT_FALSE(p.stockOrderKnown) << "a shuffled stock's order is nobody's to know";
    ASSERT_EQ(p.stockSize, 2);
    EXPECT_TRUE(Holds(p.hands[0], C("8 kárová")));
    EXPECT_EQ(p.stock[0], C("9 kárová"));
    EXPECT_EQ(p.stock[1], C("10 kárová"));
}

TEST(RulesApply, LastCardWithoutAndWithTheReturnRule) {
    NoRandom random;
    Position p = Table(Hand({"dáma kárová"}), "9 kárová");
    auto out = Apply(p, Move::Lay(C("dáma kárová")), random);
    EXPECT_EQ(out.winner, 0);  // no suit is named for a last queen
    EXPECT_TRUE(LegalMoves(p).size == 0);

    p = Table(Hand({"eso kárové"}), "9 kárová");
    p.rules.returnToGame = true;
    EXPECT_EQ(Apply(p, Move::Lay(C("eso kárové")), random).winner, 0);  // a last ace cannot be answered

    // A last nine: the other side may answer with a fitting seven or give up.
    p = Table(Hand({"9 srdcová"}), "9 kárová");
    p.rules.returnToGame = true;
    p.hands[1] = Hand({"7 srdcová", "7 kárová", "kluk srdcový"});
    out = Apply(p, Move::Lay(C("9 srdcová")), random);
    EXPECT_EQ(out.winner, kNoSeat);
    EXPECT_EQ(p.outSeat, 0);
    EXPECT_EQ(p.toMove, 1);
    const MoveList answers = LegalMoves(p);
    EXPECT_TRUE(answers.Contains(Move::Lay(C("7 srdcová"))));
    EXPECT_FALSE(answers.Contains(Move::Lay(C("7 kárová"))));
    EXPECT_FALSE(answers.Contains(Move::Lay(C("kluk srdcový"))));
    EXPECT_TRUE(answers.Contains(Move{MoveKind::GiveUp, 0}));

    // Answered: the emptied side takes the draw and is back; the answerer moves next.
    p.stock[0] = C("8 srdcová");
    p.stock[1] = C("10 srdcová");
    p.stockSize = 2;
    Apply(p, Move::Lay(C("7 srdcová")), random);
    EXPECT_EQ(p.toMove, 0);
    EXPECT_EQ(LegalMoves(p).size, 1);
    out = Apply(p, Move{MoveKind::Draw, 0}, random);
    EXPECT_TRUE(out.returned);
    EXPECT_EQ(p.hands[0], Hand({"8 srdcová", "10 srdcová"}));
    EXPECT_EQ(p.outSeat, kNoSeat);
    EXPECT_EQ(p.toMove, 1);
}

TEST(RulesApply, GivingUpOrAnsweringWithTheLastCardSettlesTheDraw) {
    NoRandom random;
    Position p = Table(0, "7 srdcová");
    p.rules.returnToGame = true;
    p.outSeat = 1;
    p.hands[1] = 0;
    p.hands[0] = Hand({"9 kárová"});
    p.pendingDraw = 2;
    p.stock[0] = C("8 srdcová");
    p.stock[1] = C("10 srdcová");
    p.stockSize = 2;
    auto out = Apply(p, Move{MoveKind::GiveUp, 0}, random);
    EXPECT_EQ(out.winner, 1);
    EXPECT_EQ(out.drawer, 0);
    EXPECT_EQ(p.hands[0], Hand({"9 kárová", "8 srdcová", "10 srdcová"}));

    // The answer is the answerer's last card: he wins and the emptied side takes the draw.
    p = Table(Hand({"7 kárová"}), "7 srdcová");
    p.rules.returnToGame = true;
    p.outSeat = 1;
    p.hands[1] = 0;
    p.pendingDraw = 2;
    p.stock[0] = C("8 srdcová");
    p.stockSize = 1;
    out = Apply(p, Move::Lay(C("7 kárová")), random);
    EXPECT_EQ(out.winner, 0);
    // Four to take: the stock's one, the turned pile's one, then nothing is left.
    EXPECT_EQ(p.hands[1], Hand({"8 srdcová", "7 srdcová"}));
    EXPECT_TRUE(out.pileTurned);
    EXPECT_TRUE(out.nothingToDraw);
}

// A network game takes the other program's moves as told: each report leaves the turn
// where that program's next message expects it, and this side's answer to a last card
// goes through the rules as any move does.
TEST(RulesReported, TheTurnFollowsTheOtherProgramsReports) {
    struct Report {
        const char* what;
        void (*apply)(Position&);
        std::uint8_t toMove;
    };
    const Report reports[] = {
        {"a plain card passes the turn", [](Position& p) { LayReported(p, 1, C("9 kárová"), false); }, 0},
        {"a queen keeps it for its suit", [](Position& p) { LayReported(p, 1, C("dáma kárová"), false); }, 1},
        {"the suit passes it", [](Position& p) { NameSuitReported(p, 1, kHearts); }, 0},
        {"a draw's end passes it", [](Position& p) { TurnEndedReported(p, 1); }, 0},
        {"the last card passes it to the answer", [](Position& p) { OutReported(p, 1); }, 0},
    };
    for (const Report& report : reports) {
        Position p = Table(Hand({"7 srdcová", "7 kárová"}), "9 srdcová");
        p.rules.returnToGame = true;
        p.hands[1] = 0;  // unseen
        p.toMove = 1;
        report.apply(p);
        EXPECT_EQ(p.toMove, report.toMove) << report.what;
    }

    Position p = Table(Hand({"7 srdcová", "7 kárová"}), "9 srdcová");
    p.rules.returnToGame = true;
    p.hands[1] = 0;
    p.toMove = 1;
    OutReported(p, 1);
    EXPECT_EQ(p.outSeat, 1);
    NoRandom random;
    EXPECT_NE(Apply(p, Move::Lay(C("7 kárová")), random).refusal, Refusal::None) << "it does not fit";
    EXPECT_EQ(Apply(p, Move::Lay(C("7 srdcová")), random).refusal, Refusal::None);
    EXPECT_EQ(p.pendingDraw, 2);
    EXPECT_EQ(p.toMove, 1) << "the returned side takes the draw";
}

// The deal takes the shuffled stock from its top: the first block to seat 0, the next to
// seat 1, then the start card; a queen turned up holds its own suit.
TEST(RulesDeal, HandsAndStartCardComeOffTheStockInOrder) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        StandardRandom shuffling(seed), dealing(seed);
        std::array<CardId, kCards> ring{}, stock{};
        for (CardId i = 0; i < kCards; ++i) ring[i] = i;
        RingShuffle(ring.data(), kCards, stock.data(), shuffling);
        RuleOptions rules;
        rules.dealtCards = static_cast<std::uint8_t>(4 + seed % 7);
        DealtOrder order;
        const Position p = Deal(rules, 1, dealing, &order);
        int top = kCards;
        ASSERT_EQ(order.perHand, rules.dealtCards);
        for (std::uint8_t seat = 0; seat < 2; ++seat) {
            CardSet hand = 0;
            for (int i = 0; i < rules.dealtCards; ++i) {
                EXPECT_EQ(order.hands[seat][static_cast<std::size_t>(i)], stock[static_cast<std::size_t>(--top)]);
                hand |= Bit(stock[static_cast<std::size_t>(top)]);
            }
            EXPECT_EQ(p.hands[seat], hand);
        }
        const CardId start = stock[static_cast<std::size_t>(--top)];
        EXPECT_EQ(p.Top(), start);
        EXPECT_EQ(p.namedSuit, RankOf(start) == kQueen ? SuitOf(start) : kNoSuit);
        ASSERT_EQ(p.stockSize, top);
        for (int i = 0; i < top; ++i) EXPECT_EQ(p.stock[static_cast<std::size_t>(i)], stock[static_cast<std::size_t>(i)]);
        EXPECT_EQ(p.toMove, 1);
        EXPECT_EQ(p.pendingDraw, 0);
    }
}

}  // namespace
}  // namespace tarvel::rules
