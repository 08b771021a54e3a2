// Recordings are named after their phrase with the Czech and Slovak accented letters
// made plain, so that a set of files with plain names serves every phrase.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Replaces each accented letter of the Windows-1250 list (á ä č ď é ě í ĺ ľ ň ó ô ö
// ŕ ř š ť ú ů ü ý ž and their capitals) by its plain letter and "§" by a blank. Every
// other character, and any byte that is not valid UTF-8, stays as it is.
std::string ToPlainLetters(std::string_view utf8);

}  // namespace tarvel
