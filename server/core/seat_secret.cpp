#include "server/core/seat_secret.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <random>

namespace tarvel::server {

std::string NewSeatSecret() {
    std::array<unsigned char, 16> bytes{};
    std::ifstream source("/dev/urandom", std::ios::binary);
    if (!source.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        // Without the device: the library's non-deterministic source.
        std::random_device device;
        for (auto& byte : bytes) byte = static_cast<unsigned char>(device() & 0xFFu);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string secret;
    secret.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        secret.push_back(kHex[byte >> 4]);
        secret.push_back(kHex[byte & 0x0Fu]);
    }
    return secret;
}

bool SecretsEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    unsigned difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned>(static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i]));
    }
    return difference == 0;
}

}  // namespace tarvel::server
