// Turns each message from the server into what it means for this client: an engine
// operation of the network game, an answer to the server, or a word to the player.
// Plain C++ without sockets or windows, so every message can be tested and fuzzed.
#pragma once

#include <string>
#include <string_view>

#include "engine.h"
#include "net_client_port.h"

namespace tarvel {

class ServerDispatch {
  public:
    // `userName` is how this installation introduces itself to the server.
    ServerDispatch(Engine& engine, NetClientPort& client, std::string userName);

    // A network match is asked for from the menu: the connection is being opened.
    void MatchRequested();
    // One message without its terminator. A message that matches nothing, or names a
    // card that does not exist, is ignored and changes nothing.
    void Handle(std::string_view message);
    // The connection ended without the match ending first.
    void ConnectionLost();

  private:
    void AnswerSettingsRequest();
    void Send(std::string_view keyword, std::optional<std::string_view> value = std::nullopt);
    bool HandleWhole(std::string_view message);
    bool HandleKeyed(std::string_view key, std::string_view value);

    Engine& engine_;
    NetClientPort& client_;
    std::string userName_;
    bool settingUp_ = false;  // from the menu until the rules are agreed: the waiting dialog's time
};

}  // namespace tarvel
