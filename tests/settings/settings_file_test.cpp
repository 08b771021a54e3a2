#include "client/settings/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tarvel-settings-" + std::to_string(random()));
        fs::create_directories(folder_);
        path_ = folder_ / "tarvel.ini";
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    void Put(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    GameOptions LoadOptions() const {
        GameOptions options;
        NetSettings net;
        VoiceLetters voices;
        EXPECT_TRUE(SettingsFile(path_).LoadSettings(folder_, options, net, voices));
        return options;
    }

    fs::path folder_;
    fs::path path_;
};

TEST(SettingsPath, IsTheProgramsPathWithTheIniExtension) {
    EXPECT_EQ(SettingsPathForProgram("/games/tarvel/tarvel"), fs::path("/games/tarvel/tarvel.ini"));
    EXPECT_EQ(SettingsPathForProgram("tarvel.exe"), fs::path("tarvel.ini"));
}

TEST(VoiceLetters, TheOpponentSpeaksInTheOtherGender) {
    EXPECT_EQ(VoiceLettersForGender("m"), (VoiceLetters{"m", "z"}));
    EXPECT_EQ(VoiceLettersForGender("z"), (VoiceLetters{"z", "m"}));
    // A hand-edited gender is the woman, as the settings dialog shows it: both voices
    // stay ones the recordings exist for.
    EXPECT_EQ(VoiceLettersForGender("M"), (VoiceLetters{"z", "m"}));
    EXPECT_EQ(VoiceLettersForGender(""), (VoiceLetters{"z", "m"}));
}

TEST_F(SettingsFileTest, WithoutTarvelIniInTheCurrentFolderNothingIsRead) {
    const fs::path elsewhere = folder_ / "elsewhere";
    fs::create_directory(elsewhere);
    SettingsFile file(elsewhere / "tarvel.ini");
    file.SaveGameSettings(GameOptions{.dealtcards = 9}, false);

    GameOptions options{.numberofgames = 7};
    NetSettings net{.port = 1412};
    VoiceLetters voices{"z", "m"};
    EXPECT_FALSE(file.LoadSettings(folder_, options, net, voices));
    EXPECT_EQ(options, (GameOptions{.numberofgames = 7}));
    EXPECT_EQ(net, (NetSettings{.port = 1412}));
    EXPECT_EQ(voices, (VoiceLetters{"z", "m"}));
}

TEST_F(SettingsFileTest, MissingKeysAndGarbageGiveTheDefaults) {
    Put("[game]\r\nkingofspades=yes\r\ncompulsory=\r\nnumberofgames=3x\r\n[net]\r\nport=abc\r\n");
    GameOptions options{.pickupforseven = 3, .kingofspades = true, .dealtcards = 8, .playergender = "z"};
    NetSettings net{.ipaddress = "old", .port = 9};
    VoiceLetters voices{"z", "m"};
    ASSERT_TRUE(SettingsFile(path_).LoadSettings(folder_, options, net, voices));
    EXPECT_EQ(options, GameOptions{});
    EXPECT_EQ(net, NetSettings{});
    EXPECT_EQ(voices, (VoiceLetters{"m", "z"}));
    EXPECT_EQ(SettingsFile(path_).LoadLanguage(), 1000);
    EXPECT_EQ(SettingsFile(path_).LoadVoice(), (VoiceSettings{"", 0, 0, 255}));
}

TEST_F(SettingsFileTest, HowTheGameIsHeardDefaultsToTheRecordings) {
    SettingsFile file(path_);
    EXPECT_EQ(file.LoadSpeechMode(), 0);  // a file from before the key existed
    file.SaveSpeechMode(2);
    EXPECT_EQ(file.LoadSpeechMode(), 2);
    Put("[environment]\nspeech=7\n");
    EXPECT_EQ(SettingsFile(path_).LoadSpeechMode(), 0);
    Put("[environment]\nspeech=x\n");
    EXPECT_EQ(SettingsFile(path_).LoadSpeechMode(), 0);
}

