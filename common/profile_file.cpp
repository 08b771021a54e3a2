#include "common/profile_file.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

#include "common/cp1250.h"
#include "common/file_replace.h"

namespace tarvel {

namespace fs = std::filesystem;

ProfileWriteError::ProfileWriteError(const fs::path& file)
    : std::runtime_error("Unable to write to " + file.string()), file_(file) {}

namespace {

// One line of the file as it is on disk (Windows-1250 bytes), with its own ending
// ("\r\n", "\n", or nothing for a last line without one).
struct Line {
    std::string text;
    std::string ending;
};

enum class LineKind { Blank, Comment, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

ParsedLine Parse(std::string_view text) {
    const std::string_view line = Trim(text);
    if (line.empty()) return {LineKind::Blank, {}, {}};
    if (line.front() == ';') return {LineKind::Comment, {}, {}};
    if (line.front() == '[') {
        const std::string_view inside = line.substr(1);
        return {LineKind::Section, Trim(inside.substr(0, inside.find(']'))), {}};
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return {LineKind::Other, {}, {}};
    return {LineKind::Key, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::vector<Line> SplitLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto newline = bytes.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        const bool crlf = newline > start && bytes[newline - 1] == '\r';
        const std::size_t textEnd = crlf ? newline - 1 : newline;
        lines.push_back({bytes.substr(start, textEnd - start), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
    std::string bytes;
    for (const Line& line : lines) bytes += line.text + line.ending;
    return bytes;
}

// The ending of the file's first ended line; CR LF for a file that has none yet.
std::string LineEndingOf(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (!line.ending.empty()) return line.ending;
    }
    return "\r\n";
}

// nullopt when the file is missing or cannot be read as a file.
std::optional<std::string> ReadBytes(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

// Where a key is in the file, and where it would go if it is not there.
struct KeyPosition {
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> insertAfter;  // last key or other content line of the first matching section
};

KeyPosition Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    KeyPosition position;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = Parse(lines[i].text);
        switch (parsed.kind) {
            case LineKind::Section:
                inSection = SameName(parsed.name, section);
                inFirstSection = inSection && !position.insertAfter;
                if (inFirstSection) position.insertAfter = i;
                break;
            case LineKind::Key:
                if (inSection && SameName(parsed.name, key)) {
                    position.keyLine = i;
                    return position;
                }
                if (inFirstSection) position.insertAfter = i;
                break;
            case LineKind::Other:
                if (inFirstSection) position.insertAfter = i;
                break;
            case LineKind::Blank:
            case LineKind::Comment:
                break;
        }
    }
    return position;
}

std::optional<std::string> FindValue(const fs::path& file, std::string_view section, std::string_view key) {
    const auto bytes = ReadBytes(file);
    if (!bytes) return std::nullopt;
    const std::vector<Line> lines = SplitLines(*bytes);
    const KeyPosition position = Locate(lines, Utf8ToCp1250(section), Utf8ToCp1250(key));
    if (!position.keyLine) return std::nullopt;
    std::string_view value = Parse(lines[*position.keyLine].text).value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return Cp1250ToUtf8(value);
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string WithoutLineBreaks(std::string_view value) {
    std::string result(value);
    for (char& c : result) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return result;
}

// Names are the program's own constants; one that the file could not hold back is a bug.
void RequireName(std::string_view name, std::string_view forbidden) {
    if (name.empty() || name.find_first_of(forbidden) != std::string_view::npos || Trim(name) != name) {
        throw std::invalid_argument("not a profile section or key name: " + std::string(name));
    }
}

}  // namespace

ProfileFile::ProfileFile(fs::path file) : file_(std::move(file)) {}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    auto value = FindValue(file_, section, key);
    return value ? *value : std::string(fallback);
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t fallback) const {
    const auto value = FindValue(file_, section, key);
    if (!value) return fallback;
    return ParseInteger(*value).value_or(fallback);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    RequireName(section, "[]\r\n");
    RequireName(key, "=[;\r\n");
    std::vector<Line> lines;
    std::error_code error;
    if (fs::exists(file_, error)) {
        const auto bytes = ReadBytes(file_);
        if (!bytes) throw ProfileWriteError(file_);
        lines = SplitLines(*bytes);
    }
    const std::string sectionBytes = Utf8ToCp1250(section);
    const std::string keyBytes = Utf8ToCp1250(key);
    const std::string valueBytes = Utf8ToCp1250(WithoutLineBreaks(value));
    const std::string ending = LineEndingOf(lines);
    if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = ending;

    const KeyPosition position = Locate(lines, sectionBytes, keyBytes);
    if (position.keyLine) {
        // Keep the key's own spelling and spacing; only the value changes.
        Line& line = lines[*position.keyLine];
        const auto valueStart = line.text.find_first_not_of(" \t", line.text.find('=') + 1);
        line.text = line.text.substr(0, std::min(valueStart, line.text.size())) + valueBytes;
    } else if (position.insertAfter) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*position.insertAfter) + 1,
                     Line{keyBytes + "=" + valueBytes, ending});
    } else {
        if (!lines.empty() && Parse(lines.back().text).kind != LineKind::Blank) lines.push_back({"", ending});
        lines.push_back({"[" + sectionBytes + "]", ending});
        lines.push_back({keyBytes + "=" + valueBytes, ending});
    }
    if (ReplaceFileContents(file_, JoinLines(lines))) throw ProfileWriteError(file_);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace tarvel
