// The lines of the table view, for a text box in a fixed-pitch font: a header, one
// row per place, and for a result that reaches a place an empty line and the line
// that says which. Columns are padded with blanks to their widths in characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "session/scores/score_table.h"
#include "common/string_table.h"

namespace tarvel {

// The first four columns' widths; the last, the time, has no padding.
inline constexpr std::size_t kPlaceColumnWidth = 5;
inline constexpr std::size_t kNameColumnWidth = 30;
inline constexpr std::size_t kScoreColumnWidth = 6;
inline constexpr std::size_t kDateColumnWidth = 16;

// Blanks appended up to `width` characters (not bytes: "Jméno" is five); a text as
// wide as the column or wider gets none.
std::string PadToWidth(std::string_view text, std::size_t width);

// "Poz. Jméno ... Body  Datum           Čas", in the language of `texts`.
std::string TableHeaderLine(const Localizer& texts);
// "3.   hrac1                         12    6. 12. 2026     21:07"
std::string TableRowLine(int place, const ScoreEntry& entry);
// The header and the ten rows.
std::vector<std::string> TableLines(const ScoreTable& table, const Localizer& texts);

// "bod" for 1, "body" for 2 to 4, "bodů" for everything else, negative scores too.
std::string ScoreWord(std::int32_t score, const Localizer& texts);
// "12 bodů stačí na 3. místo v tabulce."
std::string QualificationLine(std::int32_t score, int place, const Localizer& texts);

}  // namespace tarvel
