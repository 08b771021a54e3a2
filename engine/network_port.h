// The engine's way to the server in a network game. The client's network layer
// implements it; tests fake it. What the server sends comes back to the engine through
// its Network… operations, which also take up a step that was waiting for it.
#pragma once

#include <optional>
#include <string_view>

#include "protocol/client_messages.h"

namespace tarvel {

class NetworkPort {
  public:
    virtual ~NetworkPort() = default;

    // Sends one of the player's numbered messages, with the value when it has one.
    virtual void Send(protocol::ClientKind kind, std::optional<std::string_view> value = std::nullopt) = 0;

    // The match is over: leave network play, close the connection and restore the
    // network menu items.
    virtual void LeaveNetworkPlay() = 0;
};

// A network port for local play: nothing is ever sent or awaited.
class NoNetwork final : public NetworkPort {
  public:
    void Send(protocol::ClientKind, std::optional<std::string_view>) override {}
    void LeaveNetworkPlay() override {}
};

}  // namespace tarvel
