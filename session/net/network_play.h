// Network play in the window: opening the connection when a network game is asked for,
// handing every message the server sends to the dispatch through the engine gate, the
// engine's sends, the waiting dialog's moments and the ends of a connection.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/engine.h"
#include "session/net/net_client_port.h"
#include "session/net_settings.h"
#include "engine/network_port.h"
#include "session/net/server_connection.h"
#include "session/net/server_dispatch.h"

namespace tarvel {

class NetworkPlay final : public QObject, public NetworkPort, public NetClientPort {
    Q_OBJECT

  public:
    // What network play asks of the window.
    struct WindowHooks {
        std::function<void(std::function<void()>)> runInGate;  // every engine call goes through the gate
        std::function<void(const std::string&)> showMessage;
        std::function<std::string(int)> text;
        std::function<void()> showWaiting;
        std::function<void()> closeWaiting;
        std::function<void()> showNoAnswer;  // the server has not answered for a while
        std::function<void()> endProgram;
        std::function<void()> matchAgreed;
        std::function<void(std::string_view)> messageFromOpponent;
    };

    // How long an opening connection may stay unanswered before the player is told.
    static constexpr int kNoAnswerMs = 10000;

    NetworkPlay(WindowHooks hooks, QObject* parent = nullptr);

    // The engine is made with this object as its network port, so it comes in after.
    void Attach(Engine& engine, std::string userName);

    // The menu command for a network game: connects and waits for the opponent.
    void StartNetworkGame(const NetSettings& settings);
    // The player gave up waiting for the opponent.
    void AbortWaiting();
    // The window closes: a running network match is broken off first.
    void BreakOffForClosing();
    // Escape: the player stops waiting to come back into a match whose connection was
    // lost; the match ends as for any lost connection. False when nothing was waiting.
    bool GiveUpReturn();
    // Trying to come back into a match whose connection was lost (not the quiet return
    // after the match's end, which the player has nothing to do with).
    bool Returning() const { return dispatch_ && dispatch_->Returning() && !dispatch_->Finishing(); }
    // Connecting, or in a network match; not while a match that ended says its last words.
    bool ConnectionInUse() const { return connection_.InUse() && !(dispatch_ && dispatch_->Finishing()); }

    // The engine's network port.
    void Send(protocol::ClientKind kind, std::optional<std::string_view> value) override;
    void LeaveNetworkPlay() override;

    // What the dispatch asks of the client.
    void SendMessage(const std::string& message) override;
    void CloseConnection() override;
    void CloseWaitingDialog() override;
    void ShowMessage(const std::string& text) override;
    void EndProgram() override;
    void MatchAgreed() override;
    void MessageFromOpponent(std::string_view text) override;
    std::string LocalizedText(int index) override;
    void TryAgainIn(int milliseconds) override;
    void StopTrying() override;

    // How long a new connection may stay unanswered while coming back.
    static constexpr int kReturnAnswerMs = 5000;
    // How long a match that ended keeps its connection for the server's "matchover".
    static constexpr int kFinishWaitMs = 10000;

  private:
    void HandleMessages(const std::vector<std::string>& messages);

    WindowHooks hooks_;
    Engine* engine_ = nullptr;
    std::unique_ptr<ServerDispatch> dispatch_;
    ServerConnection connection_;
    QTimer noAnswerTimer_;
    // Counts the connections: messages queued for one that has ended are not handled.
    unsigned connectionNumber_ = 0;
    std::string table_;  // the table named to the server on connecting; empty: anyone
    QString host_;       // the server of the match, for coming back to it
    quint16 port_ = 0;
    QTimer retryTimer_;
    QTimer returnAnswerTimer_;
    QTimer finishTimer_;
    // A new match asked for while the last one's last words were on their way: it starts
    // once they have arrived, so the server has heard the old match end first.
    std::optional<NetSettings> startAfterFinish_;
    // How long a new match waits for them at most.
    static constexpr int kFinishBeforeNewMatchMs = 1500;
};

}  // namespace tarvel
