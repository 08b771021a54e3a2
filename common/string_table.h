// Captions and messages by language and index. A language is a block of entries at
// a base number (Czech 1000, English 2000, a further language at the next thousand);
// entry base + 0 holds the language's own name. Each program builds its own table in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

constexpr std::int32_t kCzechLanguageBase = 1000;
constexpr std::int32_t kEnglishLanguageBase = 2000;
constexpr std::int32_t kLanguageBaseStep = 1000;

struct StringEntry {
    std::int32_t number;    // language base + index
    std::string_view text;  // UTF-8
};

// Entries sorted by number, each number once.
using StringTable = std::span<const StringEntry>;

constexpr bool IsWellFormed(StringTable table) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i - 1].number >= table[i].number) return false;
    }
    return true;
}

// The text of entry base + index; the empty text when there is none. There is no
// fallback to another language: a base without entries gives empty texts everywhere.
std::string LocalizedText(StringTable table, std::int32_t base, std::int32_t index);

struct LanguageItem {
    std::string name;
    std::int32_t base = 0;

    friend bool operator==(const LanguageItem&, const LanguageItem&) = default;
};

// The languages at base 1000, 2000, …, stopping at the first base without entry 0.
std::vector<LanguageItem> ListLanguages(StringTable table);

// A table together with the language in force, as the windows use it.
class Localizer {
  public:
    explicit Localizer(StringTable table, std::int32_t languageBase = kCzechLanguageBase)
        : table_(table), languageBase_(languageBase) {}

    std::int32_t LanguageBase() const { return languageBase_; }
    void SetLanguageBase(std::int32_t base) { languageBase_ = base; }

    std::string LocalizedText(std::int32_t index) const {
        return tarvel::LocalizedText(table_, languageBase_, index);
    }
    std::vector<LanguageItem> ListLanguages() const { return tarvel::ListLanguages(table_); }

  private:
    StringTable table_;
    std::int32_t languageBase_;
};

}  // namespace tarvel
