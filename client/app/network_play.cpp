#include "network_play.h"

#include "client_texts.h"
#include "wire.h"

namespace tarvel {

NetworkPlay::NetworkPlay(WindowHooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {
    noAnswerTimer_.setSingleShot(true);
    noAnswerTimer_.setInterval(kNoAnswerMs);
    connect(&noAnswerTimer_, &QTimer::timeout, this, [this] {
        if (connection_.InUse() && !connection_.Connected() && hooks_.showNoAnswer) hooks_.showNoAnswer();
    });
    connect(&connection_, &ServerConnection::Opened, this, [this] {
        noAnswerTimer_.stop();
        // First of all, before the server speaks: a server of several tables seats this
        // client at the table of that name; a server of one pair ignores it.
        if (!table_.empty()) connection_.Write(MakeMessage("join", table_));
    });
    connect(&connection_, &ServerConnection::Failed, this, [this](const QString& reason) {
        noAnswerTimer_.stop();
        ++connectionNumber_;
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
}

void NetworkPlay::Attach(Engine& engine, std::string userName) {
    engine_ = &engine;
    dispatch_ = std::make_unique<ServerDispatch>(engine, *this, std::move(userName));
}

void NetworkPlay::StartNetworkGame(const NetSettings& settings) {
    if (connection_.InUse()) return;  // already connecting or connected
    dispatch_->MatchRequested();
    if (settings.ipaddress.empty() || settings.port <= 0 || settings.port > 65535) {
        hooks_.showMessage(hooks_.text(text::kCannotConnect));
        return;
    }
    ++connectionNumber_;
    table_ = settings.table;
    connection_.Open(QString::fromStdString(settings.ipaddress), static_cast<quint16>(settings.port));
    noAnswerTimer_.start();
    hooks_.showWaiting();
}

void NetworkPlay::AbortWaiting() {
    noAnswerTimer_.stop();
    ++connectionNumber_;
    connection_.Close();
}

void NetworkPlay::BreakOffForClosing() {
    if (engine_ != nullptr && engine_->Net().active) Send("terminategame", std::nullopt);
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

void NetworkPlay::Send(std::string_view keyword, std::optional<std::string_view> value) {
    const char digit = engine_ != nullptr ? engine_->Net().playerNumber : '0';
    connection_.Write(MakePlayerMessage(keyword, std::string_view(&digit, 1), value));
}

void NetworkPlay::LeaveNetworkPlay() {
    CloseConnection();
}

void NetworkPlay::SendMessage(const std::string& message) {
    connection_.Write(message);
}

void NetworkPlay::CloseConnection() {
    noAnswerTimer_.stop();
    ++connectionNumber_;
    connection_.Close();
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
