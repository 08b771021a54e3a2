// Text a client sent, made safe to show: in the log (the window, standard output, the
// journal) and in the window's list of tables, which a screen reader reads aloud.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel::server {

// Control characters (C0, DEL and C1, where the undefined Windows-1250 bytes land) become
// visible "\xHH", so nothing a client sends can move a terminal's cursor, ring its bell
// or break a line of the log in two. The text is UTF-8; everything else stays as it is.
std::string EscapeControls(std::string_view text);
// The same, added at the end of `out`.
void AppendEscapingControls(std::string& out, std::string_view text);

// At most `characters` whole UTF-8 characters, the last of them "…" when it was longer.
std::string Shortened(std::string_view text, std::size_t characters);

// How much of a client's own text a line of the log or of the window shows.
inline constexpr std::size_t kShownNameChars = 32;
inline constexpr std::size_t kShownGenderChars = 8;
inline constexpr std::size_t kShownMessageChars = 100;

}  // namespace tarvel::server
