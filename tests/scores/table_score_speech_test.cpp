#include "session/scores/table_score_speech.h"

#include <gtest/gtest.h>

#include "session/speech/number_words.h"
#include "session/speech/phrase_inventory.h"
#include "tests/scores/score_test_support.h"
#include "session/speech/sound_file_name.h"

namespace tarvel {
namespace {

using testing::RecordingSpeech;
using Said = std::vector<std::string>;

struct Case {
    std::int32_t score;
    Said said;
};

const Case kCases[] = {
    {-7, {"m|#7", "m|trestných|1", "m|bodů|1"}},
    {-5, {"m|#5", "m|trestných|1", "m|bodů|1"}},
    {-4, {"m|#4", "m|trestné|1", "m|body|1"}},
    {-2, {"m|dva|1", "m|trestné|1", "m|body|1"}},
    {-1, {"m|jeden trestný bod|1"}},
    {0, {"m|#0", "m|bodů|1"}},
    {1, {"m|jeden bod|1"}},
    {2, {"m|dva|1", "m|body|1"}},
    {3, {"m|#3", "m|body|1"}},
    {5, {"m|#5", "m|bodů|1"}},
    {22, {"m|#22", "m|bodů|1"}},
};

TEST(SayTableScoreTest, CountedPhrasesInThePlayersVoice) {
    for (const Case& c : kCases) {
        RecordingSpeech speech;
        // The score is the opponent's penalty points minus the player's.
        SayTableScore(speech, "m", 30, 30 + c.score);
        EXPECT_EQ(speech.said, c.said) << c.score;
    }
    RecordingSpeech speech;
    SayTableScore(speech, "z", 12, 9);
    EXPECT_EQ(speech.said, (Said{"z|#3", "z|trestné|1", "z|body|1"}));
}

TEST(SayTableScoreTest, EveryWordHasARecordingInBothVoices) {
    for (const std::string_view voice : {kMaleVoice, kFemaleVoice}) {
        for (const Case& c : kCases) {
            RecordingSpeech speech;
            SayTableScore(speech, voice, 0, c.score);
            for (const std::string& said : speech.said) {
                const std::string rest = said.substr(voice.size() + 1);
                std::vector<std::string> texts;
                if (rest.front() == '#') {
                    texts = NumberWords(std::stoi(rest.substr(1)), true);
                } else {
                    texts.push_back(rest.substr(0, rest.rfind('|')));
                }
                for (const std::string& text : texts) {
                    EXPECT_TRUE(InventoryHasFile(SoundFileName(voice, text, ""))) << voice << " " << text;
                }
            }
        }
    }
    for (const int place : {1, 2, 10}) {
        EXPECT_TRUE(InventoryHasFile(SoundFileName(kNoVoice, FanfarePhrase(place), ""))) << place;
    }
}

TEST(SayTableScoreTest, TheFanfareIsASoundEffect) {
    RecordingSpeech speech;
    PlayTableFanfare(speech, 1);
    PlayTableFanfare(speech, 2);
    PlayTableFanfare(speech, 10);
    EXPECT_EQ(speech.said, (Said{"|champion|1", "|tab|1", "|tab|1"}));
}

TEST(SayTableScoreTest, ScoresAtTheEdgesOfTheRange) {
    EXPECT_EQ(TableScore(3, 10), 7);
    EXPECT_EQ(TableScore(std::numeric_limits<std::int32_t>::max(), -5), std::numeric_limits<std::int32_t>::min());
    RecordingSpeech speech;
    SayTableScore(speech, "m", std::numeric_limits<std::int32_t>::max(), -5);
    EXPECT_EQ(speech.said, (Said{"m|#2147483647", "m|trestných|1", "m|bodů|1"}));
}

}  // namespace
}  // namespace tarvel
