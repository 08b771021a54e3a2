#include "session/net/network_play.h"

#include <utility>

#include "session/texts/client_texts.h"
#include "session/net/server_address.h"
#include "protocol/client_messages.h"

namespace tarvel {

NetworkPlay::NetworkPlay(WindowHooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {
    noAnswerTimer_.setSingleShot(true);
    noAnswerTimer_.setInterval(kNoAnswerMs);
    connect(&noAnswerTimer_, &QTimer::timeout, this, [this] {
        if (connection_.InUse() && !connection_.Connected() && hooks_.showNoAnswer) hooks_.showNoAnswer();
    });
    connect(&connection_, &ServerConnection::Opened, this, [this] {
        noAnswerTimer_.stop();
        if (dispatch_->Returning()) {
            // Coming back: the secret is the first word, and the server answers at once.
            returnAnswerTimer_.start();
            hooks_.runInGate([this] { dispatch_->ReturnConnectionOpened(); });
            return;
        }
        // First of all, before the server speaks: a server of several tables seats this
        // client at the table of that name; a server of one pair ignores it.
        if (!table_.empty()) connection_.Write(protocol::FormatJoin(table_));
        connection_.Write(protocol::FormatCanReturn());
    });
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        if (!dispatch_->Returning()) return;
        ++connectionNumber_;
        connection_.Open(host_, port_);
    });
    returnAnswerTimer_.setSingleShot(true);
    returnAnswerTimer_.setInterval(kReturnAnswerMs);
    connect(&returnAnswerTimer_, &QTimer::timeout, this,
            [this] { hooks_.runInGate([this] { dispatch_->ReturnAttemptFailed(); }); });
    connect(&connection_, &ServerConnection::Failed, this, [this](const QString& reason) {
        noAnswerTimer_.stop();
        ++connectionNumber_;
        if (dispatch_->Returning()) {
            // Refused: no server listens there any more, so no seat is held for anyone.
            const bool serverGone = connection_.LastFailureRefused();
            hooks_.runInGate([this, serverGone] {
                if (serverGone) {
                    dispatch_->GiveUpReturn();
                } else {
                    dispatch_->ReturnAttemptFailed();
                }
            });
            return;
        }
        hooks_.closeWaiting();
        std::string text = hooks_.text(text::kCannotConnect);
        if (!reason.isEmpty()) text += "\n" + reason.toStdString();
        hooks_.showMessage(text);
    });
    connect(&connection_, &ServerConnection::Lost, this, [this] {
        const unsigned number = ++connectionNumber_;
        hooks_.runInGate([this, number] {
            // A connection opened since then is not the one that was lost.
            if (number != connectionNumber_) return;
            dispatch_->ConnectionLost();
        });
    });
    connect(&connection_, &ServerConnection::MessagesArrived, this, &NetworkPlay::HandleMessages);
    finishTimer_.setSingleShot(true);
    connect(&finishTimer_, &QTimer::timeout, this, [this] {
        hooks_.runInGate([this] {
            if (!dispatch_->Finishing()) return;
            if (dispatch_->Returning() && !startAfterFinish_) {
                finishTimer_.start(kFinishWaitMs);  // the attempts to come back have their own end
                return;
            }
            dispatch_->MatchLeft();
            CloseConnection();
        });
    });
}

void NetworkPlay::Attach(Engine& engine, std::string userName) {
    engine_ = &engine;
    dispatch_ = std::make_unique<ServerDispatch>(engine, *this, std::move(userName));
}

void NetworkPlay::StartNetworkGame(const NetSettings& settings) {
    if (dispatch_->Finishing() && !dispatch_->Returning() && connection_.Connected()) {
        startAfterFinish_ = settings;
        finishTimer_.start(kFinishBeforeNewMatchMs);
        return;
    }
    startAfterFinish_.reset();
    if (dispatch_->Finishing()) {
        // Still coming back only to repeat the last words: the new match goes first.
        dispatch_->MatchLeft();
        CloseConnection();
    }
    if (connection_.InUse()) return;  // already connecting or connected
    dispatch_->MatchRequested();
    // Settings never saved from the dialog reach the server on this computer at its own
    // default port, so a player who only ticked "start the server" can play at once.
    const std::optional<ServerEndpoint> endpoint = EndpointOrDefault(settings.ipaddress, settings.port);
    if (!endpoint) {
        hooks_.showMessage(hooks_.text(text::kCannotConnect));
        return;
    }
    ++connectionNumber_;
    table_ = settings.table;
    host_ = QString::fromStdString(endpoint->address);
    port_ = static_cast<quint16>(endpoint->port);
    connection_.Open(host_, port_);
    noAnswerTimer_.start();
    hooks_.showWaiting();
}

void NetworkPlay::AbortWaiting() {
    noAnswerTimer_.stop();
    ++connectionNumber_;
    connection_.Close();
}

void NetworkPlay::BreakOffForClosing() {
    if (engine_ != nullptr && engine_->Net().active) Send(protocol::ClientKind::TerminateGame, std::nullopt);
    StopTrying();
    finishTimer_.stop();  // nor does a match asked for meanwhile start any more
    startAfterFinish_.reset();
    ++connectionNumber_;
    connection_.Close();
}

void NetworkPlay::HandleMessages(const std::vector<std::string>& messages) {
    const unsigned number = connectionNumber_;
    hooks_.runInGate([this, messages, number] {
        for (const std::string& message : messages) {
            // A message that closed the connection ends what this read brought.
            if (number != connectionNumber_) return;
            dispatch_->Handle(message);
        }
    });
}

bool NetworkPlay::GiveUpReturn() {
    if (!Returning()) return false;
    dispatch_->GiveUpReturn();
    return true;
}

void NetworkPlay::Send(protocol::ClientKind kind, std::optional<std::string_view> value) {
    dispatch_->SendFromEngine(kind, value);
}

void NetworkPlay::LeaveNetworkPlay() {
    if (dispatch_->MatchEnded()) {
        finishTimer_.start(kFinishWaitMs);
        return;
    }
    CloseConnection();
}

void NetworkPlay::TryAgainIn(int milliseconds) {
    returnAnswerTimer_.stop();
    retryTimer_.start(milliseconds);
}

void NetworkPlay::StopTrying() {
    retryTimer_.stop();
    returnAnswerTimer_.stop();
}

void NetworkPlay::SendMessage(const std::string& message) {
    connection_.Write(message);
}

void NetworkPlay::CloseConnection() {
    noAnswerTimer_.stop();
    ++connectionNumber_;
    connection_.Close();
    if (startAfterFinish_ && !dispatch_->Finishing()) {
        // Not from inside the handling of the server's message that ended the old match.
        QTimer::singleShot(0, this, [this] {
            if (!startAfterFinish_) return;
            const NetSettings settings = *std::exchange(startAfterFinish_, std::nullopt);
            StartNetworkGame(settings);
        });
    }
}

void NetworkPlay::CloseWaitingDialog() {
    noAnswerTimer_.stop();
    hooks_.closeWaiting();
}

void NetworkPlay::ShowMessage(const std::string& text) {
    hooks_.showMessage(text);
}

void NetworkPlay::EndProgram() {
    hooks_.endProgram();
}

void NetworkPlay::MatchAgreed() {
    if (hooks_.matchAgreed) hooks_.matchAgreed();
}

void NetworkPlay::MessageFromOpponent(std::string_view text) {
    if (hooks_.messageFromOpponent) hooks_.messageFromOpponent(text);
}

std::string NetworkPlay::LocalizedText(int index) {
    return hooks_.text(index);
}

}  // namespace tarvel
