#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "client/speech/audio_backend_choice.h"
#include "client/speech/folder_audio_backend.h"
#include "client/speech/logging_audio_backend.h"
#include "client/speech/phrase_player.h"
#include "tests/speech/scripted_random.h"
#include "client/speech/sdl_audio_backend.h"
#include "tests/speech/wav_fixture.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;

// Runs each test in a fresh folder holding zvuky/, as the game folder does.
class InGameFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("tarvel-speech-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::create_directories(folder_ / "zvuky");
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    static std::string ReadAll(const fs::path& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_;
    fs::path previous_;
};

using LoggingAudioBackendTest = InGameFolder;

TEST_F(LoggingAudioBackendTest, WritesOneLinePerPhraseWithWaitAndPresence) {
    WriteToneWav("zvuky/zlizu.wav", 0.1);
    std::string error;
    auto log = LoggingAudioBackend::Open("sounds.log", error);
    ASSERT_NE(log, nullptr) << error;
    ScriptedRandom random;
    PhrasePlayer player(*log, random);

    player.SayPhrase("z", "lížu", 1);
    player.StartPhrase("m", "10 piková", 11);

    EXPECT_EQ(ReadAll("sounds.log"),
              "zvuky/zlizu.wav\twait\tfound\n"
              "zvuky/m10 pikova1.wav\tstart\tmissing\n");
}

TEST_F(LoggingAudioBackendTest, AppendsToAnExistingLog) {
    std::ofstream("sounds.log") << "earlier\n";
    std::string error;
    auto log = LoggingAudioBackend::Open("sounds.log", error);
    ASSERT_NE(log, nullptr);
    log->Start("zvuky/okraj.wav", Playback::Wait);
    EXPECT_EQ(ReadAll("sounds.log"), "earlier\nzvuky/okraj.wav\twait\tmissing\n");
}

TEST_F(LoggingAudioBackendTest, AnUnwritableLogIsReported) {
    std::string error;
    EXPECT_EQ(LoggingAudioBackend::Open("no-such-folder/sounds.log", error), nullptr);
    EXPECT_NE(error.find("no-such-folder/sounds.log"), std::string::npos);
}

// The installed game: the players' names are looked up in the installed folder, so the
// log (and the sound device) get the file that is really there.
TEST_F(LoggingAudioBackendTest, AnInstalledGamePlaysFromItsDataFolder) {
    fs::create_directories("installed/zvuky");
    WriteToneWav("installed/zvuky/zlizu.wav", 0.1);
    WriteToneWav("zvuky/zlizu.wav", 0.1);  // the current folder's own is not the one played
    std::string error;
    auto log = LoggingAudioBackend::Open("sounds.log", error);
    ASSERT_NE(log, nullptr) << error;
    const fs::path data = folder_ / "installed";
    FolderAudioBackend installed(std::move(log), data);
    ScriptedRandom random;
    PhrasePlayer player(installed, random);

    player.SayPhrase("z", "lížu", 1);
    player.StartPhrase("m", "10 piková", 11);
    installed.Start((folder_ / "zvuky/zlizu.wav").string(), Playback::Start);
    EXPECT_FALSE(installed.IsPlaying());

    EXPECT_EQ(ReadAll("sounds.log"), (data / "zvuky/zlizu.wav").string() + "\twait\tfound\n" +
                                         (data / "zvuky/m10 pikova1.wav").string() + "\tstart\tmissing\n" +
                                         (folder_ / "zvuky/zlizu.wav").string() + "\tstart\tfound\n");
}

using AudioBackendChoiceTest = InGameFolder;

TEST_F(AudioBackendChoiceTest, LogModeWritesToTheNamedLog) {
    std::ostringstream diagnostics;
    auto audio = MakeAudioBackend("log", "chosen.log", diagnostics);
    audio->Start("zvuky/on.wav", Playback::Start);
    EXPECT_EQ(ReadAll("chosen.log"), "zvuky/on.wav\tstart\tmissing\n");
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(AudioBackendChoiceTest, LogModeDefaultsToTheGameFolder) {
    std::ostringstream diagnostics;
    MakeAudioBackend("log", "", diagnostics)->Start("zvuky/tab.wav", Playback::Wait);
    EXPECT_EQ(ReadAll(std::string(kDefaultAudioLog)), "zvuky/tab.wav\twait\tmissing\n");
}

TEST_F(AudioBackendChoiceTest, AnUnopenableLogFallsBackToSilenceWithOneLine) {
    std::ostringstream diagnostics;
    auto audio = MakeAudioBackend("log", "no-such-folder/x.log", diagnostics);
    ASSERT_NE(audio, nullptr);
    audio->Start("zvuky/on.wav", Playback::Wait);
    EXPECT_FALSE(audio->IsPlaying());
    const std::string said = diagnostics.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST_F(AudioBackendChoiceTest, OffModeIsSilent) {
    std::ostringstream diagnostics;
    auto audio = MakeAudioBackend("off", "", diagnostics);
    audio->Start("zvuky/on.wav", Playback::Wait);
    EXPECT_FALSE(audio->IsPlaying());
    EXPECT_FALSE(fs::exists(kDefaultAudioLog));
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(AudioBackendChoiceTest, AnUnknownModeIsReportedAndTheDeviceUsed) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ostringstream diagnostics;
    auto audio = MakeAudioBackend("loud", "", diagnostics);
    ASSERT_NE(audio, nullptr);
    EXPECT_NE(diagnostics.str().find("TARVEL_AUDIO=loud"), std::string::npos);
}

TEST_F(AudioBackendChoiceTest, NoSoundDeviceMeansOneLineAndSilence) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::ostringstream diagnostics;
    auto audio = MakeAudioBackend("sdl", "", diagnostics);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_NE(audio, nullptr);
    audio->Start("zvuky/on.wav", Playback::Wait);
    EXPECT_FALSE(audio->IsPlaying());
    const std::string said = diagnostics.str();
    EXPECT_EQ(said.rfind("tarvel: no sound device", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

// SDL's dummy driver consumes samples at the device's pace without a sound card.
class SdlAudioBackendTest : public InGameFolder {
  protected:
    void SetUp() override {
        InGameFolder::SetUp();
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string error;
        audio_ = SdlAudioBackend::Open(error);
        ASSERT_NE(audio_, nullptr) << error;
    }
    void TearDown() override {
        audio_.reset();
        InGameFolder::TearDown();
    }

    std::unique_ptr<SdlAudioBackend> audio_;
};

TEST_F(SdlAudioBackendTest, AWaitedPhraseHoldsForItsLengthThenEnds) {
    WriteToneWav("zvuky/zlizu.wav", 0.3);
    ScriptedRandom random;
    PhrasePlayer player(*audio_, random);
    int paints = 0;
    player.SetWhileWaiting([&] { ++paints; });

    const auto start = std::chrono::steady_clock::now();
    player.SayPhrase("z", "lížu", 1);
    const auto took = std::chrono::steady_clock::now() - start;

    EXPECT_GE(took, std::chrono::milliseconds(250));
    EXPECT_LT(took, std::chrono::seconds(3));
    EXPECT_GT(paints, 10);
    EXPECT_FALSE(audio_->IsPlaying());
}

TEST_F(SdlAudioBackendTest, ANewSoundCutsOffTheOneStillPlaying) {
    WriteToneWav("zvuky/long.wav", 5.0);
    WriteToneWav("zvuky/short.wav", 0.1);
    audio_->Start("zvuky/long.wav", Playback::Start);
    EXPECT_TRUE(audio_->IsPlaying());

    const auto start = std::chrono::steady_clock::now();
    audio_->Start("zvuky/short.wav", Playback::Wait);
    while (audio_->IsPlaying()) SDL_Delay(5);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(SdlAudioBackendTest, AMissingOrBrokenRecordingIsSilenceAndPlayingGoesOn) {
    std::ofstream("zvuky/broken.wav") << "not a wave file";
    WriteToneWav("zvuky/long.wav", 5.0);
    audio_->Start("zvuky/long.wav", Playback::Start);
    audio_->Start("zvuky/missing.wav", Playback::Wait);
    EXPECT_FALSE(audio_->IsPlaying());
    audio_->Start("zvuky/broken.wav", Playback::Wait);
    EXPECT_FALSE(audio_->IsPlaying());
}

TEST_F(SdlAudioBackendTest, ARecordingAddedLaterIsHeard) {
    audio_->Start("zvuky/late.wav", Playback::Wait);
    EXPECT_FALSE(audio_->IsPlaying());
    WriteToneWav("zvuky/late.wav", 0.5);
    audio_->Start("zvuky/late.wav", Playback::Wait);
    EXPECT_TRUE(audio_->IsPlaying());
}

}  // namespace
}  // namespace tarvel
