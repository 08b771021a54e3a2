#include "session/net/table_name.h"

#include <algorithm>

#include "common/cp1250.h"

namespace tarvel {

std::optional<std::string> ReadTableName(std::string_view typed) {
    const std::size_t characters = static_cast<std::size_t>(std::count_if(
        typed.begin(), typed.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    if (characters > kMostTableNameCharacters) return std::nullopt;
    const bool plain = std::none_of(typed.begin(), typed.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == '\\';
    });
    if (!plain) return std::nullopt;
    // A character the code page lacks would reach the server as '?', another table's name.
    if (Cp1250ToUtf8(Utf8ToCp1250(typed)) != typed) return std::nullopt;
    return std::string(typed);
}

PortAndTable SplitPortAndTable(std::string_view portField) {
    const std::size_t separator = portField.find(';');
    if (separator == std::string_view::npos) return {std::string(portField), {}};
    return {std::string(portField.substr(0, separator)), std::string(portField.substr(separator + 1))};
}

}  // namespace tarvel
