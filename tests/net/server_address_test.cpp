// The address and port as the network settings take them from the player's text.
#include "session/net/server_address.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace tarvel {
namespace {

TEST(ServerAddressOrDefault, EmptyMeansThisComputer) {
    EXPECT_EQ(ServerAddressOrDefault(""), "127.0.0.1");
    EXPECT_EQ(ServerAddressOrDefault("  \t "), "127.0.0.1");
    EXPECT_EQ(ServerAddressOrDefault("192.168.0.5"), "192.168.0.5");
    EXPECT_EQ(ServerAddressOrDefault(" server.example "), "server.example");
    EXPECT_EQ(ServerAddressOrDefault("počítač.cz"), "počítač.cz");
}

TEST(ReadServerPort, TakesADecimalNumberOfAPortThatCanBeConnectedTo) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> port;
    };
    const Case cases[] = {
        {"", 1412},  // the port tarvelsvr listens on unless told otherwise
        {"   ", 1412},
        {"6060", 6060},
        {"1412", 1412},
        {"1", 1},
        {"65535", 65535},
        {"06060", 6060},
        {" 6060 ", 6060},
        {"\t80", 80},
        {"0", std::nullopt},
        {"65536", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"-1", std::nullopt},
        {"+80", std::nullopt},
        {"60 60", std::nullopt},
        {"6060;x", std::nullopt},
        {"port", std::nullopt},
        {"0x17", std::nullopt},
        {"$17", std::nullopt},
        {"12.5", std::nullopt},
        {"١٢", std::nullopt},  // digits of another script are not decimal digits here
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadServerPort(c.text), c.port) << '"' << c.text << '"';
    }
}

TEST(ServerPortText, ShowsNoPortYetAsAnEmptyField) {
    EXPECT_EQ(ServerPortText(0), "");
    EXPECT_EQ(ServerPortText(6060), "6060");
    EXPECT_EQ(ServerPortText(70000), "70000");  // shown as it is, refused at OK
    EXPECT_EQ(ReadServerPort(ServerPortText(0)), 1412);
}

TEST(EndpointOrDefault, SettingsNeverSavedReachTheServerOnThisComputer) {
    using Endpoint = std::optional<std::pair<std::string, std::int32_t>>;
    auto endpoint = [](std::string_view address, std::int32_t port) -> Endpoint {
        const std::optional<ServerEndpoint> e = EndpointOrDefault(address, port);
        if (!e) return std::nullopt;
        return std::pair{e->address, e->port};
    };
    EXPECT_EQ(endpoint("", 0), (Endpoint{{"127.0.0.1", 1412}}));
    EXPECT_EQ(endpoint(" \t", 0), (Endpoint{{"127.0.0.1", 1412}}));
    // What the player saved is kept, an old default port too.
    EXPECT_EQ(endpoint("", 6060), (Endpoint{{"127.0.0.1", 6060}}));
    EXPECT_EQ(endpoint(" host.example ", 7000), (Endpoint{{"host.example", 7000}}));
    // A port written into the file by hand that no connection can use.
    EXPECT_EQ(endpoint("host", -1), std::nullopt);
    EXPECT_EQ(endpoint("host", 65536), std::nullopt);
}

}  // namespace
}  // namespace tarvel
