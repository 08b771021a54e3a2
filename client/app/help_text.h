// The part of the help text in the player's language. The file holds the Czech
// instructions first and the English ones from the line "ENGLISH" on.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::string_view kEnglishHelpHeading = "ENGLISH";

// The Czech part (everything before the heading line) or the English part (from the
// heading line on). A text without the heading is shown whole in either language.
std::string HelpTextInLanguage(std::string_view text, bool english);

}  // namespace tarvel
