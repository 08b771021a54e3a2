#include "common/profile_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tarvel-profile-" + std::to_string(random()));
        fs::create_directories(folder_);
        file_ = folder_ / "tarvel.ini";
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(folder_, error);
    }

    void Put(const std::string& bytes) const { std::ofstream(file_, std::ios::binary) << bytes; }
    std::string Bytes() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
    fs::path file_;
};

TEST_F(ProfileFileTest, ReadsKeysWithoutRegardToCaseOrSurroundingBlanks) {
    Put("[Game]\r\n  PickUpForSeven =  3 \r\n[NET]\r\nipaddress=\"10.0.0.1\"\r\nservername=\r\n");
    const ProfileFile file(file_);
    EXPECT_EQ(file.ReadInteger("game", "pickupforseven", 2), 3);
    EXPECT_EQ(file.ReadString("net", "IPADDRESS", "x"), "10.0.0.1");  // one pair of quotes removed
    EXPECT_EQ(file.ReadString("net", "servername", "x"), "");         // present but empty: not the fallback
}

TEST_F(ProfileFileTest, GivesTheFallbackForWhatIsNotAKeyOfThatSection) {
    Put("port=1\n[net]\n;port=2\nport\n[game]\nport=3\n");
    const ProfileFile file(file_);
    EXPECT_EQ(file.ReadInteger("net", "port", 7), 7);  // before any section, a comment, no '=', other section
    EXPECT_EQ(file.ReadInteger("voice", "port", 7), 7);
    EXPECT_EQ(ProfileFile(folder_ / "missing.ini").ReadString("net", "port", "none"), "none");
    EXPECT_EQ(ProfileFile(folder_).ReadString("net", "port", "none"), "none");  // a folder, not a file
}

TEST_F(ProfileFileTest, IntegersAreWholeDecimalNumbersOrTheFallback) {
    Put("[n]\na=-7\nb=+5\nc=12abc\nd=\ne=abc\nf=99999999999\ng=2147483647\nh=1 2\n");
    const ProfileFile file(file_);
    EXPECT_EQ(file.ReadInteger("n", "a", 0), -7);
    EXPECT_EQ(file.ReadInteger("n", "b", 0), 5);
    EXPECT_EQ(file.ReadInteger("n", "g", 0), 2147483647);
    for (const char* key : {"c", "d", "e", "f", "h"}) EXPECT_EQ(file.ReadInteger("n", key, 42), 42) << key;
    EXPECT_TRUE(file.ReadBool("n", "a", false));  // any integer but 0
    EXPECT_FALSE(file.ReadBool("n", "c", false));
    EXPECT_TRUE(file.ReadBool("n", "e", true));
}

TEST_F(ProfileFileTest, WritingAKeyChangesOnlyItsValue) {
    const std::string before =
        "; written by hand\r\n[game]\r\nPickUpForSeven = 2\r\nfoo\r\n\r\n[other]\r\nx=1\r\n";
    Put(before);
    ProfileFile file(file_);
    file.WriteInteger("GAME", "pickupforseven", 3);
    EXPECT_EQ(Bytes(), "; written by hand\r\n[game]\r\nPickUpForSeven = 3\r\nfoo\r\n\r\n[other]\r\nx=1\r\n");
}

TEST_F(ProfileFileTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEndOfTheFile) {
    Put("[game]\nkingofspades=1\n; about net\n\n[other]\nx=1");
    ProfileFile file(file_);
    file.WriteBool("game", "usetable", true);
    file.WriteString("net", "servername", "home");
    EXPECT_EQ(Bytes(),
              "[game]\nkingofspades=1\nusetable=1\n; about net\n\n[other]\nx=1\n\n[net]\nservername=home\n");
}

TEST_F(ProfileFileTest, ANewFileGetsCrLfLines) {
    ProfileFile file(file_);
    file.WriteInteger("environment", "language", 2000);
    file.WriteInteger("environment", "language", 1000);
    EXPECT_EQ(Bytes(), "[environment]\r\nlanguage=1000\r\n");
}

TEST_F(ProfileFileTest, TextIsWindows1250OnDisk) {
    Put("[Voice]\r\nperson=Hlas \xE8\x65sk\xFD\r\n");  // "Hlas český"
    ProfileFile file(file_);
    EXPECT_EQ(file.ReadString("voice", "person", ""), "Hlas český");
    file.WriteString("net", "servername", "Žluťoučký kůň");
    EXPECT_NE(Bytes().find("servername=\x8Elu\x9Do\x75\xE8k\xFD k\xF9\xF2\r\n"), std::string::npos);
    EXPECT_EQ(file.ReadString("net", "servername", ""), "Žluťoučký kůň");
}

TEST_F(ProfileFileTest, ALineBreakInAValueCannotAddLinesToTheFile) {
    ProfileFile file(file_);
    file.WriteString("net", "servername", "evil\r\n[game]\r\nport=9");
    EXPECT_EQ(file.ReadString("net", "servername", ""), "evil  [game]  port=9");
    EXPECT_EQ(file.ReadInteger("game", "port", 0), 0);
}

TEST_F(ProfileFileTest, AFailedWriteSaysWhereAndChangesNothing) {
    // Tests may run as root, for whom permissions do not fail: use paths no one can write.
    const fs::path underAFile = file_ / "tarvel.ini";
    Put("[game]\r\ndealtcards=7\r\n");
    try {
        ProfileFile(underAFile).WriteInteger("game", "dealtcards", 5);
        FAIL() << "no error";
    } catch (const ProfileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + underAFile.string());
    }
    EXPECT_EQ(Bytes(), "[game]\r\ndealtcards=7\r\n");

    const fs::path folderInPlace = folder_ / "folder.ini";
    fs::create_directory(folderInPlace);
    EXPECT_THROW(ProfileFile(folderInPlace).WriteInteger("game", "dealtcards", 5), ProfileWriteError);
    EXPECT_TRUE(fs::is_directory(folderInPlace));
    EXPECT_EQ(EntriesInFolder(), 2u);  // no temporary file left behind
}

TEST_F(ProfileFileTest, AReadOnlyFileIsNotReplaced) {
    Put("[game]\r\ndealtcards=7\r\n");
    fs::permissions(file_, fs::perms::owner_read);
    EXPECT_THROW(ProfileFile(file_).WriteInteger("game", "dealtcards", 5), ProfileWriteError);
    EXPECT_EQ(Bytes(), "[game]\r\ndealtcards=7\r\n");
}

TEST_F(ProfileFileTest, ReplacingKeepsPermissionsAndSymbolicLinks) {
    Put("[game]\n");
    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = folder_ / "link.ini";
    fs::create_symlink(file_, link);
    ProfileFile(link).WriteInteger("game", "dealtcards", 6);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Bytes(), "[game]\ndealtcards=6\n");
    EXPECT_EQ(fs::status(file_).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace tarvel
