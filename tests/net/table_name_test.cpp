// The table's name as the network settings take it, and a list line's table after its port.
#include "session/net/table_name.h"

#include <gtest/gtest.h>

#include "client/net/server_list.h"

namespace tarvel {
namespace {

TEST(ReadTableName, TakesWhatTheServerCanMatchExactly) {
    EXPECT_EQ(ReadTableName(""), "");  // anyone
    EXPECT_EQ(ReadTableName("Přátelé u čaje"), "Přátelé u čaje");
    EXPECT_EQ(ReadTableName(std::string(32, 'x')), std::string(32, 'x'));
    std::string longest;
    for (int i = 0; i < 32; ++i) longest += "č";  // 32 characters, 64 bytes
    EXPECT_EQ(ReadTableName(longest), longest);
    EXPECT_EQ(ReadTableName(longest + "x"), std::nullopt);
    // What would reach the server changed, or as two messages, or not at all.
    for (const char* refused : {"stůl \xE2\x98\x83", "a\\b", "a\tb", "řádek\nnový", "\xFF"}) {
        EXPECT_EQ(ReadTableName(refused), std::nullopt) << refused;
    }
}

TEST(SplitPortAndTable, ATableFollowsThePortAfterAFurtherSemicolon) {
    const auto split = [](std::string_view line) {
        const PortAndTable field = SplitPortAndTable(SplitServerLine(line).port);
        return field.port + "|" + field.table;
    };
    EXPECT_EQ(split("Doma;192.168.0.5;6060"), "6060|");
    EXPECT_EQ(split("Klub;klub.example;1412;Přátelé"), "1412|Přátelé");
    EXPECT_EQ(split("Klub;klub.example;;Přátelé"), "|Přátelé");  // the default port, a table
    EXPECT_EQ(split("Klub;klub.example;1412;a;b"), "1412|a;b");   // the rest is the table's
    EXPECT_EQ(split("Klub;klub.example;1412;"), "1412|");
}

}  // namespace
}  // namespace tarvel
