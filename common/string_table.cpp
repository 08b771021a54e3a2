#include "common/string_table.h"

#include <algorithm>
#include <limits>

namespace tarvel {

namespace {

const StringEntry* Find(StringTable table, std::int64_t number) {
    const auto found = std::lower_bound(table.begin(), table.end(), number,
                                        [](const StringEntry& e, std::int64_t n) { return e.number < n; });
    return (found != table.end() && found->number == number) ? &*found : nullptr;
}

}  // namespace

std::string LocalizedText(StringTable table, std::int32_t base, std::int32_t index) {
    // The base comes from the settings file; added in 64 bits it cannot overflow.
    const StringEntry* entry = Find(table, std::int64_t{base} + index);
    return entry ? std::string(entry->text) : std::string();
}

std::vector<LanguageItem> ListLanguages(StringTable table) {
    std::vector<LanguageItem> languages;
    for (std::int64_t base = kLanguageBaseStep; base <= std::numeric_limits<std::int32_t>::max();
         base += kLanguageBaseStep) {
        const StringEntry* name = Find(table, base);
        if (!name) break;
        languages.push_back({std::string(name->text), static_cast<std::int32_t>(base)});
    }
    return languages;
}

}  // namespace tarvel
