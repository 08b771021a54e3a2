// Turns each message from the server into what it means for this client: an engine
// operation of the network game, an answer to the server, or a word to the player.
// Plain C++ without sockets or windows, so every message can be tested and fuzzed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "session/net/net_client_port.h"
#include "common/resend_log.h"
#include "protocol/client_messages.h"
#include "protocol/server_messages.h"

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
    // The connection ended without the match ending first. When the server gave this
    // client a secret, the match goes on and the client tries to come back.
    void ConnectionLost();

    // Every message of this client's own goes out through here (the engine's moves and
    // the answers to the server): while it may come back, each is kept and counted.
    void SendOwn(const std::string& message);
    void SendFromEngine(protocol::ClientKind kind, std::optional<std::string_view> value);

    // Coming back. True from a lost connection until the server has taken this client back
    // or it gave up.
    bool Returning() const { return returning_; }
    // The new connection is open: the client shows its secret.
    void ReturnConnectionOpened();
    // The new connection could not be opened, was lost or got no answer: a longer pause.
    void ReturnAttemptFailed();
    // The player gives up coming back (Escape): the match ends as for a lost connection.
    void GiveUpReturn();
    // The match is over: nothing is kept for coming back to it.
    void MatchLeft();
    // The match ended here. True when the connection stays open until the server says it
    // has this client's last words ("matchover"); a lost connection meanwhile is come back
    // over quietly to say them again. False: nothing is kept, the connection closes now.
    bool MatchEnded();
    // Between MatchEnded and the server's answer (or giving up).
    bool Finishing() const { return finishing_; }

    // The pauses between attempts: from the first, doubled up to the longest.
    static constexpr int kFirstPauseMs = 500;
    static constexpr int kLongestPauseMs = 8000;
    // Attempts go on a little past the time the server holds the seat: its wait starts
    // only when it notices the loss.
    static constexpr int kReturnMarginMs = 5000;

  private:
    void AnswerSettingsRequest();
    void Send(protocol::ClientKind kind, std::optional<std::string_view> value = std::nullopt);
    void HandleReturnKey(std::string_view value);
    void HandleReconnected(std::string_view value);
    void HandleGameMessage(const protocol::ServerMessage& message);
    void ScheduleAttempt();
    // Writes what was held back since the return, when no fresh secret is taken to count
    // it from.
    void ReleaseHeld();

    Engine& engine_;
    NetClientPort& client_;
    std::string userName_;

    // What coming back needs: the secret, the server's wait, the count of messages from
    // the server since the secret, and this client's own messages since it confirmed it.
    std::string secret_;
    int returnWaitSeconds_ = 0;
    bool counting_ = false;
    std::uint64_t received_ = 0;
    ResendLog sent_;
    bool returning_ = false;
    bool finishing_ = false;
    int nextPauseMs_ = kFirstPauseMs;
    int pausedMs_ = 0;
    // From "reconnected=": how many of this client's messages the server had.
    std::optional<std::uint64_t> serverHad_;
    // Back on a new connection, this client's messages from this one on are held back until
    // the fresh secret has come and been confirmed: sent before the confirmation and lost
    // with it, they would be counted by neither secret.
    std::optional<std::uint64_t> heldFrom_;
};

}  // namespace tarvel