TEST_F(SettingsFileTest, TheScreenReaderBesideTheGamesSpeechIsWrittenOnlyOnceChosen) {
    Put("[environment]\r\nspeech=0\r\n");
    SettingsFile file(path_);
    EXPECT_FALSE(file.LoadScreenReader());  // a file from before the key existed
    file.SaveScreenReader(false);
    EXPECT_EQ(Bytes(), "[environment]\r\nspeech=0\r\n");  // never chosen: the file stays as it was
    file.SaveScreenReader(true);
    EXPECT_EQ(Bytes(), "[environment]\r\nspeech=0\r\nscreenreader=1\r\n");
    EXPECT_TRUE(SettingsFile(path_).LoadScreenReader());
    file.SaveScreenReader(false);  // chosen away again: kept, as off
    EXPECT_EQ(Bytes(), "[environment]\r\nspeech=0\r\nscreenreader=0\r\n");
    EXPECT_FALSE(SettingsFile(path_).LoadScreenReader());
    Put("[environment]\r\nscreenreader=yes\r\n");
    EXPECT_FALSE(SettingsFile(path_).LoadScreenReader());
}

TEST_F(SettingsFileTest, CountsAreEightBitAndMustBeUsable) {
    Put("[game]\npickupforseven=259\nnumberofgames=355\ndealtcards=262\n");
    GameOptions options = LoadOptions();
    EXPECT_EQ(options.pickupforseven, 3);
    EXPECT_EQ(options.numberofgames, 99);
    EXPECT_EQ(options.dealtcards, 6);

    Put("[game]\npickupforseven=5\nnumberofgames=100\ndealtcards=-250\n");  // -250 is 6 modulo 256
    options = LoadOptions();
    EXPECT_EQ(options.pickupforseven, 2);
    EXPECT_EQ(options.numberofgames, 3);
    EXPECT_EQ(options.dealtcards, 6);

    Put("[game]\ndealtcards=16\n");  // two such hands would empty the deck
    EXPECT_EQ(LoadOptions().dealtcards, 5);
}

TEST_F(SettingsFileTest, BooleansAreTrueForAnyNonZeroInteger) {
    Put("[GAME]\nKingOfSpades=-1\nreturntogame=2\ncompulsory=0\ngamesounds=0\nplayergender=z\n");
    const GameOptions options = LoadOptions();
    EXPECT_TRUE(options.kingofspades);
    EXPECT_TRUE(options.returntogame);
    EXPECT_FALSE(options.compulsory);
    EXPECT_FALSE(options.gamesounds);
    EXPECT_EQ(options.playergender, "z");
}

TEST_F(SettingsFileTest, SavesTheFourteenGameKeysInOrderWithTheSoundsSwitch) {
    SettingsFile file(path_);
    GameOptions options{.pickupforseven = 3,
                        .returntogame = true,
                        .numberofgames = 0,
                        .dealtcards = 10,
                        .playergender = "z",
                        .movemouse = true,
                        .gamesounds = false};
    file.SaveGameSettings(options, true);
    EXPECT_EQ(
        Bytes(),
        "[game]\r\npickupforseven=3\r\nkingofspades=0\r\nreturntogame=1\r\nsaypickedcards=1\r\n"
        "usetable=0\r\nmovemouse=1\r\nplayforpoints=0\r\nnumberofgames=0\r\ncompulsory=1\r\n"
        "shufflecards=0\r\ndealtcards=10\r\nplayergender=z\r\ngamesounds=1\r\nsaycardsundermouse=0\r\n");

    NetSettings net;
    VoiceLetters voices;
    GameOptions loaded;
    ASSERT_TRUE(file.LoadSettings(folder_, loaded, net, voices));
    options.gamesounds = true;
    EXPECT_EQ(loaded, options);
    EXPECT_EQ(voices, (VoiceLetters{"z", "m"}));
}

TEST_F(SettingsFileTest, SavingKeepsEveryLineItDoesNotWrite) {
    Put("; my settings\n[Game]\nDealtCards = 4\nmystery line\n\n[mine]\nx=1\n[environment]\nlanguage=1000\n");
    SettingsFile file(path_);
    file.SaveGameSettings(GameOptions{.dealtcards = 7}, true);
    file.SaveLanguage(2000);
    const std::string bytes = Bytes();
    EXPECT_EQ(bytes.rfind("; my settings\n[Game]\nDealtCards = 7\nmystery line\npickupforseven=2\n", 0), 0u);
    EXPECT_NE(bytes.find("\n\n[mine]\nx=1\n[environment]\nlanguage=2000\n"), std::string::npos);
    EXPECT_EQ(bytes.find("dealtcards"), std::string::npos);  // the hand-written key was updated, not repeated
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_EQ(file.LoadLanguage(), 2000);
}

