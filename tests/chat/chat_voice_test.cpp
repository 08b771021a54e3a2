// The chat voice over the fake service: what choosing, loading and moving a slider ask
// of the service and in what order, what is saved, and when a message is read.
#include "client/chat/chat_voice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/cp1250.h"
#include "tests/voice/fake_speech_service.h"
#include "client/voice/voice_sliders.h"

namespace tarvel {
namespace {

using Calls = std::vector<std::string>;
using testing::FakeSpeechService;

const ServiceVoice kGerman{.id = "speechd:de_DE:Anna", .label = "Anna (Deutsch, speechd)", .locale = "de_DE"};
const ServiceVoice kAdam{.id = "speechd:cs_CZ:Adam", .label = "Adam (čeština, speechd)", .locale = "cs_CZ"};
const ServiceVoice kEnglish{
    .id = "speechd:en_GB:Kate", .label = "Kate (English, speechd)", .locale = "en_GB"};
const ServiceVoice kEva{.id = "speechd:cs_CZ:Eva", .label = "Eva (čeština, speechd)", .locale = "cs_CZ"};

class ChatVoiceTest : public ::testing::Test {
  protected:
    ChatVoiceTest() { service_.voices = {kGerman, kAdam, kEnglish, kEva}; }

    ChatVoice& Voice(bool allowed = true) {
        voice_ = std::make_unique<ChatVoice>(&service_, allowed);
        voice_->onVoiceReady = [this] { ++readyCalls_; };
        return *voice_;
    }
    // A voice in use, the calls of choosing it forgotten.
    ChatVoice& Chosen() {
        ChatVoice& voice = Voice();
        EXPECT_TRUE(voice.SelectVoice(kAdam.id));
        service_.calls.clear();
        return voice;
    }

    FakeSpeechService service_;
    std::unique_ptr<ChatVoice> voice_;
    int readyCalls_ = 0;
};

TEST_F(ChatVoiceTest, ListsCzechVoicesFirstAndSelectsTheFirst) {
    ChatVoice& voice = Voice();
    EXPECT_EQ(voice.Voices(), (std::vector<ServiceVoice>{kAdam, kEva, kEnglish, kGerman}));
    EXPECT_EQ(voice.Selected(), 0u);
    EXPECT_FALSE(voice.VoiceReady());
}

TEST_F(ChatVoiceTest, WithoutVoiceMessagesOrAServiceTheListIsEmpty) {
    EXPECT_TRUE(Voice(false).Voices().empty());
    EXPECT_EQ(Voice(false).Selected(), std::nullopt);
    service_.available = false;
    EXPECT_TRUE(Voice(true).Voices().empty());
    EXPECT_TRUE(ChatVoice(nullptr, true).Voices().empty());
    EXPECT_TRUE(service_.calls.empty());
}

TEST_F(ChatVoiceTest, ChoosingUsesTheVoiceSaysSoAndAppliesTheSliders) {
    ChatVoice& voice = Voice();
    ASSERT_TRUE(voice.SelectVoice(kEva.id));
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kEva.id, "say:Hlas vybrán", "rate", "pitch", "volume"}));
    EXPECT_TRUE(voice.VoiceReady());
    EXPECT_EQ(voice.Voice(), kEva.id);
    EXPECT_EQ(voice.Selected(), 1u);
    EXPECT_EQ(readyCalls_, 1);
    EXPECT_EQ((VoiceLevels{service_.rate, service_.pitch, service_.volume}), (VoiceLevels{0.0, 0.0, 1.0}));
}

TEST_F(ChatVoiceTest, AVoiceThatCannotBeUsedChangesNothing) {
    struct Case {
        const char* what;
        bool allowed;
        bool available;
        std::string id;
    };
    const std::vector<Case> cases = {
        {"empty id", true, true, ""},
        {"not in the list", true, true, "speechd:cs_CZ:Gone"},
        {"voice messages not allowed", false, true, kAdam.id},
        {"service gone", true, false, kAdam.id},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        service_.available = true;
        ChatVoice& voice = Voice(c.allowed);
        service_.available = c.available;
        EXPECT_FALSE(voice.SelectVoice(c.id));
        EXPECT_FALSE(voice.VoiceReady());
        EXPECT_EQ(voice.Voice(), "");
        EXPECT_TRUE(service_.calls.empty());
        EXPECT_EQ(readyCalls_, 0);
    }
    ChatVoice none(nullptr, true);
    EXPECT_FALSE(none.SelectVoice(kAdam.id));
}

