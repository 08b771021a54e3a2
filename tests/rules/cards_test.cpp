#include <gtest/gtest.h>

#include "rules/card_names.h"
#include "rules/cards.h"
#include "common/deck.h"

namespace tarvel::rules {
namespace {

// Every card's number is its picture less one; names, ranks, suits and points agree
// with the deck's records.
TEST(RulesCards, NumbersAgreeWithTheDeck) {
    const auto& table = StandardCardTable();
    for (CardId id = 0; id < kCards; ++id) {
        const typhodnoty& card = table[id];
        EXPECT_EQ(IdOfCard(card), id);
        EXPECT_EQ(IdOfName(card.Name), id);
        EXPECT_EQ(&CardOfId(id), &table[id]);
        EXPECT_EQ(PointsOf(id), card.Value) << card.Name;
        EXPECT_EQ(RankOf(id) == kSeven, IsSeven(card.Name));
        EXPECT_EQ(RankOf(id) == kQueen, IsQueen(card.Name));
        EXPECT_EQ(RankOf(id) == kAce, IsAce(card.Name));
        EXPECT_EQ(id == kKingOfSpades, IsKingOfSpades(card.Name));
        EXPECT_EQ(id == kSevenOfSpades, IsSevenOfSpades(card.Name));
        EXPECT_EQ(kSuitKeys[SuitOf(id)], SuitPart(card.Name));
        EXPECT_TRUE(Holds(RankSet(RankOf(id)), id));
        EXPECT_TRUE(Holds(SuitSet(SuitOf(id)), id));
        EXPECT_EQ(CountOf(RankSet(RankOf(id)) & SuitSet(SuitOf(id))), 1);
    }
}

TEST(RulesCards, MarkersAndStrangersAreNoCards) {
    typhodnoty marker = StandardCardTable()[kQueenOfHearts];
    marker.Name = " kára";
    EXPECT_EQ(IdOfCard(marker), kNoCard);
    EXPECT_EQ(SuitOfMarker(" kára"), kDiamonds);
    EXPECT_EQ(SuitOfMarker(" kříže"), kClubs);
    EXPECT_EQ(SuitOfMarker("pik"), kSpades);
    EXPECT_EQ(SuitOfMarker(" nic"), kNoSuit);
    EXPECT_EQ(IdOfName("eso pikový"), kNoCard);
    EXPECT_EQ(IdOfName(""), kNoCard);
    typhodnoty wrongPicture = StandardCardTable()[3];
    wrongPicture.Picture = 5;  // the name of one card with the picture of another
    EXPECT_EQ(IdOfCard(wrongPicture), kNoCard);
    wrongPicture.Picture = 0;
    EXPECT_EQ(IdOfCard(wrongPicture), kNoCard);
}

}  // namespace
}  // namespace tarvel::rules
