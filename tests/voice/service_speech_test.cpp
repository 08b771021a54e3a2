#include "client/voice/service_speech.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/voice/fake_speech_service.h"

namespace tarvel {
namespace {

using testing::FakeSpeechService;
using Calls = std::vector<std::string>;

// The phrase player's place: records the effects handed to it.
class RecordingEffects final : public SpeechPort {
  public:
    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        played.push_back("say:" + std::string(voice) + "|" + std::string(text) + "|" + std::to_string(variant));
    }
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        played.push_back("start:" + std::string(voice) + "|" + std::string(text) + "|" + std::to_string(variant));
    }
    void SayNumber(std::string_view, std::int32_t, bool) override { played.emplace_back("number"); }
    void SayWhoLeads(std::string_view, const MatchStanding&) override { played.emplace_back("who leads"); }
    bool SoundsOn() const override { return true; }

    std::vector<std::string> played;
};

class ServiceSpeechTest : public ::testing::Test {
  protected:
    FakeSpeechService service;
    RecordingEffects effects;
    ServiceSpeech speech{service, effects};
};

TEST_F(ServiceSpeechTest, PhrasesAreSpokenAsTheirWordsAndWaitedFor) {
    service.speakingPolls = 2;
    speech.SayPhrase("z", "Otáčím hromádku", 1);
    speech.SayPhrase("m", " srdce", 1);  // a suit name, spoken without its blank
    speech.SayPhrase("m", "kluk kárový", 11);
    EXPECT_EQ(service.calls, (Calls{"say:Otáčím hromádku", "say:srdce", "say:kluk kárový"}));
    // Each waited for: two answers "still speaking" and the one that ended it.
    EXPECT_EQ(service.polls, 9);
    EXPECT_TRUE(effects.played.empty());
}

TEST_F(ServiceSpeechTest, StartStopsWhatIsSpokenAndReturnsAtOnce) {
    service.speakingPolls = 5;
    speech.StartPhrase("m", "dáma kárová", 11);
    speech.StartPhrase("z", "kartu nelze použít", 4);
    EXPECT_EQ(service.calls, (Calls{"stop", "say:dáma kárová", "stop", "say:kartu nelze použít"}));
    EXPECT_EQ(service.polls, 0);
}

TEST_F(ServiceSpeechTest, NumbersAreSpokenAsTheirDecimalText) {
    speech.SayNumber("z", 2005, true);
    speech.SayNumber("m", 0, false);  // nothing
    speech.SayNumber("m", 0, true);
    speech.SayNumber("z", -12, true);
    speech.SayNumber("z", 1000000, true);
    EXPECT_EQ(service.calls, (Calls{"say:2005", "say:0", "say:-12", "say:1000000"}));
}

TEST_F(ServiceSpeechTest, WhoLeadsIsSpokenAsItsText) {
    speech.SayWhoLeads("z", {.playerPenalty = 4, .opponentPenalty = 9, .numberOfGames = 3, .gameNumber = 1});
    speech.SayWhoLeads("z", {.playerPenalty = 4, .opponentPenalty = 4, .numberOfGames = 3, .gameNumber = 3});
    EXPECT_EQ(service.calls, (Calls{"say:vyhráváš", "say:remíza"}));
}

TEST_F(ServiceSpeechTest, EffectsSoundAsRecordingsAndCutOffTheWords) {
    service.speakingPolls = -1;  // the words go on until stopped
    speech.StartPhrase("m", "eso pikové", 11);
    speech.SayPhrase("", "vyhození", 6);
    speech.SayPhrase("", "lízání", 1);  // nothing left to cut off
    speech.StartPhrase("", "off", 1);
    speech.SayPhrase("", "okraj", 1);
    EXPECT_EQ(service.calls, (Calls{"stop", "say:eso pikové", "stop"}));
    EXPECT_EQ(effects.played, (Calls{"say:|vyhození|6", "say:|lízání|1", "start:|off|1", "say:|okraj|1"}));
}

