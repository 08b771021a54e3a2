// The file of the table of best results, "tarvel.tab" in the game folder: ten
// entries of 32 bytes, nothing else. Writing replaces the whole file at once, so it
// always holds either the old table or the new one. A missing file is created with the
// starting table; a damaged one (not 320 bytes, or bytes that cannot be a table of
// results) is reported and left as it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "session/scores/score_table.h"

namespace tarvel {

// By this bare name, in the current folder, which is the game folder.
inline constexpr std::string_view kScoreFileName = "tarvel.tab";

// Why the table could not be read or written. The window shows ScoreFileMessage.
struct ScoreFileError {
    enum class Kind {
        CannotCreate,  // missing, and the starting table could not be written
        NotAFile,      // a folder or a device by that name
        Unreadable,
        TooShort,      // fewer than ten entries
        Unwritable,
        TooLong,       // more bytes than ten entries
        OutOfOrder,    // a score higher than the one of the place above it
        NoDate,        // a moment that is no date
    };
    Kind kind = Kind::Unreadable;
    std::filesystem::path file;
    std::uintmax_t size = 0;  // TooShort, TooLong: the bytes the file holds
    std::error_code reason;   // what the system said, where it said something
    int place = 0;            // OutOfOrder, NoDate: the first place 1..10 that cannot be
};

// The table as read, or why there is none.
struct ScoreTableRead {
    std::optional<ScoreTable> table;
    std::optional<ScoreFileError> error;  // set exactly when `table` is not
};

// Reads the ten entries. A missing file is first created with the starting table,
// which is then what is read.
[[nodiscard]] ScoreTableRead ReadScoreTable(const std::filesystem::path& file);

// Replaces the file by exactly these ten entries. On failure the file is unchanged.
[[nodiscard]] std::optional<ScoreFileError> WriteScoreTable(const std::filesystem::path& file,
                                                            const ScoreTable& table);

// Writes the starting table when there is no file by that name; an existing file,
// whatever it holds, is never touched. For the set-up of a game folder and for the
// first use of the table.
// What makes ten entries read from a file no table of results: none for a table the
// game could have written (scores from the highest down, every moment a date).
[[nodiscard]] std::optional<ScoreFileError> ScoreTableFault(const ScoreTable& table,
                                                           const std::filesystem::path& file);

[[nodiscard]] std::optional<ScoreFileError> CreateScoreTableIfMissing(const std::filesystem::path& file);

}  // namespace tarvel
