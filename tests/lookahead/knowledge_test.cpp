// What the strong computer's seat knows and infers, and the deals it imagines from it.
#include <gtest/gtest.h>

#include <utility>

#include "rules/card_names.h"
#include "lookahead/fast_random.h"
#include "rules/moves.h"
#include "lookahead/sample_deal.h"
#include "lookahead/seat_knowledge.h"

namespace tarvel::lookahead {
namespace {

using rules::Bit;
using rules::CardSet;
using rules::Position;

rules::CardId C(std::string_view name) { return rules::IdOfName(name); }

// A dealt game with seat 0 to move; the seed picks the deal.
Position Dealt(std::uint64_t seed, rules::RuleOptions r = {}) {
    FastRandom random(seed);
    return rules::Deal(r, 0, random);
}

TEST(SampleDeal, AgreesWithEverythingTheSeatSees) {
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
        const Position p = Dealt(seed);
        const SeatKnowledge k = KnowledgeOf(p, 1);
        FastRandom random(seed * 7);
        for (int i = 0; i < 20; ++i) {
            const Position world = SampleDeal(k, random);
            EXPECT_EQ(world.hands[1], p.hands[1]);
            EXPECT_EQ(rules::CountOf(world.hands[0]), rules::CountOf(p.hands[0]));
            EXPECT_EQ(world.stockSize, p.stockSize);
            EXPECT_EQ(world.hands[0] | world.StockSet(), k.view.unseen);
            EXPECT_EQ(world.hands[0] & world.StockSet(), 0u);
            EXPECT_EQ(world.Top(), p.Top());
            EXPECT_EQ(world.toMove, p.toMove);
            // All 32 cards, each once.
            EXPECT_EQ(world.hands[0] | world.hands[1] | world.StockSet() | world.PileSet(), rules::kAllCards);
            EXPECT_EQ(world.pileSize + world.stockSize + rules::CountOf(world.hands[0] | world.hands[1]),
                      rules::kCards);
        }
    }
}

TEST(SampleDeal, KeepsWhatTheOtherLacksOutsideItsUnsureCards) {
    const Position p = Dealt(3);
    SeatKnowledge k = KnowledgeOf(p, 1);
    k.lacks = rules::kSevens | rules::kAces;
    FastRandom random(11);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(SampleDeal(k, random).hands[0] & k.lacks, 0u);
    }
    k.unsureCards = 1;
    bool sawOne = false;
    for (int i = 0; i < 400; ++i) {
        const int held = rules::CountOf(SampleDeal(k, random).hands[0] & k.lacks);
        EXPECT_LE(held, 1);
        sawOne = sawOne || held == 1;
    }
    EXPECT_TRUE(sawOne) << "a card drawn later may be one it lacked before";
}

TEST(SampleDeal, AKnownStockOrderFixesTheOtherHand) {
    Position p = Dealt(5);
    p.stockOrderKnown = true;
    const SeatKnowledge k = KnowledgeOf(p, 1);
    FastRandom random(2);
    const Position world = SampleDeal(k, random);
    EXPECT_EQ(world.hands[0], p.hands[0]);
    EXPECT_EQ(world.stock, p.stock);
    // Without it the stock's order is not the seat's to know.
    p.stockOrderKnown = false;
    EXPECT_EQ(KnowledgeOf(p, 1).knownStock, (std::array<rules::CardId, rules::kCards>{}));
}

// Seat 1 has just laid a seven; seat 0 is to answer.
struct AfterSeven {
    Position p;
    AfterSeven() {
        p.hands[0] = Bit(C("9 srdcová")) | Bit(C("kluk kárový"));
        p.hands[1] = Bit(C("10 piková")) | Bit(C("8 piková")) | Bit(C("eso křížové"));
        p.pile[p.pileSize++] = C("7 srdcová");
        p.pendingDraw = 2;
        p.toMove = 0;
        // Everything else in the stock.
        const CardSet rest = rules::kAllCards & ~p.hands[0] & ~p.hands[1] & ~Bit(C("7 srdcová"));
        for (CardSet s = rest; s != 0; s &= s - 1) p.stock[p.stockSize++] = rules::LowestCard(s);
    }
};

TEST(KnowledgeRecord, DrawingInsteadOfAnsweringASevenShowsNoSeven) {
    AfterSeven game;
    KnowledgeRecord record;
    record.AfterOwnMove(KnowledgeOf(game.p, 1));
    FastRandom random(1);
    rules::Apply(game.p, rules::Move{rules::MoveKind::Draw, 0}, random);
    const SeatKnowledge k = record.Update(KnowledgeOf(game.p, 1));
    EXPECT_EQ(k.lacks, rules::kSevens & k.view.unseen);
    EXPECT_EQ(k.unsureCards, 2) << "the two cards drawn may be sevens";
}

TEST(KnowledgeRecord, ALackedCardLaidLaterUsesUpAnUnsureCard) {
    AfterSeven game;
    KnowledgeRecord record;
    record.AfterOwnMove(KnowledgeOf(game.p, 1));
    FastRandom random(1);
    // The two cards it draws: the seven of diamonds among them.
    for (int i = 0; i < game.p.stockSize; ++i) {
        if (game.p.stock[static_cast<std::size_t>(i)] == C("7 kárová")) {
            std::swap(game.p.stock[static_cast<std::size_t>(i)], game.p.stock[game.p.stockSize - 1u]);
        }
    }
    rules::Apply(game.p, rules::Move{rules::MoveKind::Draw, 0}, random);
    record.Update(KnowledgeOf(game.p, 1));
    // Seat 1 draws; seat 0 then lays the seven it drew on the seven of hearts.
    rules::Apply(game.p, rules::Move{rules::MoveKind::Draw, 0}, random);
    record.AfterOwnMove(KnowledgeOf(game.p, 1));
    ASSERT_EQ(rules::Apply(game.p, rules::Move::Lay(C("7 kárová")), random).refusal, rules::Refusal::None);
    const SeatKnowledge k = record.Update(KnowledgeOf(game.p, 1));
    EXPECT_EQ(k.unsureCards, 1);
    EXPECT_NE(k.lacks, 0u);
}

TEST(KnowledgeRecord, ANewDealForgetsEverything) {
    AfterSeven game;
    KnowledgeRecord record;
    record.AfterOwnMove(KnowledgeOf(game.p, 1));
    FastRandom random(1);
    rules::Apply(game.p, rules::Move{rules::MoveKind::Draw, 0}, random);
    record.Reset();
    const SeatKnowledge k = record.Update(KnowledgeOf(game.p, 1));
    EXPECT_EQ(k.lacks, 0u);
    EXPECT_EQ(k.unsureCards, 0);
}

}  // namespace
}  // namespace tarvel::lookahead
