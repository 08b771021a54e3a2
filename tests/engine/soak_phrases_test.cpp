// Whole matches over every rule combination in both voices, with every phrase the
// engine asks for noted; the check after the tests finds each one in the voice pack.
#include <gtest/gtest.h>

#include "tests/engine/recording_presentation.h"
#include "testing/self_play.h"

namespace tarvel::testing {
namespace {

TEST(SoakPhrases, EveryRuleCombinationInBothVoicesSpeaksOnlyRecordedPhrases) {
    PhraseCollector collector;
    SelfPlayDriver driver(SelfPlayDriver::Settings{}, collector);
    std::uint64_t seed = 1;
    for (const char* gender : {"m", "z"}) {
        for (GameOptions options : EveryRuleCombination()) {
            options.playergender = gender;
            MatchSetup setup{options, seed++, 2};
            const MatchReport report = driver.PlayMatch(setup);
            ASSERT_TRUE(report.Clean()) << DescribeSetup(setup) << ": " << report.fault;
        }
    }
    EXPECT_GT(AllSpokenPhrases().size(), 100u);
}

}  // namespace
}  // namespace tarvel::testing
