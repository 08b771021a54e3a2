#include "number_words.h"

namespace tarvel {
namespace {

void AppendNumberWords(std::int32_t n, bool sayZero, std::vector<std::string>& words);

// A count of millions or thousands: "dva" for 2, otherwise the count itself.
void AppendMultiplier(std::int32_t count, std::vector<std::string>& words) {
    if (count == 2) {
        words.emplace_back("dva");
    } else {
        AppendNumberWords(count, false, words);
    }
}

void AppendNumberWords(std::int32_t n, bool sayZero, std::vector<std::string>& words) {
    if (n >= 1'000'000) {
        const std::int32_t millions = n / 1'000'000;
        if (millions == 1) {
            words.emplace_back("milion");
        } else {
            AppendMultiplier(millions, words);
            words.emplace_back(millions <= 4 ? "miliony" : "milionu");
        }
        n %= 1'000'000;
        if (n == 0) sayZero = false;
    }
    if (n >= 1000) {
        const std::int32_t thousands = n / 1000;
        if (thousands == 1) {
            words.emplace_back("tisic");
        } else {
            AppendMultiplier(thousands, words);
            words.emplace_back(thousands <= 4 ? "tisice" : "tisic");
        }
        n -= 1000 * thousands;
        if (n == 0) sayZero = false;
    }
    if (n >= 100) {
        const std::int32_t hundreds = n / 100;
        if (hundreds == 1) {
            words.emplace_back("sto");
        } else {
            AppendNumberWords(hundreds, false, words);
            words.emplace_back(hundreds <= 4 ? "sta" : "set");
        }
        n -= 100 * hundreds;
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
