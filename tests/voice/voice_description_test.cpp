#include "client/voice/voice_description.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(VoiceDescriptionTest, TheIdNamesEngineLocaleAndVoiceTheLabelWhatAPlayerKnows) {
    EXPECT_EQ(DescribeVoice("speechd", "cs_CZ", "čeština", "Czech+Adam"),
              (ServiceVoice{.id = "speechd:cs_CZ:Czech+Adam",
                            .label = "Czech+Adam (čeština, speechd)",
                            .locale = "cs_CZ"}));
    // The same name in two languages is two voices.
    EXPECT_NE(DescribeVoice("flite", "en_US", "American English", "slt").id,
              DescribeVoice("flite", "en_GB", "British English", "slt").id);
}

TEST(VoiceDescriptionTest, AVoiceWithoutANameOrLanguageStillHasALabel) {
    EXPECT_EQ(DescribeVoice("flite", "en_US", "", "").label, "en_US (flite)");
    EXPECT_EQ(DescribeVoice("speechd", "cs_CZ", "", "Czech").label, "Czech (speechd)");
}

}  // namespace
}  // namespace tarvel
