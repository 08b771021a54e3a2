#include "protocol/framing.h"

#include <gtest/gtest.h>

namespace tarvel::protocol {
namespace {

using Messages = std::vector<std::string>;

TEST(Framing, WritesWindows1250AndOneTerminator) {
    // Windows-1250 on the wire: "í" and "ř" are one byte each.
    EXPECT_EQ(EncodeForWire("7 křížová"), "7 k\xF8\xED\x9Eov\xE1\\");
    // A terminator or zero typed into a text can never start a message of its own, in
    // plain ASCII as in text of the code page; the room of one encoding is reused by the next.
    std::string bytes = "left over";
    for (const auto& [message, wire] :
         {std::pair{std::string("iwanttosay0=a\\terminategame0\0b", 30), std::string("iwanttosay0=a/terminategame0/b\\")},
          std::pair{std::string("iwanttosay0=a\\terminategame0"), std::string("iwanttosay0=a/terminategame0\\")},
          std::pair{std::string("iwanttosay0=a\0terminategame0", 28), std::string("iwanttosay0=a/terminategame0\\")},
          std::pair{std::string("iwanttosay0=č\\x"), std::string("iwanttosay0=\xE8/x\\")},
          std::pair{std::string("drawdone"), std::string("drawdone\\")}}) {
        EXPECT_EQ(EncodeForWire(message), wire);
        EncodeForWire(message, bytes);
        EXPECT_EQ(bytes, wire);
    }
}

TEST(Framing, SplitsEveryMessageOfAReadInOrderAndDecodesIt) {
    MessageSplitter splitter;
    const auto result = splitter.Feed("i stand\\opp points=3\\deckcard=7 k\xF8\xED\x9Eov\xE1\\");
    EXPECT_EQ(result.messages, (Messages{"i stand", "opp points=3", "deckcard=7 křížová"}));
    EXPECT_FALSE(result.overflow);
    EXPECT_EQ(splitter.PendingBytes(), 0u);
}

TEST(Framing, KeepsTheTextAfterTheLastTerminatorForTheNextRead) {
    MessageSplitter splitter;
    EXPECT_EQ(splitter.Feed("pickup do").messages, Messages{});
    EXPECT_EQ(splitter.Feed("ne\\startcard").messages, Messages{"pickup done"});
    EXPECT_EQ(splitter.Feed(" done\\").messages, Messages{"startcard done"});
}

TEST(Framing, LeavesOutEmptyMessagesAndStopsAtAZeroByte) {
    MessageSplitter splitter;
    EXPECT_EQ(splitter.Feed("\\\\busy\\\\").messages, Messages{"busy"});
    EXPECT_EQ(splitter.Feed(std::string("i st\0and\\lost\\", 14)).messages, Messages{});
    // What stood before the zero byte is kept; what followed it is gone.
    EXPECT_EQ(splitter.Feed("and\\").messages, Messages{"i stand"});
}

TEST(Framing, GivesUpTextThatNeverEnds) {
    MessageSplitter splitter;
    EXPECT_FALSE(splitter.Feed("ok\\" + std::string(protocol::kMaxPendingBytes, 'x')).overflow);
    const auto result = splitter.Feed("x");
    EXPECT_TRUE(result.overflow);
    EXPECT_EQ(splitter.PendingBytes(), 0u);
    const auto mixed = MessageSplitter{}.Feed("first\\" + std::string(protocol::kMaxPendingBytes + 1, 'y'));
    EXPECT_EQ(mixed.messages, Messages{"first"});
    EXPECT_TRUE(mixed.overflow);
}

TEST(Framing, KeyValueAndLastCharacter) {
    EXPECT_EQ(MessageKey("iwanttosay1=a=b"), "iwanttosay1");
    EXPECT_EQ(MessageValue("iwanttosay1=a=b"), "a=b");
    EXPECT_EQ(MessageKey("standing0"), "");
    EXPECT_EQ(MessageValue("standing0"), "");
    EXPECT_EQ(MessageValue("sendcolor0= piky"), " piky");
    EXPECT_EQ(LastChar("end of game1"), "1");
    EXPECT_EQ(WithoutLastChar("end of game1"), "end of game");
    // A whole character, not a byte of it.
    EXPECT_EQ(LastChar("req cardř"), "ř");
    EXPECT_EQ(WithoutLastChar("req cardř"), "req card");
    EXPECT_EQ(LastChar(""), "");
}

}  // namespace
}  // namespace tarvel::protocol
