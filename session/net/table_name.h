// The name of the table a player meets a friend at on a server of several tables, as
// the network settings take it from what was typed, and as a line of the server list
// carries it after the port.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// The server takes names of at most this many characters.
inline constexpr std::size_t kMostTableNameCharacters = 32;

// The name as typed, when the server can take it: at most kMostTableNameCharacters
// characters, every one of them one that Windows-1250 (the wire's code page) holds,
// and no control character or backslash (the wire's terminator). Empty is valid: any
// table. Nothing otherwise.
std::optional<std::string> ReadTableName(std::string_view typed);

// A list line's port field with a table after a further ";" ("6060;Přátelé"): the port
// before it and the table after it; without one the whole field is the port.
struct PortAndTable {
    std::string port;
    std::string table;
};
PortAndTable SplitPortAndTable(std::string_view portField);

}  // namespace tarvel
