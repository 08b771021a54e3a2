// Where a network game connects to, as the network settings dialog takes it from the
// player's text: the address and the port, with their defaults for empty fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr const char* kDefaultServerAddress = "127.0.0.1";
// The port tarvelsvr listens on unless its own settings name another: a client left
// with its defaults finds a server left with its own.
inline constexpr std::int32_t kDefaultServerPort = 1412;
// A TCP connection needs a port in this range; 0 only asks the system for any port.
inline constexpr std::int32_t kLowestServerPort = 1;
inline constexpr std::int32_t kHighestServerPort = 65535;

// The address typed, without blanks around it; the default when nothing is left.
std::string ServerAddressOrDefault(std::string_view text);

// The port typed as a decimal number (digits only, blanks around them allowed); the
// default when the text is empty or blank. Nothing when it is not a number or lies
// outside kLowestServerPort … kHighestServerPort: such a port cannot be connected to.
std::optional<std::int32_t> ReadServerPort(std::string_view text);

// Where a network game connects to with the settings as saved: an empty address is this
// computer and a port of 0 (none saved yet) the default port, as the settings dialog
// would have made them. Nothing when the saved port cannot be connected to.
struct ServerEndpoint {
    std::string address;
    std::int32_t port = 0;
};
std::optional<ServerEndpoint> EndpointOrDefault(std::string_view address, std::int32_t port);

// The port as the settings field shows it: decimal, or empty for 0, the value of a
// settings file that names no port yet (so OK then gives the default).
std::string ServerPortText(std::int32_t port);

}  // namespace tarvel
