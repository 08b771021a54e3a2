// Initialisation ("profile") files: sections in brackets, one key=value line per key.
// Every operation reads or writes one key and opens the file afresh, so several
// programs and hand edits can share a file. Lines and keys an operation does not
// write stay exactly as they were, byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvel {

// A key could not be stored. The message is the one the user sees:
// "Unable to write to <path>".
class ProfileWriteError : public std::runtime_error {
  public:
    explicit ProfileWriteError(const std::filesystem::path& file);
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
};

// Text is UTF-8 in this interface and Windows-1250 on disk. Section and key names
// match without regard to the case of ASCII letters. Lines may end in CR LF or LF;
// lines that are written take the ending the file already uses (CR LF in a new file).
class ProfileFile {
  public:
    explicit ProfileFile(std::filesystem::path file);

    const std::filesystem::path& path() const { return file_; }

    // The value with surrounding blanks removed, and one pair of matching quotes
    // around it removed. A missing file, section or key gives the fallback; a key
    // that is present with nothing after '=' gives the empty text.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;

    // A decimal 32-bit integer with an optional sign; anything else gives the fallback.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;

    // True for any integer other than 0; a missing key or a non-number gives the fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Sets the first line of the key, or adds one at the end of the section, or adds
    // the section at the end of the file. The file is replaced atomically: it holds
    // either the old or the new contents, never a mix. Line breaks in the value
    // become blanks, since a line break would end the line and start a foreign one.
    // Throws ProfileWriteError when the file cannot be written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

  private:
    std::filesystem::path file_;
};

}  // namespace tarvel
