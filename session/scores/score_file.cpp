#include "session/scores/score_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "common/file_replace.h"
#include "session/scores/score_moment.h"

namespace tarvel {

namespace fs = std::filesystem;

namespace {

ScoreFileError Problem(ScoreFileError::Kind kind, const fs::path& file, std::error_code reason = {}) {
    return ScoreFileError{kind, file, 0, reason};
}

std::error_code Errno(std::errc fallback) {
    return errno != 0 ? std::error_code(errno, std::generic_category()) : std::make_error_code(fallback);
}

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

}  // namespace

std::optional<ScoreFileError> CreateScoreTableIfMissing(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() != fs::file_type::not_found) return std::nullopt;  // there, or unknown: leave it
    if (const std::error_code failed = ReplaceFileContents(file, ScoreTableBytes(StartingScoreTable()))) {
        return Problem(ScoreFileError::Kind::CannotCreate, file, failed);
    }
    return std::nullopt;
}

ScoreTableRead ReadScoreTable(const fs::path& file) {
    if (auto failed = CreateScoreTableIfMissing(file)) return {std::nullopt, std::move(failed)};

    // Only a plain file is opened: a pipe by that name would hold the game forever.
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error) return {std::nullopt, Problem(ScoreFileError::Kind::Unreadable, file, error)};
    if (status.type() != fs::file_type::regular) return {std::nullopt, Problem(ScoreFileError::Kind::NotAFile, file)};

    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.string().c_str(), "rb"));
    if (!in) return {std::nullopt, Problem(ScoreFileError::Kind::Unreadable, file, Errno(std::errc::io_error))};
    // One byte more than a table shows a file that is longer.
    std::string bytes(kScoreTableBytes + 1, '\0');
    errno = 0;
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in.get());
    if (std::ferror(in.get())) {
        return {std::nullopt, Problem(ScoreFileError::Kind::Unreadable, file, Errno(std::errc::io_error))};
    }
    bytes.resize(got);
    if (got > kScoreTableBytes) {
        std::uintmax_t size = fs::file_size(file, error);
        if (error) size = got;
        return {std::nullopt, ScoreFileError{ScoreFileError::Kind::TooLong, file, size, {}}};
    }
    auto table = ScoreTableFromBytes(bytes);
    if (!table) return {std::nullopt, ScoreFileError{ScoreFileError::Kind::TooShort, file, got, {}}};
    if (auto fault = ScoreTableFault(*table, file)) return {std::nullopt, std::move(fault)};
    return {std::move(table), std::nullopt};
}

std::optional<ScoreFileError> ScoreTableFault(const ScoreTable& table, const fs::path& file) {
    for (int place = 1; place <= kTablePlaces; ++place) {
        const ScoreEntry& entry = table[place - 1];
        // A stored moment outside the years 1 to 9999 (or not a number) was never a date.
        if (!LocalTimeFromMoment(entry.moment)) {
            return ScoreFileError{ScoreFileError::Kind::NoDate, file, 0, {}, place};
        }
        if (place > 1 && entry.score > table[place - 2].score) {
            return ScoreFileError{ScoreFileError::Kind::OutOfOrder, file, 0, {}, place};
        }
    }
    return std::nullopt;
}

std::optional<ScoreFileError> WriteScoreTable(const fs::path& file, const ScoreTable& table) {
    if (const std::error_code failed = ReplaceFileContents(file, ScoreTableBytes(table))) {
        return Problem(ScoreFileError::Kind::Unwritable, file, failed);
    }
    return std::nullopt;
}

}  // namespace tarvel
