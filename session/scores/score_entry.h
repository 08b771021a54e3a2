// One result of the table of best results, held exactly as its 32 bytes lie in the
// file, so that a table read and written again keeps every byte it does not change:
//   0..19   the name, each Windows-1250 byte c stored as (c + 249) mod 256, then zero
//           bytes up to 20; a name of 20 characters has no terminating zero
//   20..23  the score, signed 32-bit little-endian: the opponent's penalty points
//           minus the player's when the result was made
//   24..31  the moment, an IEEE-754 double little-endian: local days since
//           30 December 1899 00:00 (whole part the day, fraction the time of day)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::size_t kScoreEntrySize = 32;
inline constexpr std::size_t kTableNameSize = 20;

// The name field as stored: transformed bytes, zero padded.
using StoredTableName = std::array<std::uint8_t, kTableNameSize>;

struct ScoreEntry {
    StoredTableName name{};
    std::int32_t score = 0;
    double moment = 0.0;

    friend bool operator==(const ScoreEntry&, const ScoreEntry&) = default;
};

// Windows-1250 bytes to the stored field; bytes beyond the 20th are dropped.
StoredTableName EncodeTableName(std::string_view bytes);
// The stored field back to Windows-1250 bytes, up to the first zero byte or 20 bytes.
std::string DecodeTableName(const StoredTableName& stored);

// The name the player typed (UTF-8) as it is stored: characters the code page lacks
// become '?', and control characters become blanks, since a line break would split
// the table's row and a bell character would be stored as the zero that ends the name.
StoredTableName TableNameFromText(std::string_view text);
// The stored name as UTF-8, for the view; control characters that a foreign or
// damaged file may hold are shown as blanks.
std::string TableNameText(const StoredTableName& stored);

// The entry's 32 bytes, and back; `bytes` must hold at least 32, of which the first 32 count.
std::string ScoreEntryBytes(const ScoreEntry& entry);
ScoreEntry ScoreEntryFromBytes(std::string_view bytes);

}  // namespace tarvel
