// The server list "svrlist.txt": how one line splits into name, address and port, how
// the file reads (line ends, empty lines, the code page, a missing file), the lookup of
// a chosen name, and the example list the set-up puts into the game folder.
#include "client/net/server_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "common/cp1250.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;

TEST(SplitServerLine, FollowsTheSemicolons) {
    struct Case {
        const char* line;
        ServerEntry entry;
    };
    const Case cases[] = {
        {"Doma;192.168.0.5;6060", {"Doma", "192.168.0.5", "6060"}},
        {"192.168.0.5", {"", "", "192.168.0.5"}},            // no ";": the whole line is the port
        {"Doma;6060", {"Doma", "", "6060"}},                 // one ";": no address
        {"Doma;host;60;60;x", {"Doma", "host", "60;60;x"}},  // further ";" belong to the port
        {"", {"", "", ""}},
        {";", {"", "", ""}},
        {";;", {"", "", ""}},
        {";;;", {"", "", ";"}},
        {"Doma;;", {"Doma", "", ""}},
        {";host;", {"", "host", ""}},
        {" Doma ; host ; 6060 ", {" Doma ", " host ", " 6060 "}},  // kept exactly as written
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitServerLine(c.line), c.entry) << '"' << c.line << '"';
    }
}

TEST(ParseServerList, EveryLineIsAnEntryInFileOrder) {
    const std::vector<ServerEntry> expected = {
        {"Doma", "192.168.0.5", "6060"}, {"", "", ""}, {"Práce", "server.example", "1412"}};
    EXPECT_EQ(ParseServerList("Doma;192.168.0.5;6060\r\n\r\nPr\xE1"
                              "ce;server.example;1412\r\n"),
              expected);
    EXPECT_EQ(ParseServerList("Doma;192.168.0.5;6060\n\nPr\xE1"
                              "ce;server.example;1412\n"),
              expected);
    EXPECT_EQ(ParseServerList("Doma;192.168.0.5;6060\r\n\nPr\xE1"
                              "ce;server.example;1412"),
              expected);
}

TEST(ParseServerList, AFinalLineBreakStartsNoEntry) {
    EXPECT_TRUE(ParseServerList("").empty());
    EXPECT_EQ(ParseServerList("\r\n"), (std::vector<ServerEntry>{{}}));
    EXPECT_EQ(ParseServerList("\n\n"), (std::vector<ServerEntry>{{}, {}}));
    EXPECT_EQ(ParseServerList("a;b;1"), (std::vector<ServerEntry>{{"a", "b", "1"}}));
    EXPECT_EQ(ParseServerList("a;b;1\r\n"), (std::vector<ServerEntry>{{"a", "b", "1"}}));
    // Only the CR of a line end goes; one inside a line stays.
    EXPECT_EQ(ParseServerList("a\rb;c;1\r\r\n"), (std::vector<ServerEntry>{{"a\rb", "c", "1\r"}}));
}

TEST(ParseServerList, ReadsWindows1250) {
    // "Tento počítač", "Šárka u Žďáru"
    const std::vector<ServerEntry> entries = ParseServerList(
        "Tento po\xE8\xEDta\xE8;127.0.0.1;6060\r\n\x8A\xE1rka u \x8E\xEF\xE1ru;zdar.cz;1412\r\n");
    const std::vector<ServerEntry> expected = {{"Tento počítač", "127.0.0.1", "6060"},
                                               {"Šárka u Žďáru", "zdar.cz", "1412"}};
    EXPECT_EQ(entries, expected);
}

TEST(ParseServerList, ReadsAFileAnEditorWroteInUtf8) {
    const std::vector<ServerEntry> expected = {{"Tento počítač", "127.0.0.1", "6060"}};
    EXPECT_EQ(ParseServerList("Tento počítač;127.0.0.1;6060\n"), expected);
    EXPECT_EQ(ParseServerList("\xEF\xBB\xBFTento počítač;127.0.0.1;6060\r\n"), expected);
    // Plain ASCII reads the same either way.
    EXPECT_EQ(ParseServerList("Doma;h;1\n"), (std::vector<ServerEntry>{{"Doma", "h", "1"}}));
    // One byte that cannot be UTF-8 makes the whole file Windows-1250.
    EXPECT_EQ(ParseServerList("Tento počítač;a;1\nPr\xE1"
                              "ce;b;2\n"),
              (std::vector<ServerEntry>{{Cp1250ToUtf8("Tento počítač"), "a", "1"}, {"Práce", "b", "2"}}));
}

class ServerListFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tarvel-svrlist-" + std::to_string(random()));
        fs::create_directories(folder_);
        path_ = folder_ / kServerListName;
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    void Put(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

    fs::path folder_;
    fs::path path_;
};

TEST_F(ServerListFile, IsReadInItsOrder) {
    Put("Doma;192.168.0.5;6060\r\n\r\nTento po\xE8\xEDta\xE8;127.0.0.1;6060\r\n");
    EXPECT_TRUE(ServerListExists(path_));
    const std::vector<ServerEntry> expected = {
        {"Doma", "192.168.0.5", "6060"}, {"", "", ""}, {"Tento počítač", "127.0.0.1", "6060"}};
    EXPECT_EQ(ReadServerList(path_), expected);
}

TEST_F(ServerListFile, AnEmptyFileExistsAndHoldsNothing) {
    Put("");
    EXPECT_TRUE(ServerListExists(path_));
    EXPECT_TRUE(ReadServerList(path_).empty());
}

TEST_F(ServerListFile, AMissingFileGivesAnEmptyList) {
    EXPECT_FALSE(ServerListExists(path_));
    EXPECT_TRUE(ReadServerList(path_).empty());
    fs::create_directories(path_);  // a folder of that name is no list either
    EXPECT_FALSE(ServerListExists(path_));
    EXPECT_TRUE(ReadServerList(path_).empty());
}

TEST(ServerList, KeepsTheLastLineAsTheCurrentEntry) {
    EXPECT_EQ(ServerList().Current(), ServerEntry{});
    EXPECT_TRUE(ServerList().IsEmpty());
    const ServerList list({{"a", "1", "1"}, {"b", "2", "2"}});
    EXPECT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.Current(), (ServerEntry{"b", "2", "2"}));
}

TEST(ServerList, FindsTheFirstEntryOfAName) {
    const ServerList list({{"a", "1", "1"}, {"", "", "x"}, {"a", "3", "3"}});
    EXPECT_EQ(list.FirstNamed("a"), 0u);
    EXPECT_EQ(list.FirstNamed(""), 1u);
    EXPECT_EQ(list.FirstNamed("A"), 3u);  // names compare exactly
}

TEST(ServerList, ChoosingTakesTheFirstLineOfTheNameUnlessTheCurrentEntryHasIt) {
    const std::vector<ServerEntry> lines = {
        {"Doma", "10.0.0.1", "1"}, {"Práce", "10.0.0.2", "2"}, {"Doma", "10.0.0.3", "3"}, {"Klub", "k", "4"}};
    ServerList list(lines);
    EXPECT_EQ(list.Choose("Doma"), lines[0]);  // the current entry is Klub: the first Doma
    EXPECT_EQ(list.Current(), lines[0]);
    EXPECT_EQ(list.Choose("Doma"), lines[0]);
    EXPECT_EQ(list.Choose("Práce"), lines[1]);
    EXPECT_EQ(list.Choose("Klub"), lines[3]);

    // The last line read at filling is a Doma: that one is taken, not the first.
    ServerList endsWithDoma({lines[0], lines[1], lines[2]});
    EXPECT_EQ(endsWithDoma.Choose("Doma"), lines[2]);
    EXPECT_EQ(endsWithDoma.Choose("Práce"), lines[1]);
    EXPECT_EQ(endsWithDoma.Choose("Doma"), lines[0]);
}

TEST(ServerList, ANameNoLineHasEndsAtTheLastLine) {
    const std::vector<ServerEntry> lines = {{"a", "1", "1"}, {"b", "2", "2"}};
    ServerList list(lines);
    list.Choose("a");
    EXPECT_EQ(list.Choose("nikde"), lines[1]);
    ServerList empty;
    EXPECT_EQ(empty.Choose("nikde"), ServerEntry{});
}

TEST(ExampleServerList, NamesThisComputerInWindows1250WithCrLf) {
    std::ifstream in(TARVEL_EXAMPLE_SERVER_LIST, std::ios::binary);
    ASSERT_TRUE(in) << TARVEL_EXAMPLE_SERVER_LIST;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, "Tento po\xE8\xEDta\xE8;127.0.0.1;1412\r\n");
    EXPECT_EQ(ReadServerList(TARVEL_EXAMPLE_SERVER_LIST),
              (std::vector<ServerEntry>{{"Tento počítač", "127.0.0.1", "1412"}}));
}

}  // namespace
}  // namespace tarvel
