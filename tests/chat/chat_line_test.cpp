// The message text: the printed line's padding, what of a received message is kept,
// and which messages have words to send.
#include "session/chat/chat_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(ChatLineText, PadsWithBlanksToSeventyCharacters) {
    struct Case {
        std::string message;
        std::size_t blanks;
    };
    const std::vector<Case> cases = {
        {"", 70},
        {"abcdefghij", 60},
        {"žluťoučký", 61},  // characters, not bytes
        {Repeat("x", 69), 1},
        {Repeat("x", 70), 0},
        {Repeat("ř", 70), 0},
        {Repeat("x", 75), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ChatLineText(c.message), c.message + std::string(c.blanks, ' '));
    }
}

TEST(CleanReceivedMessage, ControlCharactersBecomeBlanksAndTheRestStays) {
    struct Case {
        std::string received;
        std::string kept;
    };
    const std::vector<Case> cases = {
        {"ahoj = jak se máš?", "ahoj = jak se máš?"},
        {"dva\r\nřádky", "dva  řádky"},
        {"tab\there", "tab here"},
        {"del\x7F", "del "},
        {"c1\xC2\x85!", "c1 !"},               // U+0085, a line break of its own
        {"nbsp\xC2\xA0ok", "nbsp\xC2\xA0ok"},  // U+00A0 is a letter-like blank, kept
        {std::string("nul\0x", 5), "nul x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kept);
        EXPECT_EQ(CleanReceivedMessage(c.received), c.kept);
    }
}

TEST(CleanReceivedMessage, EndsAfterTheLongestMessageCountedInCharacters) {
    EXPECT_EQ(CleanReceivedMessage(Repeat("ř", 300)), Repeat("ř", kLongestReceivedMessage));
    EXPECT_EQ(CleanReceivedMessage(Repeat("x", kLongestReceivedMessage)),
              Repeat("x", kLongestReceivedMessage));
}

TEST(HasWords, BlanksAloneAreNoMessage) {
    for (const char* empty : {"", " ", "\t", "  \t  "}) EXPECT_FALSE(HasWords(empty)) << '"' << empty << '"';
    for (const char* words : {"a", " ahoj ", "?"}) EXPECT_TRUE(HasWords(words)) << words;
}

}  // namespace
}  // namespace tarvel
