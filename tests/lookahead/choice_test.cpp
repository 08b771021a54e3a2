// The strong computer's choices: blind to what its seat cannot see, repeatable by
// seed, and sound where one move plainly wins.
#include <gtest/gtest.h>

#include <vector>

#include "rules/card_names.h"
#include "lookahead/fast_random.h"
#include "lookahead/lookahead_player.h"

namespace tarvel::lookahead {
namespace {

using rules::Bit;
using rules::CardSet;
using rules::Position;

rules::CardId C(std::string_view name) { return rules::IdOfName(name); }

// Positions met in quick games of every rule set, seat 1 to move.
std::vector<Position> PositionsForSeatOne() {
    std::vector<Position> found;
    for (std::uint64_t seed = 1; seed <= 24; ++seed) {
        rules::RuleOptions r;
        r.sevenDraw = (seed & 1) ? 3 : 2;
        r.kingOfSpades = (seed & 2) != 0;
        r.returnToGame = (seed & 4) != 0;
        r.shuffle = (seed & 8) != 0;
        FastRandom random(seed);
        Position p = rules::Deal(r, static_cast<std::uint8_t>(seed & 1), random);
        for (int move = 0; move < 60 && !p.Over(); ++move) {
            if (p.toMove == 1 && !p.suitToName && !p.stockOrderKnown) found.push_back(p);
            const rules::MoveList legal = rules::LegalMoves(p);
            rules::Apply(p, legal.moves[random.Random(legal.size)], random);
        }
    }
    return found;
}

// The same facts for seat 1, the other hand and the stock's order dealt anew.
Position Twin(const Position& p, FastRandom& random) {
    Position twin = p;
    CardSet pool = p.hands[0] | p.StockSet();
    std::vector<rules::CardId> cards;
    for (CardSet s = pool; s != 0; s &= s - 1) cards.push_back(rules::LowestCard(s));
    for (std::size_t i = cards.size(); i > 1; --i) std::swap(cards[i - 1], cards[random.Random(static_cast<std::uint32_t>(i))]);
    const int held = rules::CountOf(p.hands[0]);
    twin.hands[0] = 0;
    for (int i = 0; i < held; ++i) twin.hands[0] |= Bit(cards[static_cast<std::size_t>(i)]);
    for (int i = 0; i < p.stockSize; ++i) twin.stock[static_cast<std::size_t>(i)] = cards[static_cast<std::size_t>(held + i)];
    return twin;
}

TEST(StrongChoice, PositionsThatLookTheSameGetTheSameMove) {
    const std::vector<Position> positions = PositionsForSeatOne();
    ASSERT_GT(positions.size(), 100u);
    FastRandom random(99);
    const Effort quick{300, 8, 20000};
    int differentWorlds = 0;
    for (std::size_t i = 0; i < positions.size(); i += 3) {
        const Position& p = positions[i];
        const Position twin = Twin(p, random);
        differentWorlds += twin.hands[0] != p.hands[0] ? 1 : 0;
        const std::uint64_t seed = 1000 + i;
        EXPECT_EQ(ChooseMove(KnowledgeOf(p, 1), false, seed, quick), ChooseMove(KnowledgeOf(twin, 1), false, seed, quick))
            << "position " << i;
    }
    EXPECT_GT(differentWorlds, 20);
}

TEST(StrongChoice, TheSameSeedGivesTheSameMoveAndTheMoveIsLegal) {
    const std::vector<Position> positions = PositionsForSeatOne();
    for (std::size_t i = 0; i < positions.size(); i += 5) {
        const Position& p = positions[i];
        const Decision d = ChooseMove(KnowledgeOf(p, 1), true, i);
        EXPECT_EQ(d, ChooseMove(KnowledgeOf(p, 1), true, i));
        EXPECT_TRUE(rules::LegalMoves(p).Contains(d.move)) << "position " << i;
        Position after = p;
        FastRandom random(1);
        rules::Apply(after, d.move, random);
        EXPECT_EQ(after.suitToName, d.suit < 4) << "a suit exactly when a queen asks for one";
    }
}

TEST(StrongChoice, LaysTheLastCardThatWinsRatherThanDraw) {
    Position p;
    p.hands[1] = Bit(C("9 piková"));
    p.hands[0] = Bit(C("7 srdcová")) | Bit(C("eso kárové"));
    p.pile[p.pileSize++] = C("10 piková");
    p.stock[p.stockSize++] = C("kluk kárový");
    p.stock[p.stockSize++] = C("8 kárová");
    p.toMove = 1;
    const Decision d = ChooseMove(KnowledgeOf(p, 1), false, 5);
    EXPECT_EQ(d.move, rules::Move::Lay(C("9 piková")));
}

TEST(StrongChoice, NamesASuitItCanFollowAfterItsQueen) {
    // Only the queen fits; with three clubs beside it, it changes to clubs.
    Position p;
    p.hands[1] = Bit(C("dáma srdcová")) | Bit(C("8 křížová")) | Bit(C("9 křížová")) | Bit(C("10 křížová"));
    p.hands[0] = Bit(C("7 srdcová")) | Bit(C("eso kárové")) | Bit(C("kluk kárový"));
    p.pile[p.pileSize++] = C("kluk pikový");
    for (CardSet s = rules::kAllCards & ~p.hands[0] & ~p.hands[1] & ~Bit(C("kluk pikový")); s != 0; s &= s - 1)
        p.stock[p.stockSize++] = rules::LowestCard(s);
    p.toMove = 1;
    const Decision d = ChooseMove(KnowledgeOf(p, 1), false, 8);
    EXPECT_EQ(d.move, rules::Move::Lay(C("dáma srdcová")));
    EXPECT_EQ(d.suit, rules::kClubs);
}

}  // namespace
}  // namespace tarvel::lookahead
