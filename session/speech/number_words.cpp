#include "session/speech/number_words.h"

#include <array>

namespace tarvel {
namespace {

// Millions, thousands and hundreds are said alike: one of them is its own word; a
// count of 2..4 or 5 and more is said and followed by the plural or the genitive.
struct Scale {
    std::int32_t size;
    const char* one;
    const char* twoToFour;
    const char* fiveOrMore;
    bool masculineTwo;  // "dva miliony", "dva tisice", but "2 sta"
};

constexpr std::array<Scale, 3> kScales = {{
    {1'000'000, "milion", "miliony", "milionu", true},
    {1000, "tisic", "tisice", "tisic", true},
    {100, "sto", "sta", "set", false},
}};

void AppendNumberWords(std::int32_t n, bool sayZero, std::vector<std::string>& words) {
    for (const Scale& scale : kScales) {
        if (n < scale.size) continue;
        const std::int32_t count = n / scale.size;
        if (count == 1) {
            words.emplace_back(scale.one);
        } else {
            if (count == 2 && scale.masculineTwo) {
                words.emplace_back("dva");
            } else {
                AppendNumberWords(count, false, words);
            }
            words.emplace_back(count <= 4 ? scale.twoToFour : scale.fiveOrMore);
        }
        n %= scale.size;
        if (n == 0) sayZero = false;
    }
    if (n > 20) {
        words.push_back(std::to_string(n / 10 * 10));
        const std::int32_t units = n % 10;
        if (units == 2) {
            words.emplace_back("dva");
        } else if (units != 0) {
            words.push_back(std::to_string(units));
        }
    } else if (n != 0 || sayZero) {
        words.push_back(std::to_string(n));
    }
}

}  // namespace

std::vector<std::string> NumberWords(std::int32_t n, bool sayZero) {
    std::vector<std::string> words;
    AppendNumberWords(n, sayZero, words);
    return words;
}

}  // namespace tarvel
