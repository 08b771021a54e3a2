#include "client/chat/voice_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

ServiceVoice V(const std::string& locale, const std::string& name) {
    return {.id = "speechd:" + locale + ":" + name, .label = name, .locale = locale};
}

std::vector<std::string> Labels(const std::vector<ServiceVoice>& voices) {
    std::vector<std::string> labels;
    for (const auto& voice : voices) labels.push_back(voice.label);
    return labels;
}

TEST(OrderVoicesForCzech, CzechThenEnglishThenTheRestEachInTheServicesOrder) {
    const std::vector<ServiceVoice> listed = {
        V("af_ZA", "afrikaans"), V("en_GB", "british"), V("cs_CZ", "adam"),  V("csb_PL", "kashubian"),
        V("de_DE", "german"),    V("cs", "eva"),        V("en-US", "jenny"), V("", "unknown"),
        V("cs-CZ", "petr"),      V("eo", "esperanto"),
    };
    EXPECT_EQ(Labels(OrderVoicesForCzech(listed)),
              (std::vector<std::string>{"adam", "eva", "petr", "british", "jenny", "afrikaans", "kashubian",
                                        "german", "unknown", "esperanto"}));
    EXPECT_TRUE(OrderVoicesForCzech({}).empty());
}

}  // namespace
}  // namespace tarvel
