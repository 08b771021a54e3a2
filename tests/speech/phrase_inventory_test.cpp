#include "session/speech/phrase_inventory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "rules/card_names.h"
#include "session/speech/number_words.h"
#include "client/speech/phrase_player.h"
#include "tests/speech/recording_audio_backend.h"
#include "tests/speech/scripted_random.h"
#include "session/speech/sound_file_name.h"
#include "session/speech/who_leads.h"

namespace tarvel {
namespace {

// Names every file the players ask for, then checks the inventory has each one.
class PlayedFilesTest : public ::testing::Test {
  protected:
    void ExpectAllInInventory() {
        ASSERT_FALSE(audio_.started.empty());
        for (const auto& path : audio_.Paths()) EXPECT_TRUE(InventoryHasFile(path)) << path;
    }

    RecordingAudioBackend audio_;
    ScriptedRandom random_{{0.0, 0.2, 0.4, 0.6, 0.8, 1.0}};
    PhrasePlayer player_{audio_, random_};
};

TEST_F(PlayedFilesTest, EveryCardAndSuitInBothVoices) {
    for (const auto voice : {kMaleVoice, kFemaleVoice}) {
        for (rules::CardId card = 0; card < rules::kCards; ++card) {
            player_.SayPhrase(voice, rules::CardName(card), 11);
            player_.StartPhrase(voice, rules::CardName(card), 11);
        }
        for (std::uint8_t suit = 0; suit < 4; ++suit) {
            player_.SayPhrase(voice, rules::SuitMarker(suit), 1);
            player_.StartPhrase(voice, rules::SuitWord(suit), 1);
        }
    }
    EXPECT_EQ(audio_.started.size(), 2u * (2 * rules::kCards + 2 * 4));
    ExpectAllInInventory();
}

TEST_F(PlayedFilesTest, EveryNumberUpToAMillionAndBeyond) {
    std::set<std::string> words;
    for (std::int32_t n = 0; n <= 1'000'000; ++n) {
        for (auto& word : NumberWords(n, true)) words.insert(std::move(word));
    }
    for (std::int32_t n : {2'000'000, 5'000'000, 22'222'222, INT32_MAX}) {
        for (auto& word : NumberWords(n, true)) words.insert(std::move(word));
    }
    for (const auto voice : {kMaleVoice, kFemaleVoice}) {
        for (const auto& word : words) player_.SayPhrase(voice, word, 1);
    }
    ExpectAllInInventory();
}

TEST_F(PlayedFilesTest, EveryVerdictOfWhoLeads) {
    for (const std::uint16_t game : {std::uint16_t{1}, std::uint16_t{3}}) {
        for (std::int32_t player : {0, 5, 10}) {
            player_.SayWhoLeads(
                kFemaleVoice,
                {.playerPenalty = player, .opponentPenalty = 5, .numberOfGames = 3, .gameNumber = game});
        }
    }
    const auto paths = audio_.Paths();
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()).size(), 6u);
    ExpectAllInInventory();
}

TEST(PhraseInventoryTest, EveryRecordingOfTheVariedPhrasesAndEffects) {
    RecordingAudioBackend audio;
    StandardRandom random(1);
    PhrasePlayer player(audio, random);
    for (int i = 0; i < 100; ++i) {
        player.SayPhrase("", "vyhození", 6);
        player.StartPhrase(kMaleVoice, "kartu nelze použít", 4);
    }
    for (const auto effect : {"okraj", "off", "on", "lízání", "tab", "champion"}) {
        player.SayPhrase("", effect, 1);
    }
    const auto paths = audio.Paths();
    const std::set<std::string> distinct(paths.begin(), paths.end());
    EXPECT_EQ(distinct.size(), 6u + 4u + 6u);
    for (const auto& path : distinct) EXPECT_TRUE(InventoryHasFile(path)) << path;
}

TEST(PhraseInventoryTest, FileNamesArePlainAsciiAndUnique) {
    std::set<std::string> names;
    for (const auto& recording : VoicePackRecordings()) {
        EXPECT_TRUE(names.insert(recording.fileName).second) << recording.fileName;
        EXPECT_TRUE(std::all_of(recording.fileName.begin(), recording.fileName.end(), [](char c) {
            return c >= 0x20 && c < 0x7F;
        })) << recording.fileName;
        EXPECT_TRUE(recording.fileName.starts_with(kSoundFolder)) << recording.fileName;
        EXPECT_TRUE(recording.fileName.ends_with(kSoundExtension)) << recording.fileName;
    }
}

TEST(PhraseInventoryTest, BothVoicesSayTheSamePhrases) {
    std::set<std::string> male;
    std::set<std::string> female;
    for (const auto& recording : VoicePackRecordings()) {
        const std::string rest = recording.fileName.substr(kSoundFolder.size() + 1);
        if (recording.voice == kMaleVoice) male.insert(rest);
        if (recording.voice == kFemaleVoice) female.insert(rest);
    }
    EXPECT_EQ(male, female);
    EXPECT_GT(male.size(), 100u);
}

TEST(PhraseInventoryTest, VoicesSpeakCzechWordsNotDigits) {
    for (const auto& recording : VoicePackRecordings()) {
        if (recording.voice.empty()) {
            EXPECT_TRUE(recording.spoken.empty()) << recording.fileName;
            continue;
        }
        EXPECT_FALSE(recording.spoken.empty()) << recording.fileName;
        EXPECT_EQ(recording.spoken.find_first_of("0123456789"), std::string::npos) << recording.fileName;
    }
    EXPECT_EQ(SpokenWords("10 piková"), "desítka piková");
    EXPECT_EQ(SpokenWords("2"), "dvě");
    EXPECT_EQ(SpokenWords("tisice"), "tisíce");
    EXPECT_EQ(SpokenWords(" kříže"), "kříže");
    EXPECT_EQ(SpokenWords("Otáčím hromádku"), "Otáčím hromádku");
}

TEST(PhraseInventoryTest, AFileOutsideThePackIsNotInIt) {
    EXPECT_TRUE(InventoryHasFile("zvuky/zOtacim hromadku.wav"));
    EXPECT_FALSE(InventoryHasFile("zvuky/zotacim hromadku.wav"));
    EXPECT_FALSE(InventoryHasFile("zvuky/m7 srdcova.wav"));
    EXPECT_FALSE(InventoryHasFile("zvuky/okraj1.wav"));
    EXPECT_FALSE(InventoryHasFile("zvuky/mokraj.wav"));
}

}  // namespace
}  // namespace tarvel
