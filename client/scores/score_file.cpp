#include "score_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "file_replace.h"

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
    std::string bytes(kScoreTableBytes, '\0');
    errno = 0;
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in.get());
    if (std::ferror(in.get())) {
        return {std::nullopt, Problem(ScoreFileError::Kind::Unreadable, file, Errno(std::errc::io_error))};
    }
    bytes.resize(got);
    auto table = ScoreTableFromBytes(bytes);
    if (!table) return {std::nullopt, ScoreFileError{ScoreFileError::Kind::TooShort, file, got, {}}};
    return {std::move(table), std::nullopt};
}

std::optional<ScoreFileError> WriteScoreTable(const fs::path& file, const ScoreTable& table) {
    if (const std::error_code failed = ReplaceFileContents(file, ScoreTableBytes(table))) {
        return Problem(ScoreFileError::Kind::Unwritable, file, failed);
    }
    return std::nullopt;
}

}  // namespace tarvel
