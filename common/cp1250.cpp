#include "common/cp1250.h"

#include <array>
#include <cstdint>

namespace tarvel {
namespace {

// Unicode code points of the bytes 0x80..0xFF; 0 marks a byte the code page leaves undefined.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

char32_t CodePointOfByte(unsigned char byte) {
    if (byte < 0x80) return byte;
    const char32_t cp = kHighHalf[byte - 0x80];
    return cp != 0 ? cp : byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD for malformed input.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return cp;
}

// Where the run of ASCII bytes from `from` ends.
std::size_t PlainRunEnd(std::string_view text, std::size_t from) {
    while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) ++from;
    return from;
}

}  // namespace

std::string Cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // A run of ASCII, most of what the wire carries, is the same in both: copied whole.
        const std::size_t plain = PlainRunEnd(bytes, i);
        out.append(bytes, i, plain - i);
        if (plain == bytes.size()) break;
        i = plain;
        AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(bytes[i])));
    }
    return out;
}

std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t plain = PlainRunEnd(text, i);
        out.append(text, i, plain - i);
        i = plain;
        if (i == text.size()) break;
        const char32_t cp = NextCodePoint(text, i);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        char byte = '?';
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            if (CodePointOfByte(static_cast<unsigned char>(b)) == cp) {
                byte = static_cast<char>(b);
                break;
            }
        }
        out += byte;
    }
    return out;
}

}  // namespace tarvel
