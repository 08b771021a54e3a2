#include "session/speech/plain_letters.h"

#include <array>
#include <utility>

namespace tarvel {
namespace {

// Pairs of (accented letter as UTF-8, plain replacement).
constexpr std::array<std::pair<std::string_view, char>, 45> kPlainLetters = {{
    {"á", 'a'}, {"Á", 'A'}, {"ä", 'a'}, {"Ä", 'A'}, {"č", 'c'}, {"Č", 'C'}, {"ď", 'd'}, {"Ď", 'D'},
    {"é", 'e'}, {"É", 'E'}, {"ě", 'e'}, {"Ě", 'E'}, {"í", 'i'}, {"Í", 'I'}, {"ĺ", 'l'}, {"Ĺ", 'L'},
    {"ľ", 'l'}, {"Ľ", 'L'}, {"ň", 'n'}, {"Ň", 'N'}, {"ó", 'o'}, {"Ó", 'O'}, {"ô", 'o'}, {"Ô", 'O'},
    {"ö", 'o'}, {"Ö", 'O'}, {"ŕ", 'r'}, {"Ŕ", 'R'}, {"ř", 'r'}, {"Ř", 'R'}, {"š", 's'}, {"Š", 'S'},
    {"ť", 't'}, {"Ť", 'T'}, {"ú", 'u'}, {"Ú", 'U'}, {"ů", 'u'}, {"Ů", 'U'}, {"ü", 'u'}, {"Ü", 'U'},
    {"ý", 'y'}, {"Ý", 'Y'}, {"ž", 'z'}, {"Ž", 'Z'}, {"§", ' '},
}};

}  // namespace

std::string ToPlainLetters(std::string_view utf8) {
    std::string plain;
    plain.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        bool replaced = false;
        // Every listed letter is two bytes long; plain ASCII skips the search.
        if (static_cast<unsigned char>(utf8[i]) >= 0x80) {
            const std::string_view rest = utf8.substr(i);
            for (const auto& [accented, letter] : kPlainLetters) {
                if (rest.starts_with(accented)) {
                    plain += letter;
                    i += accented.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) plain += utf8[i++];
    }
    return plain;
}

}  // namespace tarvel
