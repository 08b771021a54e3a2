// Random games under every combination of the rules: the cards stay whole, the list
// of legal moves is exactly what Check allows, and a refused move changes nothing.
#include <gtest/gtest.h>

#include <random>

#include "rules/moves.h"
#include "rules/position.h"

namespace tarvel::rules {
namespace {

struct SeededRandom {
    std::mt19937 engine;
    std::uint32_t Random(std::uint32_t n) { return n <= 1 ? 0 : static_cast<std::uint32_t>(engine() % n); }
};

RuleOptions RulesOf(int i) {
    RuleOptions r;
    r.sevenDraw = (i & 1) ? 3 : 2;
    r.kingOfSpades = (i & 2) != 0;
    r.returnToGame = (i & 4) != 0;
    r.compulsory = (i & 8) != 0;
    r.shuffle = (i & 16) != 0;
    r.dealtCards = static_cast<std::uint8_t>(4 + i % 7);
    return r;
}

void ExpectWhole(const Position& p) {
    const CardSet pile = p.PileSet(), stock = p.StockSet();
    EXPECT_EQ(p.hands[0] & p.hands[1], 0u);
    EXPECT_EQ((p.hands[0] | p.hands[1]) & (pile | stock), 0u);
    EXPECT_EQ(pile & stock, 0u);
    EXPECT_EQ(CountOf(p.hands[0]) + CountOf(p.hands[1]) + p.pileSize + p.stockSize, kCards);
    EXPECT_EQ(p.hands[0] | p.hands[1] | pile | stock, kAllCards);
}

TEST(RulesPlayouts, LegalMovesAreExactlyWhatCheckAllows) {
    SeededRandom random{std::mt19937(7)};
    int games = 0, decided = 0;
    for (int i = 0; i < 32 * 7 * 2; ++i, ++games) {
        Position p = Deal(RulesOf(i), static_cast<std::uint8_t>(i & 1), random);
        for (int move = 0; move < 400 && !p.Over(); ++move) {
            ExpectWhole(p);
            const MoveList legal = LegalMoves(p);
            ASSERT_GT(legal.size, 0) << "a running game always has a move";
            // Every possible move: listed exactly when Check passes it.
            for (CardId card = 0; card < kCards; ++card) {
                const Move lay = Move::Lay(card);
                EXPECT_EQ(legal.Contains(lay), Check(p, lay) == Refusal::None);
            }
            for (auto kind : {MoveKind::Draw, MoveKind::Stand, MoveKind::GiveUp}) {
                EXPECT_EQ(legal.Contains(Move{kind, 0}), Check(p, Move{kind, 0}) == Refusal::None);
            }
            for (std::uint8_t suit = 0; suit < 5; ++suit) {
                const Move name = Move::NameSuit(suit);
                EXPECT_EQ(legal.Contains(name), Check(p, name) == Refusal::None);
            }
            const SeatView view = ViewOf(p, p.toMove);
            EXPECT_EQ(view.unseen, p.hands[OtherSeat(p.toMove)] | p.StockSet());
            EXPECT_EQ(view.otherCount, CountOf(p.hands[OtherSeat(p.toMove)]));
            // A refused move leaves the position as it was.
            const Position before = p;
            const Move refused = Move::Lay(LowestCard(~LayableCards(p)));  // 32 when all are layable: no card
            if (Check(p, refused) != Refusal::None) {
                EXPECT_NE(Apply(p, refused, random).refusal, Refusal::None);
                EXPECT_EQ(p, before);
            }
            Apply(p, legal.moves[random.Random(legal.size)], random);
        }
        decided += p.Over();
        if (p.Over()) {
            EXPECT_EQ(LegalMoves(p).size, 0);
        }
    }
    EXPECT_GT(decided, games / 2);
}

}  // namespace
}  // namespace tarvel::rules