TEST_F(ChatVoiceTest, ASliderMoveStopsSpeechAppliesTheLevelAndSpeaksOnlyInTheActiveDialog) {
    struct Case {
        VoiceSlider slider;
        int from;
        int to;
        bool dialogActive;
        Calls calls;
        int kept;
        double level;
    };
    const std::string voice = "voice:" + kAdam.id;
    const std::vector<Case> cases = {
        {VoiceSlider::Volume, 0, 255, true, {"stop", "volume", voice, "say:255"}, 255, 1.0},
        {VoiceSlider::Volume, 0, 255, false, {"stop", "volume"}, 255, 1.0},
        {VoiceSlider::Volume, 255, 51, true, {"stop", "volume", voice, "say:51"}, 51, 0.2},
        {VoiceSlider::Volume, 0, 300, true, {"stop", "volume", voice, "say:255"}, 255, 1.0},
        {VoiceSlider::Pitch, 0, -10, true, {"stop", "pitch", voice, "say:-10"}, -10, -1.0},
        {VoiceSlider::Pitch, 0, 3, false, {"stop", "pitch"}, 3, 0.3},
        {VoiceSlider::Speed, 0, 5, true, {"stop", "rate", voice, "say:5"}, 5, 0.5},
        {VoiceSlider::Speed, 0, -14, true, {"stop", "rate", voice, "say:-10"}, -10, -1.0},
        // No move: nothing is stopped or said.
        {VoiceSlider::Speed, 4, 4, true, {}, 4, 0.4},
        {VoiceSlider::Volume, 255, 999, true, {}, 255, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.calls));
        ChatVoice& chosen = Chosen();
        chosen.MoveSlider(c.slider, c.from, false);
        service_.speakingPolls = -1;
        service_.Say("message in progress");
        service_.calls.clear();

        chosen.MoveSlider(c.slider, c.to, c.dialogActive);
        EXPECT_EQ(service_.calls, c.calls);
        EXPECT_EQ(chosen.Position(c.slider), c.kept);
        const double level = c.slider == VoiceSlider::Pitch   ? service_.pitch
                             : c.slider == VoiceSlider::Speed ? service_.rate
                                                              : service_.volume;
        EXPECT_DOUBLE_EQ(level, c.level);
        service_.speakingPolls = 0;
    }
}

TEST_F(ChatVoiceTest, SlidersMovedBeforeAnyVoiceAreKeptAndGivenToTheVoiceChosenLater) {
    ChatVoice& voice = Voice();
    voice.MoveSlider(VoiceSlider::Pitch, 4, true);
    voice.MoveSlider(VoiceSlider::Speed, -5, true);
    voice.MoveSlider(VoiceSlider::Volume, 102, true);
    // The service may be speaking the game: nothing stops it.
    EXPECT_TRUE(service_.calls.empty());
    ASSERT_TRUE(voice.SelectVoice(kAdam.id));
    EXPECT_EQ((VoiceLevels{service_.rate, service_.pitch, service_.volume}), (VoiceLevels{-0.5, 0.4, 0.4}));
    EXPECT_EQ(voice.Save(), (VoiceSettings{kAdam.id, 4, -5, 102}));
}

TEST_F(ChatVoiceTest, LoadingChoosesTheSavedVoiceThenMovesPitchSpeedAndVolume) {
    ChatVoice& voice = Voice();
    const VoiceSettings saved{kEva.id, 3, -2, 200};
    voice.Load(saved, true);
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kEva.id, "say:Hlas vybrán", "rate", "pitch", "volume", "stop",
                                     "pitch", "stop", "rate", "stop", "volume"}));
    EXPECT_EQ(voice.Selected(), 1u);
    EXPECT_TRUE(voice.VoiceReady());
    EXPECT_EQ(readyCalls_, 1);
    EXPECT_EQ((VoiceLevels{service_.rate, service_.pitch, service_.volume}), LevelsFromSettings(saved));
    EXPECT_EQ(voice.Save(), saved);

    // Loaded again, the sliders stand where they are: the confirmation is not cut off.
    service_.calls.clear();
    voice.Load(saved, true);
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kEva.id, "say:Hlas vybrán", "rate", "pitch", "volume"}));
}

TEST_F(ChatVoiceTest, LoadingFindsVoicesSavedByTheirNameOrThroughTheCodePage) {
    const ServiceVoice vietnamese{
        .id = "speechd:vi_VN:Thảo", .label = "Thảo (Tiếng Việt, speechd)", .locale = "vi_VN"};
    service_.voices.push_back(vietnamese);
    struct Case {
        std::string person;
        std::string chosen;
    };
    const std::vector<Case> cases = {
        {kEnglish.label, kEnglish.id},                               // written when the list's name was kept
        {Cp1250ToUtf8(Utf8ToCp1250(vietnamese.id)), vietnamese.id},  // "Th?o" after the file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.person);
        ChatVoice& voice = Voice();
        voice.Load({c.person, 0, 0, 255}, true);
        EXPECT_EQ(voice.Voice(), c.chosen);
        EXPECT_TRUE(voice.VoiceReady());
    }
}

