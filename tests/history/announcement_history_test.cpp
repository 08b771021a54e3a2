#include "session/history/announcement_history.h"

#include <gtest/gtest.h>

#include "session/history/recorded_speech.h"
#include "tests/engine/recording_presentation.h"

namespace tarvel {
namespace {

using testing::RecordingPresentation;

class HistoryTest : public ::testing::Test {
  public:
    RecordingPresentation heard;
    AnnouncementHistory history;
    RecordedSpeech speech{heard, history, [] { return std::string("m"); }};

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const auto& a : history.Announcements()) {
            lines.push_back(std::string(a.speaker == Speaker::Player ? "player: " : a.speaker == Speaker::Opponent ? "opponent: " : "effect: ") + a.text);
        }
        return lines;
    }
};

TEST_F(HistoryTest, EveryPhrasePassesOnAndIsWrittenDown) {
    speech.SayPhrase("z", "dáma křížová", 11);
    speech.StartPhrase("m", "8 srdcová", 11);
    speech.SayNumber("z", 22, true);
    speech.SayWhoLeads("z", MatchStanding{3, 5, 3, 3});
    EXPECT_EQ(heard.spoken, (std::vector<std::string>{"say z|dáma křížová|11", "start m|8 srdcová|11", "number z|22",
                                                      "leads z|3,5,3,3"}));
    std::vector<std::string> texts;
    for (const auto& entry : history.Entries()) texts.push_back(entry.voice + "|" + entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"z|dáma křížová", "m|8 srdcová", "z|20", "z|dva", "z|jsi vítěz"}));
    EXPECT_TRUE(history.Entries()[1].feedback);  // a card named while moving
    EXPECT_FALSE(history.Entries()[0].feedback);
}

TEST_F(HistoryTest, AnnouncementsAreOneSpeakersAnswerToOneCommand) {
    history.BeginCommand();
    speech.StartPhrase("m", "9 piková", 11);  // moving in the hand
    speech.SayPhrase("", "okraj", 1);
    history.BeginCommand();
    speech.SayPhrase("", "vyhození", 6);  // the player lays a card
    speech.SayPhrase("z", "dáma křížová", 11);
    speech.SayPhrase("", "vyhození", 6);
    speech.SayPhrase("z", "měním na", 1);
    speech.SayPhrase("z", " kára", 1);
    history.BeginCommand();
    speech.SayPhrase("", "lízání", 1);
    speech.SayPhrase("m", "7 srdcová", 11);
    speech.SayPhrase("z", "lížu", 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"opponent: vyhození, dáma křížová, vyhození, měním na, kára",
                                                 "player: lízání, 7 srdcová", "opponent: lížu"}));
    ASSERT_TRUE(history.LastOfOpponent().has_value());
    EXPECT_EQ(history.LastOfOpponent()->text, "lížu");
}

TEST_F(HistoryTest, SteppingGoesBackAndForwardAndStopsAtTheEnds) {
    EXPECT_FALSE(history.StepBack().has_value());
    for (const char* text : {"Začínám", "lížu", "Stojíš"}) {
        history.BeginCommand();
        speech.SayPhrase("z", text, 1);
    }
    EXPECT_FALSE(history.StepForward().has_value());
    EXPECT_EQ(history.StepBack()->text, "Stojíš");
    EXPECT_EQ(history.StepBack()->text, "lížu");
    EXPECT_EQ(history.StepBack()->text, "Začínám");
    EXPECT_FALSE(history.StepBack().has_value());
    EXPECT_EQ(history.StepForward()->text, "lížu");
    // Something new is said: stepping starts again from the newest.
    history.BeginCommand();
    speech.SayPhrase("z", "hra", 1);
    EXPECT_EQ(history.StepBack()->text, "hra");
    history.Clear();
    EXPECT_TRUE(history.Announcements().empty());
    EXPECT_FALSE(history.LastOfOpponent().has_value());
}

}  // namespace
}  // namespace tarvel