TEST_F(SettingsFileTest, NetAndVoiceKeysRoundTrip) {
    SettingsFile file(path_);
    const NetSettings net{"192.168.1.5", 1412, "Hospoda U Karla", true, true};
    file.SaveNetSettings(net);
    const VoiceSettings voice{"Žofie", -3, 7, 120};
    file.SaveVoice(voice);
    EXPECT_EQ(file.LoadServerName(), "Hospoda U Karla");
    EXPECT_TRUE(file.LoadAllowVoiceChat());
    EXPECT_EQ(file.LoadVoice(), voice);
    EXPECT_NE(Bytes().find("[Voice]\r\nperson=\x8E\x6F\x66ie\r\n"), std::string::npos);

    GameOptions options;
    NetSettings loaded{.servername = "kept"};
    VoiceLetters voices;
    ASSERT_TRUE(file.LoadSettings(folder_, options, loaded, voices));
    EXPECT_EQ(loaded, (NetSettings{"192.168.1.5", 1412, "kept", true, true}));  // servername is not read here
}

TEST_F(SettingsFileTest, TheTableIsKeptOnlyOnceOneWasNamed) {
    SettingsFile file(path_);
    file.SaveNetSettings(NetSettings{"192.168.1.5", 1412, "", false, false});
    EXPECT_EQ(Bytes().find("table"), std::string::npos);  // a file as it was before tables

    file.SaveNetSettings(NetSettings{"192.168.1.5", 1412, "", false, false, "Přátelé"});
    EXPECT_NE(Bytes().find("table=P\xF8\xE1tel\xE9\r\n"), std::string::npos);
    GameOptions options;
    NetSettings loaded;
    VoiceLetters voices;
    ASSERT_TRUE(file.LoadSettings(folder_, options, loaded, voices));
    EXPECT_EQ(loaded.table, "Přátelé");

    // Emptied again: written empty, so "anyone" is what the next start reads.
    file.SaveNetSettings(NetSettings{"192.168.1.5", 1412, "", false, false, ""});
    ASSERT_TRUE(file.LoadSettings(folder_, options, loaded, voices));
    EXPECT_EQ(loaded.table, "");
}

TEST_F(SettingsFileTest, AnUnwritableFileRaisesTheMessageAndWritesNothing) {
    const fs::path inside = path_ / "tarvel.ini";  // its folder is a file: no write can succeed
    Put("[game]\r\ndealtcards=8\r\n");
    SettingsFile file(inside);
    try {
        file.SaveGameSettings(GameOptions{}, true);
        FAIL() << "no error";
    } catch (const ProfileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + inside.string());
    }
    EXPECT_THROW(file.SaveLanguage(2000), ProfileWriteError);
    EXPECT_THROW(file.SaveNetSettings(NetSettings{}), ProfileWriteError);
    EXPECT_EQ(Bytes(), "[game]\r\ndealtcards=8\r\n");
}

}  // namespace
}  // namespace tarvel

namespace tarvel {
namespace {

TEST_F(SettingsFileTest, TheComputerLevelIsKeptOnceChosenAndAnyOtherValueGivesTheUsualComputer) {
    SettingsFile file(path_);
    file.SaveGameSettings(GameOptions{}, true);
    EXPECT_EQ(Bytes().find("computerlevel"), std::string::npos) << "never chosen: the file reads as before";
    EXPECT_EQ(LoadOptions().computerlevel, kComputerFixed);

    file.SaveGameSettings(GameOptions{.computerlevel = kComputerStrong}, true);
    EXPECT_NE(Bytes().find("computerlevel=1\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions().computerlevel, kComputerStrong);
    // Back to the usual computer: the key is written again, not left saying strong.
    file.SaveGameSettings(GameOptions{}, true);
    EXPECT_NE(Bytes().find("computerlevel=0\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions().computerlevel, kComputerFixed);

    for (const char* bad : {"2", "-1", "255", "strong"}) {
        Put(std::string("[game]\ncomputerlevel=") + bad + "\n");
        EXPECT_EQ(LoadOptions().computerlevel, kComputerFixed) << bad;
    }
}

}  // namespace
}  // namespace tarvel
