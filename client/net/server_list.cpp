#include "client/net/server_list.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "common/cp1250.h"

namespace tarvel {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned char lowest = 0x80;
        unsigned char highest = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) lowest = 0xA0;
            if (lead == 0xED) highest = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) lowest = 0x90;
            if (lead == 0xF4) highest = 0x8F;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < (k == 1 ? lowest : 0x80) || next > (k == 1 ? highest : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

bool HasNonAscii(std::string_view bytes) {
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) return true;
    }
    return false;
}

std::string ToUtf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) return std::string(bytes.substr(kUtf8ByteOrderMark.size()));
    if (HasNonAscii(bytes) && IsUtf8(bytes)) return std::string(bytes);
    return Cp1250ToUtf8(bytes);
}

}  // namespace

ServerEntry SplitServerLine(std::string_view line) {
    const std::size_t first = line.find(';');
    if (first == std::string_view::npos) return {"", "", std::string(line)};
    ServerEntry entry;
    entry.name = line.substr(0, first);
    const std::string_view rest = line.substr(first + 1);
    const std::size_t second = rest.find(';');
    if (second == std::string_view::npos) {
        entry.port = rest;
        return entry;
    }
    entry.address = rest.substr(0, second);
    entry.port = rest.substr(second + 1);
    return entry;
}

std::vector<ServerEntry> ParseServerList(std::string_view bytes) {
    const std::string text = ToUtf8(bytes);
    std::vector<ServerEntry> entries;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        entries.push_back(SplitServerLine(line));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return entries;
}

bool ServerListExists(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

std::vector<ServerEntry> ReadServerList(const std::filesystem::path& file) {
    // A folder of that name opens but fails (and throws) at the first read.
    if (!ServerListExists(file)) return {};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return {};
    }
    if (in.bad()) return {};
    return ParseServerList(bytes);
}

ServerList::ServerList(std::vector<ServerEntry> entries) : entries_(std::move(entries)) {
    if (!entries_.empty()) current_ = entries_.back();
}

std::size_t ServerList::FirstNamed(std::string_view name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].name == name) return i;
    }
    return entries_.size();
}

const ServerEntry& ServerList::Choose(std::string_view name) {
    if (current_.name == name) return current_;
    const std::size_t found = FirstNamed(name);
    if (found < entries_.size()) {
        current_ = entries_[found];
    } else if (!entries_.empty()) {
        current_ = entries_.back();
    }
    return current_;
}

}  // namespace tarvel
