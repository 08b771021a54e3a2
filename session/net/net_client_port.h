// What the handling of the server's messages asks of the client around the engine: the
// connection, the waiting dialog, message boxes and the chat. The window implements it;
// tests fake it.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

class NetClientPort {
  public:
    virtual ~NetClientPort() = default;

    // One whole message for the server, its player digit already in place.
    virtual void SendMessage(const std::string& message) = 0;
    virtual void CloseConnection() = 0;
    // The second player has connected: the waiting dialog closes, the connection stays.
    virtual void CloseWaitingDialog() = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Two clients of one name: the program ends once the player has read why.
    virtual void EndProgram() = 0;
    // Both players agreed on the rules: the chat is open and its voice is ready.
    virtual void MatchAgreed() = 0;
    virtual void MessageFromOpponent(std::string_view text) = 0;
    virtual std::string LocalizedText(int index) = 0;

    // Coming back after a lost connection: open a new connection to the same server in
    // `milliseconds` (the dispatch then hears ReturnConnectionOpened or
    // ReturnAttemptFailed), and stop trying. A client that never comes back needs neither.
    virtual void TryAgainIn(int /*milliseconds*/) {}
    virtual void StopTrying() {}
};

}  // namespace tarvel
