#include "session/net/server_address.h"

namespace tarvel {

namespace {

// Blanks as a hand-written list or a pasted address brings them: space and tab.
std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string ServerAddressOrDefault(std::string_view text) {
    const std::string_view address = Trimmed(text);
    return address.empty() ? std::string(kDefaultServerAddress) : std::string(address);
}

std::optional<std::int32_t> ReadServerPort(std::string_view text) {
    const std::string_view digits = Trimmed(text);
    if (digits.empty()) return kDefaultServerPort;
    std::int32_t port = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9') return std::nullopt;
        port = port * 10 + (digit - '0');
        if (port > kHighestServerPort) return std::nullopt;  // also keeps the sum from overflowing
    }
    if (port < kLowestServerPort) return std::nullopt;
    return port;
}

std::optional<ServerEndpoint> EndpointOrDefault(std::string_view address, std::int32_t port) {
    if (port == 0) port = kDefaultServerPort;
    if (port < kLowestServerPort || port > kHighestServerPort) return std::nullopt;
    return ServerEndpoint{ServerAddressOrDefault(address), port};
}

std::string ServerPortText(std::int32_t port) {
    return port == 0 ? std::string() : std::to_string(port);
}

}  // namespace tarvel