TEST_F(ServiceSpeechTest, AWaitedForPhraseHoldsTheGameUntilTheServiceHasEnded) {
    service.speakingPolls = 4;
    int hooks = 0;
    bool heldThroughout = true;
    std::size_t callsDuringWait = 0;
    speech.SetWhileWaiting([&] {
        ++hooks;
        heldThroughout = heldThroughout && speech.IsHoldingGame();
        callsDuringWait = service.calls.size();
    });

    speech.SayPhrase("z", "lížu", 1);

    EXPECT_EQ(hooks, 4);
    EXPECT_TRUE(heldThroughout);
    // Nothing but Speaking() was asked while waiting: the Say came before.
    EXPECT_EQ(callsDuringWait, 1u);
    EXPECT_EQ(service.calls, Calls{"say:lížu"});
    EXPECT_FALSE(speech.IsHoldingGame());
    EXPECT_FALSE(service.Speaking());
}

TEST(ServiceSpeechLimitTest, AServiceThatNeverEndsHoldsTheGameOnlyUpToItsLimit) {
    FakeSpeechService service;
    service.speakingPolls = -1;
    RecordingEffects effects;
    auto now = std::chrono::steady_clock::time_point{};
    ServiceSpeech speech(service, effects, [&] { return now; });
    int hooks = 0;
    speech.SetWhileWaiting([&] {
        ++hooks;
        now += std::chrono::milliseconds(100);
    });

    // Four characters (six bytes): 2 s and 4 × 200 ms, 28 slices of 100 ms.
    speech.SayPhrase("z", "lížu", 1);
    EXPECT_EQ(hooks, 28);
    EXPECT_EQ(service.calls, (Calls{"say:lížu", "stop"}));

    hooks = 0;
    speech.SetWaitLimit({.base = std::chrono::milliseconds(300), .perCharacter = std::chrono::milliseconds(0)});
    speech.SayPhrase("z", "Začínám", 1);
    EXPECT_EQ(hooks, 3);
}

TEST_F(ServiceSpeechTest, SoundsOffSpeaksNothingAndHandsOnNoEffect) {
    speech.SetSoundsOn(false);
    EXPECT_FALSE(speech.SoundsOn());
    speech.SayPhrase("z", "lížu", 1);
    speech.StartPhrase("m", "kluk kárový", 11);
    speech.SayPhrase("", "okraj", 1);
    speech.StartPhrase("", "on", 1);
    speech.SayNumber("z", 12, true);
    speech.SayWhoLeads("z", MatchStanding{});
    EXPECT_TRUE(service.calls.empty());
    EXPECT_TRUE(effects.played.empty());

    speech.SetSoundsOn(true);
    speech.StartPhrase("", "on", 1);
    EXPECT_EQ(effects.played, Calls{"start:|on|1"});
}

TEST_F(ServiceSpeechTest, ATextWithoutWordsCutsNothingOff) {
    service.speakingPolls = -1;
    speech.StartPhrase("m", "eso srdcové", 11);
    speech.SayPhrase("m", "", 1);
    speech.SayPhrase("m", " ", 1);
    speech.StartPhrase("z", "  ", 1);
    EXPECT_EQ(service.calls, (Calls{"stop", "say:eso srdcové"}));
}

TEST_F(ServiceSpeechTest, TheTwoVoiceLettersSpeakInTheirVoices) {
    service.voices = {{.id = "man", .label = "a man"}, {.id = "woman", .label = "a woman"}};
    speech.SetLetterVoices("man", "woman");
    speech.SayPhrase("m", "stojím", 1);
    speech.SayPhrase("z", "lížu", 1);
    EXPECT_EQ(service.calls, (Calls{"voice:man", "say:stojím", "voice:woman", "say:lížu"}));
}

TEST_F(ServiceSpeechTest, ALetterWithoutAVoiceOfItsOwnSpeaksInTheOther) {
    service.voices = {{.id = "man", .label = "a man"}};
    struct Case {
        std::string male, female;
        Calls calls;
    };
    const Case cases[] = {
        {"man", "", {"voice:man", "say:a", "voice:man", "say:b"}},
        {"", "man", {"voice:man", "say:a", "voice:man", "say:b"}},
        // A voice the service no longer has is passed over.
        {"man", "gone", {"voice:man", "say:a", "voice:man", "say:b"}},
        // No voices chosen: the service's own.
        {"", "", {"say:a", "say:b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.male + "/" + c.female);
        service.calls.clear();
        speech.SetLetterVoices(c.male, c.female);
        speech.SayPhrase("m", "a", 1);
        speech.SayPhrase("z", "b", 1);
        EXPECT_EQ(service.calls, c.calls);
    }
}

}  // namespace
}  // namespace tarvel
