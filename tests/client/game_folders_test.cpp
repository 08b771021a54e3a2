// Game folder or installed game, and the player's folder an installed game makes on its
// first start.
#include "client/app/game_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

class GameFoldersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("tarvel-folders-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        data_ = root_ / "usr/share/games/tarvel";
        fs::create_directories(root_ / "usr/games");
        fs::create_directories(data_);
        std::ofstream(data_ / "svrlist.txt", std::ios::binary) << "Tento po\xe8\xedta\xe8;127.0.0.1;1412\r\n";
    }
    void TearDown() override { fs::remove_all(root_); }

    std::optional<GameFolders> Choose(const fs::path& program, const fs::path& data, std::string_view xdg,
                                      std::string_view home) {
        error_.clear();
        return ChooseGameFolders(program, data, xdg, home, error_);
    }
    static std::string ReadAll(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path root_;
    fs::path data_;
    std::string error_;
};

TEST_F(GameFoldersTest, AGameFolderKeepsEverythingInTheCurrentFolder) {
    // Not built for a system install: always the game folder, wherever the program lies.
    const auto plain = Choose(root_ / "usr/games", "", "/home/hana/.data", "/home/hana");
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->Installed());
    EXPECT_TRUE(plain->data.empty());

    // Built for one, but the recordings lie beside the program: a game folder all the same.
    fs::create_directories(root_ / "game/zvuky");
    const auto game = Choose(root_ / "game", data_, "", "/home/hana");
    ASSERT_TRUE(game);
    EXPECT_FALSE(game->Installed());
    EXPECT_TRUE(game->data.empty());
    EXPECT_TRUE(PreparePlayerFolder(*game).empty());
    EXPECT_FALSE(fs::exists(root_ / "game/tarvel.tab"));
}

TEST_F(GameFoldersTest, AnInstalledGameKeepsThePlayersFilesInTheXdgDataFolder) {
    const auto xdg = Choose(root_ / "usr/games", data_, "/home/hana/.data", "/home/hana");
    ASSERT_TRUE(xdg);
    EXPECT_TRUE(xdg->Installed());
    EXPECT_EQ(xdg->data, data_);
    EXPECT_EQ(xdg->player, fs::path("/home/hana/.data/tarvel"));

    // An empty or relative XDG_DATA_HOME is ignored, as the XDG rules say.
    for (std::string_view ignored : {"", "relative/data"}) {
        const auto home = Choose(root_ / "usr/games", data_, ignored, "/home/hana");
        ASSERT_TRUE(home) << ignored;
        EXPECT_EQ(home->player, fs::path("/home/hana/.local/share/tarvel")) << ignored;
    }

    EXPECT_FALSE(Choose(root_ / "usr/games", data_, "", ""));
    EXPECT_NE(error_.find("neither XDG_DATA_HOME nor HOME"), std::string::npos) << error_;
    EXPECT_FALSE(Choose(root_ / "usr/games", data_, "data", "home"));
}

TEST_F(GameFoldersTest, TheFirstStartMakesThePlayersFolderAndLaterStartsKeepIt) {
    const GameFolders folders{data_, root_ / "home/hana/.local/share/tarvel"};
    ASSERT_EQ(PreparePlayerFolder(folders), "");
    // What the set-up gives a game folder: the empty table and the example list, byte for byte.
    EXPECT_EQ(fs::file_size(folders.player / "tarvel.tab"), 320u);
    EXPECT_EQ(ReadAll(folders.player / "svrlist.txt"), ReadAll(data_ / "svrlist.txt"));
    EXPECT_FALSE(fs::exists(folders.player / "tarvel.ini"));  // written by the first confirmed dialog

    // The player's own files are never replaced.
    std::ofstream(folders.player / "svrlist.txt", std::ios::binary | std::ios::trunc) << "doma;10.0.0.2;1412\r\n";
    std::ofstream(folders.player / "tarvel.tab", std::ios::binary | std::ios::trunc) << "damaged";
    ASSERT_EQ(PreparePlayerFolder(folders), "");
    EXPECT_EQ(ReadAll(folders.player / "svrlist.txt"), "doma;10.0.0.2;1412\r\n");
    EXPECT_EQ(ReadAll(folders.player / "tarvel.tab"), "damaged");

    // Nothing was written beside the installed data.
    std::size_t installed = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(data_)) ++installed;
    EXPECT_EQ(installed, 1u);
}

TEST_F(GameFoldersTest, AMissingExampleListIsNoFaultButAFolderInTheWayIs) {
    fs::remove(data_ / "svrlist.txt");
    const GameFolders folders{data_, root_ / "home/.local/share/tarvel"};
    ASSERT_EQ(PreparePlayerFolder(folders), "");
    EXPECT_TRUE(fs::exists(folders.player / "tarvel.tab"));
    EXPECT_FALSE(fs::exists(folders.player / "svrlist.txt"));

    std::ofstream(root_ / "blocked") << "a file where the folder should be";
    const std::string error = PreparePlayerFolder(GameFolders{data_, root_ / "blocked"});
    EXPECT_NE(error.find("cannot make the folder for your settings and results " + (root_ / "blocked").string()),
              std::string::npos)
        << error;
}

}  // namespace
}  // namespace tarvel
