#include "common/cp1250.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

namespace tarvel {
namespace {

// glibc's converter is the oracle; nothing when it rejects the input.
std::optional<std::string> IconvConvert(const char* from, const char* to, const std::string& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = input;
    std::string out(input.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Cp1250, EveryByteDecodesAsIconvDoesAndRoundTrips) {
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string decoded = Cp1250ToUtf8(byte);
        const auto oracle = IconvConvert("CP1250", "UTF-8", byte);
        if (oracle) {
            EXPECT_EQ(decoded, *oracle) << "byte " << b;
        } else {
            ++undefined;  // left undefined by the code page: decoded to the C1 control of that number
            EXPECT_EQ(decoded, IconvConvert("ISO-8859-1", "UTF-8", byte).value()) << "byte " << b;
        }
        EXPECT_EQ(Utf8ToCp1250(decoded), byte) << "byte " << b;
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, CzechTextEncodesAsIconvDoes) {
    const std::string text = "Otáčím hromádku, dáma křížová, Žluťoučký kůň § ě";
    EXPECT_EQ(Utf8ToCp1250(text), IconvConvert("UTF-8", "CP1250", text).value());
    EXPECT_EQ(Cp1250ToUtf8(Utf8ToCp1250(text)), text);
}

TEST(Cp1250, UnrepresentableAndMalformedTextBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1250("a\xE2\x82"), "a?");        // cut short
    EXPECT_EQ(Utf8ToCp1250("\xC3\xA6"), "?");          // æ is not in the code page
    EXPECT_EQ(Utf8ToCp1250("\xF0\x9F\x82\xA1"), "?");  // a playing-card emoji
    EXPECT_EQ(Utf8ToCp1250("\xFF"), "?");
}

}  // namespace
}  // namespace tarvel
