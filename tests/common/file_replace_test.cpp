#include "common/file_replace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tarvel-replace-" + std::to_string(random()));
        fs::create_directories(folder_);
        file_ = folder_ / "tarvel.tab";
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    std::string Bytes() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder_;
    fs::path file_;
};

TEST_F(FileReplaceTest, CreatesAndReplacesWholeContentsWithZeroBytesKept) {
    const std::string first("a\0b", 3);
    EXPECT_FALSE(ReplaceFileContents(file_, first));
    EXPECT_EQ(Bytes(), first);
    EXPECT_FALSE(ReplaceFileContents(file_, "shorter"));
    EXPECT_EQ(Bytes(), "shorter");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(FileReplaceTest, ReportsWhyItFailedAndKeepsTheOldContents) {
    ASSERT_FALSE(ReplaceFileContents(file_, "old"));
    // Root passes permission checks, so the first case is a path no one can create.
    EXPECT_EQ(ReplaceFileContents(file_ / "inside", "new"), std::errc::not_a_directory);
    fs::permissions(file_, fs::perms::owner_read);
    EXPECT_EQ(ReplaceFileContents(file_, "new"), std::errc::permission_denied);
    EXPECT_EQ(Bytes(), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace tarvel
