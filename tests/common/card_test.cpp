#include "common/card.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(CardNames, RankTestsLookAtTheStartOfTheName) {
    EXPECT_TRUE(IsSeven("7 srdcová"));
    EXPECT_FALSE(IsSeven("8 srdcová"));
    EXPECT_TRUE(IsAce("eso pikové"));
    EXPECT_TRUE(IsQueen("dáma křížová"));
    EXPECT_FALSE(IsQueen("král křížový"));
    EXPECT_TRUE(IsTen("10 kárová"));
    EXPECT_FALSE(IsNine("10 kárová"));
    EXPECT_TRUE(BeginsKingOfSpades("král pikový"));
    EXPECT_TRUE(IsKingOfSpades("král pikový"));
    EXPECT_FALSE(IsKingOfSpades("král srdcový"));
    EXPECT_TRUE(IsSevenOfSpades("7 piková"));
    EXPECT_FALSE(IsSevenOfSpades("7 kárová"));
}

TEST(CardNames, SuitPartCountsCharactersNotBytes) {
    EXPECT_EQ(SuitPart("kluk kárový"), "kár");
    EXPECT_EQ(SuitPart("dáma křížová"), "kří");
    EXPECT_EQ(SuitPart("eso srdcové"), "srd");
    EXPECT_EQ(FirstChars("dáma srdcová", 4), "dáma");
    EXPECT_EQ(CharCount("křížová"), 7u);
}

TEST(CardNames, MarkerHasASuitButNoRank) {
    EXPECT_TRUE(IsSuitMarker(" piky"));
    EXPECT_EQ(SuitPart(" piky"), "pik");
    EXPECT_EQ(RankPart(" piky"), " ");
    EXPECT_NE(RankPart(" piky"), RankPart("7 piková"));
    EXPECT_EQ(RankPart("kluk kárový"), "kluk ");
}

TEST(CardNames, FitRule) {
    EXPECT_TRUE(FitsOn("9 piková", "9 srdcová"));      // rank
    EXPECT_TRUE(FitsOn("kluk srdcový", "9 srdcová"));  // suit
    EXPECT_FALSE(FitsOn("8 kárová", "9 srdcová"));
    EXPECT_TRUE(FitsOn("dáma piková", "9 srdcová"));  // any queen
    // Over a queen of hearts the marker " kára" asks for diamonds; the queen's rank no longer counts.
    EXPECT_TRUE(FitsOn("7 kárová", " kára"));
    EXPECT_FALSE(FitsOn("7 srdcová", " kára"));
    EXPECT_TRUE(FitsOn("dáma srdcová", " kára"));
}

}  // namespace
}  // namespace tarvel
