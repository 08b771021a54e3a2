#include "session/net/server_dispatch.h"

#include <array>
#include <optional>
#include <utility>

#include "session/texts/client_texts.h"
#include "protocol/seat_position.h"
#include "rules/card_names.h"

namespace tarvel {
namespace {

using protocol::ClientKind;
using protocol::ServerKind;

std::string Flag(bool on) {
    return on ? "1" : "0";
}

}  // namespace

ServerDispatch::ServerDispatch(Engine& engine, NetClientPort& client, std::string userName)
    : engine_(engine), client_(client), userName_(std::move(userName)) {}

void ServerDispatch::MatchRequested() {
    engine_.NetworkMatchRequested();
}

void ServerDispatch::Send(ClientKind kind, std::optional<std::string_view> value) {
    SendOwn(protocol::FormatPlayerMessage(kind, engine_.Net().playerNumber, value));
}

void ServerDispatch::SendFromEngine(ClientKind kind, std::optional<std::string_view> value) {
    // Leaving ends the match at once: nothing waits for a secret any more.
    if (kind == ClientKind::TerminateGame) ReleaseHeld();
    Send(kind, value);
}

void ServerDispatch::SendOwn(const std::string& message) {
    // Kept even while the connection is down: it goes out when the client is back.
    if (counting_) sent_.Record(message);
    if (!heldFrom_) client_.SendMessage(message);
}

void ServerDispatch::AnswerSettingsRequest() {
    const GameOptions& options = engine_.Options();
    const std::array<std::string, protocol::kRuleSettingCount> rules = {
        std::to_string(options.pickupforseven),
        Flag(options.kingofspades),
        Flag(options.returntogame),
        Flag(options.playforpoints),
        Flag(options.compulsory),
        Flag(options.shufflecards),
        std::to_string(options.numberofgames),
        std::to_string(options.dealtcards)};
    const char digit = engine_.Net().playerNumber;
    for (int setting = 0; setting < protocol::kRuleSettingCount; ++setting) {
        SendOwn(protocol::FormatRuleSetting(setting, digit, rules[static_cast<std::size_t>(setting)]));
    }
    Send(ClientKind::Gender, engine_.State().playerVoice);
    Send(ClientKind::UserName, userName_);
    Send(ClientKind::SettingsDone);
}

void ServerDispatch::Handle(std::string_view text) {
    const std::optional<protocol::ServerMessage> message = protocol::ParseServerMessage(text);
    const std::optional<ServerKind> kind = message ? std::optional(message->kind) : std::nullopt;
    if (kind == ServerKind::MatchOver) {
        if (finishing_ && !returning_) {
            MatchLeft();
            client_.CloseConnection();
        }
        return;
    }
    if (finishing_ && !returning_ &&
        (kind == ServerKind::YourNumber || kind == ServerKind::SettingsRequest || kind == ServerKind::ForcedEnd)) {
        // The server let the match that ended here go without its word, and pairs this
        // connection anew or ends what it thinks is still set up: nothing is left to say.
        MatchLeft();
        client_.CloseConnection();
        return;
    }
    // The messages of coming back, which are never counted.
    if (kind == ServerKind::ReturnKey) return HandleReturnKey(message->value);
    if (kind == ServerKind::Reconnected) return HandleReconnected(message->value);
    if (returning_ && kind != ServerKind::Busy) {
        // A server that answers the secret with anything but the return has no seat for
        // this client: the match is over.
        GiveUpReturn();
        return;
    }
    if (counting_) ++received_;
    if (message) HandleGameMessage(*message);
}

void ServerDispatch::HandleGameMessage(const protocol::ServerMessage& message) {
    const std::string_view value = message.value;
    auto withCard = [&](auto operation) {
        if (const rules::CardId card = rules::IdOfName(value); card != rules::kNoCard) (engine_.*operation)(card);
    };
    switch (message.kind) {
        case ServerKind::SettingsRequest:
            AnswerSettingsRequest();
            break;
        case ServerKind::SameName:
            client_.ShowMessage(client_.LocalizedText(text::kSameUserName));
            client_.EndProgram();
            break;
        case ServerKind::SettingsAgreed:
            if (engine_.State().running) break;  // agreement only comes between games
            client_.MatchAgreed();
            engine_.NetworkSettingsAgreed();
            break;
        case ServerKind::StartCardsDone:
            engine_.NetworkStartCardsDone();
            break;
        case ServerKind::NothingToDraw:
            engine_.NetworkNothingToDraw();
            break;
        case ServerKind::OpponentDraws:
            engine_.NetworkOpponentDraws();
            break;
        case ServerKind::OpponentTakesCard:
            engine_.NetworkOpponentTakesCard();
            break;
        case ServerKind::DrawDone:
            engine_.NetworkDrawEnded();
            break;
        case ServerKind::OpponentOut:
            engine_.NetworkOpponentOut();
            break;
        case ServerKind::OpponentStands:
            engine_.NetworkOpponentStands();
            break;
        case ServerKind::AceCannotReturn:
            engine_.NetworkAceCannotReturn();
            break;
        case ServerKind::OpponentGivesUp:
            engine_.NetworkOpponentGivesUp();
            break;
        case ServerKind::OpponentBack:
            engine_.NetworkOpponentBack();
            break;
        case ServerKind::ForcedEnd:
            // After the opponent's lost connection: the server's wait for him ran out. The
            // server forgot the match: it has no "matchover" to wait for.
            MatchLeft();
            engine_.NetworkOpponentNotBack();
            if (engine_.Net().active) {
                engine_.NetworkMatchBrokenOff();
            } else {
                // The opponent left while the game was being agreed.
                client_.CloseConnection();
                client_.ShowMessage(client_.LocalizedText(text::kOpponentLeftBeforeStart));
            }
            break;
        case ServerKind::TurningPile:
            engine_.NetworkTurningPile();
            break;
        case ServerKind::Busy:
            if (returning_) {
                // The seat is no longer held: the match is over.
                GiveUpReturn();
                break;
            }
            // Nobody is coming to this server now: the wait ends with the message.
            client_.CloseConnection();
            client_.CloseWaitingDialog();
            client_.ShowMessage(client_.LocalizedText(text::kServerBusy));
            break;
        case ServerKind::YourNumber:
            if (value != "0" && value != "1") break;
            engine_.Net().playerNumber = value[0];
            if (engine_.State().lastStarter == kStarterUnknown && !engine_.Net().active)
                client_.CloseWaitingDialog();
            break;
        case ServerKind::DifferentSettings:
            client_.CloseConnection();
            client_.ShowMessage(std::string(value) + "\n" +
                                client_.LocalizedText(text::kDifferentRulesRequest));
            break;
        case ServerKind::FirstPlayer:
            engine_.NetworkFirstPlayer(value);
            break;
        case ServerKind::YourStartCard:
            withCard(&Engine::NetworkStartCard);
            break;
        case ServerKind::PileStartCard:
            withCard(&Engine::NetworkPileStartCard);
            break;
        case ServerKind::PileStartSuit:
            engine_.NetworkPileStartSuit(value);
            break;
        case ServerKind::OpponentGender:
            engine_.NetworkOpponentGender(value);
            break;
        case ServerKind::OpponentCard:
            withCard(&Engine::NetworkOpponentCard);
            break;
        case ServerKind::OpponentSuit:
            engine_.NetworkOpponentSuit(value);
            break;
        case ServerKind::YourCard:
            withCard(&Engine::NetworkCardDrawn);
            break;
        case ServerKind::OpponentPoints:
            if (const auto points = protocol::ParseNumber(value)) engine_.NetworkOpponentPoints(*points);
            break;
        case ServerKind::Said:
            client_.MessageFromOpponent(value);
            break;
        case ServerKind::OpponentLost:
            engine_.NetworkOpponentAway();
            break;
        case ServerKind::Position:
            if (const auto position = protocol::DecodeSeatPosition(value)) {
                // Taken up only when the server had every message of this client's: otherwise
                // moves of its own are still on their way and the table already shows them.
                const bool current = serverHad_ && *serverHad_ == sent_.Count();
                engine_.NetworkPositionFromServer(*position, current);
            }
            serverHad_.reset();
            break;
        case ServerKind::MatchOver:
        case ServerKind::ReturnKey:
        case ServerKind::Reconnected:
            break;  // taken before the count
    }
}

void ServerDispatch::HandleReturnKey(std::string_view value) {
    const protocol::ReturnKey key = protocol::ParseReturnKey(value);
    if (key.secret.empty() || !engine_.Net().active) {
        ReleaseHeld();
        return;
    }
    const std::vector<std::string> held = heldFrom_ ? sent_.Since(*std::exchange(heldFrom_, std::nullopt))
                                                    : std::vector<std::string>{};
    secret_ = std::string(key.secret);
    returnWaitSeconds_ = key.waitSeconds;
    // Both sides count from here: what the server sends after the secret, and what
    // this client sends after its confirmation.
    Send(ClientKind::ReturnReady);
    counting_ = true;
    received_ = 0;
    sent_.Clear();
    for (const std::string& message : held) SendOwn(message);
}

void ServerDispatch::ReleaseHeld() {
    if (!heldFrom_) return;
    for (const std::string& message : sent_.Since(*std::exchange(heldFrom_, std::nullopt))) {
        client_.SendMessage(message);
    }
}

void ServerDispatch::HandleReconnected(std::string_view value) {
    const auto had = protocol::ParseNumber(value);
    if (!returning_ || !had || *had < 0) return;
    returning_ = false;
    serverHad_ = static_cast<std::uint64_t>(*had);
    // What never reached the server goes again, in its order, before anything new, once
    // the fresh secret is confirmed.
    heldFrom_ = serverHad_;
    client_.StopTrying();
    engine_.NetworkConnectionBack();
}

void ServerDispatch::ScheduleAttempt() {
    if (pausedMs_ >= returnWaitSeconds_ * 1000 + kReturnMarginMs) {
        GiveUpReturn();
        return;
    }
    client_.TryAgainIn(nextPauseMs_);
    pausedMs_ += nextPauseMs_;
    nextPauseMs_ = std::min(nextPauseMs_ * 2, kLongestPauseMs);
}

void ServerDispatch::ReturnConnectionOpened() {
    if (!returning_) return;
    client_.SendMessage(protocol::FormatReconnect(secret_, received_));
}

void ServerDispatch::ReturnAttemptFailed() {
    if (!returning_) return;
    client_.CloseConnection();
    ScheduleAttempt();
}

void ServerDispatch::GiveUpReturn() {
    if (!returning_) return;
    // After the match's end the seat is closed once the server has the last words: a
    // refusal then means nothing was lost, and the player hears nothing of it.
    const bool quiet = finishing_;
    MatchLeft();
    client_.CloseConnection();
    if (quiet) return;
    if (engine_.Net().active) engine_.NetworkMatchBrokenOff();
    client_.ShowMessage(client_.LocalizedText(text::kConnectionLost));
}

void ServerDispatch::MatchLeft() {
    if (returning_) client_.StopTrying();
    returning_ = false;
    finishing_ = false;
    secret_.clear();
    counting_ = false;
    received_ = 0;
    sent_.Clear();
    serverHad_.reset();
    heldFrom_.reset();
}

bool ServerDispatch::MatchEnded() {
    if (!counting_ || secret_.empty()) {
        MatchLeft();
        return false;
    }
    finishing_ = true;
    return true;
}

void ServerDispatch::ConnectionLost() {
    if (returning_) {
        // The new connection went too before the server took this client back.
        ReturnAttemptFailed();
        return;
    }
    if (!secret_.empty() && (engine_.Net().active || finishing_)) {
        returning_ = true;
        nextPauseMs_ = kFirstPauseMs;
        pausedMs_ = 0;
        client_.CloseConnection();
        engine_.NetworkConnectionLost();
        ScheduleAttempt();
        return;
    }
    client_.CloseConnection();
    if (engine_.Net().active) engine_.NetworkMatchBrokenOff();
    client_.CloseWaitingDialog();
    client_.ShowMessage(client_.LocalizedText(text::kConnectionLost));
}

}  // namespace tarvel
