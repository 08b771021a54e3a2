// The network keys of the client's settings file.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

struct NetSettings {
    std::string ipaddress{};      // server address; empty until the network settings supply one
    std::int32_t port = 0;        // server port; 0 until the network settings supply one
    std::string servername{};     // shown in the network settings
    bool runserver = false;       // start the server program at start-up
    bool allowvoicechat = false;  // speak the opponent's messages
    std::string table{};          // the table to meet at on the server; empty: anyone

    friend bool operator==(const NetSettings&, const NetSettings&) = default;
};

}  // namespace tarvel
