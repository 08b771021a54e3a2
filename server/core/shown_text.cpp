#include "server/core/shown_text.h"

namespace tarvel::server {
namespace {

bool ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void AppendEscaped(std::string& out, unsigned code) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(code >> 4) & 0xF];
    out += kHex[code & 0xF];
}

}  // namespace

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscapingControls(out, text);
    return out;
}

void AppendEscapingControls(std::string& out, std::string_view text) {
    // Every line of the log comes through here: runs of plain text are copied whole.
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool control = byte < 0x20 || byte == 0x7F;
        // U+0080 to U+009F: two bytes in UTF-8.
        const bool wideControl = byte == 0xC2 && i + 1 < text.size() &&
                                 static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                                 static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (!control && !wideControl) continue;
        out.append(text, plainFrom, i - plainFrom);
        if (wideControl) ++i;
        AppendEscaped(out, static_cast<unsigned char>(text[i]));
        plainFrom = i + 1;
    }
    out.append(text, plainFrom, text.size() - plainFrom);
}

std::string Shortened(std::string_view text, std::size_t characters) {
    if (characters == 0) return {};
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ContinuationByte(text[i])) continue;
        if (count == characters - 1) {
            // The character that would be the last: is there more after it?
            std::size_t next = i + 1;
            while (next < text.size() && ContinuationByte(text[next])) ++next;
            if (next == text.size()) return std::string(text);
            return std::string(text.substr(0, i)) + "\u2026";
        }
        ++count;
    }
    return std::string(text);
}

}  // namespace tarvel::server