TEST_F(ChatVoiceTest, ASavedVoiceThatIsGoneSelectsNothingAndLeavesNoVoice) {
    ChatVoice& voice = Voice();
    voice.Load({"speechd:cs_CZ:Gone", 2, 2, 100}, true);
    EXPECT_EQ(voice.Selected(), std::nullopt);
    EXPECT_FALSE(voice.VoiceReady());
    EXPECT_TRUE(service_.calls.empty());
    EXPECT_EQ(readyCalls_, 0);
}

TEST_F(ChatVoiceTest, LoadingDoesNothingWithoutAPersonOrWhenVoiceMessagesAreNotAllowed) {
    ChatVoice& voice = Voice();
    voice.Select(2);
    voice.Load({"", 5, 5, 5}, true);
    voice.Load({kAdam.id, 5, 5, 5}, false);
    EXPECT_EQ(voice.Selected(), 2u);
    EXPECT_FALSE(voice.VoiceReady());
    EXPECT_EQ(voice.Save(), (VoiceSettings{"", 0, 0, 255}));
    EXPECT_TRUE(service_.calls.empty());
}

TEST_F(ChatVoiceTest, AReceivedMessageIsReadOnlyWithAVoiceReadyAndAllowed) {
    ChatVoice& voice = Voice();
    EXPECT_FALSE(voice.SpeakReceived("ahoj"));  // no voice yet
    ChatVoice& chosen = Chosen();
    EXPECT_TRUE(chosen.SpeakReceived("ahoj"));
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kAdam.id, "say:ahoj"}));
    service_.calls.clear();
    EXPECT_FALSE(chosen.SpeakReceived("   "));
    service_.available = false;
    EXPECT_FALSE(chosen.SpeakReceived("ahoj"));
    service_.available = true;
    chosen.SetAllowVoiceChat(false);
    EXPECT_FALSE(chosen.SpeakReceived("ahoj"));
    EXPECT_TRUE(service_.calls.empty());
}

TEST_F(ChatVoiceTest, MessagesWaitForTheServiceToFallSilentAndKeepTheirOrder) {
    ChatVoice& voice = Chosen();
    service_.speakingPolls = -1;
    service_.Say("the game speaking through the same service");
    service_.calls.clear();
    EXPECT_TRUE(voice.SpeakReceived("první"));
    EXPECT_TRUE(voice.SpeakReceived("druhá"));
    voice.SpeakPending();
    EXPECT_TRUE(service_.calls.empty());
    EXPECT_TRUE(voice.HasPending());

    service_.speakingPolls = 0;
    service_.Stop();
    service_.calls.clear();
    voice.SpeakPending();
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kAdam.id, "say:první"}));
    service_.calls.clear();
    voice.SpeakPending();
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kAdam.id, "say:druhá"}));
    EXPECT_FALSE(voice.HasPending());
}

TEST_F(ChatVoiceTest, WaitingMessagesAreDroppedByASliderMoveOrWhenVoiceMessagesGoOff) {
    ChatVoice& voice = Chosen();
    service_.speakingPolls = -1;
    service_.Say("x");
    voice.SpeakReceived("první");
    voice.MoveSlider(VoiceSlider::Pitch, 1, false);
    EXPECT_FALSE(voice.HasPending());

    service_.Say("x");
    voice.SpeakReceived("druhá");
    voice.SetAllowVoiceChat(false);
    EXPECT_FALSE(voice.HasPending());
}

TEST_F(ChatVoiceTest, AFloodOfMessagesKeepsOnlyTheNewestWaiting) {
    ChatVoice& voice = Chosen();
    service_.speakingPolls = -1;
    service_.Say("x");
    for (int i = 0; i < 20; ++i) voice.SpeakReceived(std::to_string(i));
    service_.speakingPolls = 0;
    service_.Stop();
    service_.calls.clear();
    while (voice.HasPending()) voice.SpeakPending();
    ASSERT_GE(service_.calls.size(), 2u);
    EXPECT_EQ(service_.calls.back(), "say:19");
    EXPECT_LE(service_.calls.size(), 2u * 8u);
}

}  // namespace
}  // namespace tarvel
