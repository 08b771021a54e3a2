// The engine's way to the server in a network game. The client's network layer
// implements it; tests fake it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace tarvel {

class NetworkPort {
  public:
    virtual ~NetworkPort() = default;

    // Sends one message: the keyword with the player's digit glued to it, then "=" and
    // the value when there is one.
    virtual void Send(std::string_view keyword, std::optional<std::string_view> value = std::nullopt) = 0;

    // Keeps handling window and socket events until `done` holds. Returns false when
    // the wait had to be abandoned because the network game ended (the connection was
    // lost or the opponent left); the engine then gives up the step it was in.
    virtual bool ProcessEventsUntil(const std::function<bool()>& done) = 0;

    // The match is over: leave network play, close the connection and restore the
    // network menu items.
    virtual void LeaveNetworkPlay() = 0;
};

// A network port for local play: nothing is ever sent or awaited.
class NoNetwork final : public NetworkPort {
  public:
    void Send(std::string_view, std::optional<std::string_view>) override {}
    bool ProcessEventsUntil(const std::function<bool()>& done) override { return done(); }
    void LeaveNetworkPlay() override {}
};

}  // namespace tarvel
