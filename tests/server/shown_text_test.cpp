#include "server/core/shown_text.h"

#include <gtest/gtest.h>

namespace tarvel::server {
namespace {

TEST(ShownText, ControlCharactersShowAsTheirCodes) {
    const struct {
        std::string_view text;
        std::string_view shown;
    } cases[] = {
        {"Jana", "Jana"},
        {"řeřicha", "řeřicha"},
        {"\x1b[2Jpryč", "\\x1B[2Jpryč"},
        {"zvonek\a\b", "zvonek\\x07\\x08"},
        {"dva\r\nřádky", "dva\\x0D\\x0Ařádky"},
        {"\x7f", "\\x7F"},
        // The Windows-1250 bytes that name no character arrive as C1 controls.
        {"a\u0081b\u0098", "a\\x81b\\x98"},
        // Just past the C1 block: an ordinary letter.
        {"\u00a0\u00e1", "\u00a0\u00e1"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeControls(c.text), c.shown) << c.text;
}

TEST(ShownText, LongTextIsCutAtAWholeCharacter) {
    EXPECT_EQ(Shortened("Jana", 4), "Jana");
    EXPECT_EQ(Shortened("Janička", 4), "Jan…");
    EXPECT_EQ(Shortened("řřřřř", 3), "řř…");
    EXPECT_EQ(Shortened("", 3), "");
    EXPECT_EQ(Shortened(std::string(100'000, 'x'), kShownNameChars).size(), kShownNameChars - 1 + 3);
}

}  // namespace
}  // namespace tarvel::server
