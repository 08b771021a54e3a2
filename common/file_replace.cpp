#include "common/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <sstream>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarvel {

namespace fs = std::filesystem;

namespace {

std::error_code LastError(std::errc fallback) {
    return errno != 0 ? std::error_code(errno, std::generic_category()) : std::make_error_code(fallback);
}

// Whether the bytes reached the disk; a full or failing disk may only say so here.
bool SyncToDisk([[maybe_unused]] std::FILE* stream) {
#if defined(__unix__) || defined(__APPLE__)
    return ::fsync(::fileno(stream)) == 0;
#else
    return true;
#endif
}

void SyncFolder([[maybe_unused]] const fs::path& folder) {
#if defined(__unix__) || defined(__APPLE__)
    const fs::path which = folder.empty() ? fs::path(".") : folder;
    const int descriptor = ::open(which.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
#endif
}

fs::path TemporaryNameBeside(const fs::path& target) {
    std::random_device random;
    std::ostringstream name;
    name << '.' << target.filename().string() << '.' << std::hex << random() << random() << ".tmp";
    return target.parent_path() / name.str();
}

}  // namespace

std::error_code ReplaceFileContents(const fs::path& file, std::string_view bytes) {
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(file, error)) {
        target = fs::weakly_canonical(file, error);
        if (error) return error;
    }
    const bool existed = fs::exists(target, error);
    if (existed) {
        // A file marked read-only stays as it is, for every user, even one the
        // permissions would let through: renaming over it would otherwise succeed.
        constexpr auto kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((fs::status(target, error).permissions() & kAnyWrite) == fs::perms::none) {
            return std::make_error_code(std::errc::permission_denied);
        }
        errno = 0;
        std::FILE* probe = std::fopen(target.string().c_str(), "r+b");
        if (!probe) return LastError(std::errc::permission_denied);
        std::fclose(probe);
    }

    const fs::path temporary = TemporaryNameBeside(target);
    errno = 0;
    std::FILE* out = std::fopen(temporary.string().c_str(), "wbx");
    if (!out) return LastError(std::errc::io_error);
    errno = 0;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    written = std::fflush(out) == 0 && written;
    written = written && SyncToDisk(out);
    std::error_code writeError = written ? std::error_code() : LastError(std::errc::io_error);
    if (std::fclose(out) != 0 && written) {
        written = false;
        writeError = LastError(std::errc::io_error);
    }
    if (written && existed) {
        fs::permissions(temporary, fs::status(target, error).permissions(), error);
        error.clear();
    }
    if (written) {
        fs::rename(temporary, target, error);
        if (error) {
            written = false;
            writeError = error;
        }
    }
    if (!written) {
        fs::remove(temporary, error);
        return writeError;
    }
    SyncFolder(target.parent_path());
    return {};
}

}  // namespace tarvel
