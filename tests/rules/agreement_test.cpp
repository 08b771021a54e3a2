// The rules core and the engine agree over self-play under every combination of the
// rules: the same moves are legal and lead to the same table. A small count here;
// build/bench/tarvel_rules_agreement_run compares a million turns by hand.
#include <gtest/gtest.h>

#include "testing/rules_agreement.h"
#include "testing/self_play.h"

namespace tarvel {
namespace {

TEST(RulesAgreement, CoreAndEngineAgreeUnderEveryRuleCombination) {
    const auto combinations = EveryRuleCombination();
    RulesAgreement agreement;
    // Every yes/no rule combination with both seven draws, each dealt count in turn.
    constexpr std::uint64_t kTurnsPerMatch = 40;
    for (std::size_t i = 0; i < combinations.size(); i += 4) {
        agreement.PlayMatch(combinations[i], i + 1, kTurnsPerMatch);
        ASSERT_EQ(agreement.Report().fault, "") << DescribeSetup(MatchSetup{combinations[i], i + 1, 2});
    }
    EXPECT_GT(agreement.Report().positions, 10000u);
    EXPECT_GT(agreement.Report().games, 100u);
}

}  // namespace
}  // namespace tarvel
