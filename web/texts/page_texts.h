// The texts of the page, by the names the page's code uses. Most are the desktop's own
// captions, taken from the client's string table so both front ends say the same; the
// few only the page needs are in the web string table beside it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/string_table.h"

namespace tarvel::web {

enum class TextSource { Client, Web };

struct PageText {
    std::string_view key;
    TextSource source;
    int index;  // in its table, without the language base
};

std::span<const PageText> PageTexts();

// Czech at base 1000, English at base 2000, as the client's table.
StringTable WebStrings();

// The text in the language at `base`, without the desktop's '&' accelerator marks.
std::string PageTextIn(const PageText& text, std::int32_t base);

// The page's side: `export const TEXTS = { cs: {...}, en: {...} }` and the key type.
std::string TextsTypeScript();

}  // namespace tarvel::web
