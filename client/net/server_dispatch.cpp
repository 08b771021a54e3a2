#include "client/net/server_dispatch.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "client/settings/client_texts.h"
#include "common/seat_position.h"
#include "common/wire.h"
#include "rules/card_names.h"

namespace tarvel {
namespace {

std::string Flag(bool on) {
    return on ? "1" : "0";
}

std::optional<std::int32_t> DecimalNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

ServerDispatch::ServerDispatch(Engine& engine, NetClientPort& client, std::string userName)
    : engine_(engine), client_(client), userName_(std::move(userName)) {}

void ServerDispatch::MatchRequested() {
    engine_.NetworkMatchRequested();
}

void ServerDispatch::Send(std::string_view keyword, std::optional<std::string_view> value) {
    const char digit = engine_.Net().playerNumber;
    SendOwn(MakePlayerMessage(keyword, std::string_view(&digit, 1), value));
}

void ServerDispatch::SendFromEngine(std::string_view keyword, std::optional<std::string_view> value) {
    Send(keyword, value);
}

void ServerDispatch::SendOwn(const std::string& message) {
    // Kept even while the connection is down: it goes out when the client is back.
    if (counting_) sent_.Record(message);
    client_.SendMessage(message);
}

void ServerDispatch::AnswerSettingsRequest() {
    const GameOptions& options = engine_.Options();
    Send("info kolikbrat", std::to_string(options.pickupforseven));
    Send("info kralpikovy", Flag(options.kingofspades));
    Send("info navratdohry", Flag(options.returntogame));
    Send("info hranabody", Flag(options.playforpoints));
    Send("info donucen", Flag(options.compulsory));
    Send("info zamichat", Flag(options.shufflecards));
    Send("info pocetkol", std::to_string(options.numberofgames));
    Send("info pocetrozdavanych", std::to_string(options.dealtcards));
    Send("info pohlhrac", engine_.State().playerVoice);
    Send("info uzivatel", userName_);
    // The one message with text after the digit and no "=".
    SendOwn(MakePlayerMessage("infosettings", std::string_view(&engine_.Net().playerNumber, 1)) + " done");
}

void ServerDispatch::Handle(std::string_view message) {
    if (message == kMatchOver) {
        if (finishing_ && !returning_) {
            MatchLeft();
            client_.CloseConnection();
        }
        return;
    }
    if (HandleReturnMessage(message)) return;
    if (returning_ && message != "busy") {
        // A server that answers the secret with anything but the return has no seat for
        // this client: the match is over.
        GiveUpReturn();
        return;
    }
    if (counting_) ++received_;
    if (HandleWhole(message)) return;
    const std::size_t equals = message.find('=');
    if (equals == std::string_view::npos) return;
    HandleKeyed(MessageKey(message), MessageValue(message));
}

bool ServerDispatch::HandleWhole(std::string_view message) {
    if (message == "req settings") {
        AnswerSettingsRequest();
    } else if (message == "samename") {
        client_.ShowMessage(client_.LocalizedText(text::kSameUserName));
        client_.EndProgram();
    } else if (message == "oksettings") {
        if (engine_.State().running) return true;  // agreement only comes between games
        client_.MatchAgreed();
        engine_.NetworkSettingsAgreed();
    } else if (message == "startcard done") {
        engine_.NetworkStartCardsDone();
    } else if (message == "nocardforpickup") {
        engine_.NetworkNothingToDraw();
    } else if (message == "opponentpickup") {
        engine_.NetworkOpponentDraws();
    } else if (message == "opptakescard") {
        engine_.NetworkOpponentTakesCard();
    } else if (message == "pickup done") {
        engine_.NetworkDrawEnded();
    } else if (message == "opp has no cards") {
        engine_.NetworkOpponentOut();
    } else if (message == "i stand") {
        engine_.NetworkOpponentStands();
    } else if (message == "ace you cannot return me") {
        engine_.NetworkAceCannotReturn();
    } else if (message == "opp gives it up") {
        engine_.NetworkOpponentGivesUp();
    } else if (message == "opponentback") {
        engine_.NetworkOpponentBack();
    } else if (message == "forcedendofgame") {
        // After the opponent's lost connection: the server's wait for him ran out.
        engine_.NetworkOpponentNotBack();
        if (engine_.Net().active) {
            engine_.NetworkMatchBrokenOff();
        } else {
            // The opponent left while the game was being agreed.
            client_.CloseConnection();
            client_.ShowMessage(client_.LocalizedText(text::kOpponentLeftBeforeStart));
        }
    } else if (message == "turningthedeck") {
        engine_.NetworkTurningPile();
    } else if (message == "busy" && returning_) {
        // The seat is no longer held: the match is over.
        GiveUpReturn();
    } else if (message == "busy") {
        // Nobody is coming to this server now: the wait ends with the message.
        client_.CloseConnection();
        client_.CloseWaitingDialog();
        client_.ShowMessage(client_.LocalizedText(text::kServerBusy));
    } else {
        return false;
    }
    return true;
}

bool ServerDispatch::HandleKeyed(std::string_view key, std::string_view value) {
    auto withCard = [&](auto operation) {
        if (const rules::CardId card = rules::IdOfName(value); card != rules::kNoCard) (engine_.*operation)(card);
    };
    if (key == "yournumber") {
        if (value != "0" && value != "1") return true;
        engine_.Net().playerNumber = value[0];
        if (engine_.State().lastStarter == kStarterUnknown && !engine_.Net().active) client_.CloseWaitingDialog();
    } else if (key == "diffsettings") {
        client_.CloseConnection();
        client_.ShowMessage(std::string(value) + "\n" + client_.LocalizedText(text::kDifferentRulesRequest));
    } else if (key == "firstplayer") {
        engine_.NetworkFirstPlayer(value);
    } else if (key == "yourstartcard") {
        withCard(&Engine::NetworkStartCard);
    } else if (key == "deckstartcard") {
        withCard(&Engine::NetworkPileStartCard);
    } else if (key == "deckstartcolorcard") {
        engine_.NetworkPileStartSuit(value);
    } else if (key == "opponentgender") {
        engine_.NetworkOpponentGender(value);
    } else if (key == "deckcard") {
        withCard(&Engine::NetworkOpponentCard);
    } else if (key == "deckcolorcard") {
        engine_.NetworkOpponentSuit(value);
    } else if (key == "yourcard") {
        withCard(&Engine::NetworkCardDrawn);
    } else if (key == "opp points") {
        if (const auto points = DecimalNumber(value)) engine_.NetworkOpponentPoints(*points);
    } else if (key == "sayit") {
        client_.MessageFromOpponent(value);
    } else if (key == "opponentlost") {
        engine_.NetworkOpponentAway();
    } else if (key == "position") {
        if (const auto position = DecodeSeatPosition(value)) {
            // Taken up only when the server had every message of this client's: otherwise
            // moves of its own are still on their way and the table already shows them.
            const bool current = serverHad_ && *serverHad_ == sent_.Count();
            engine_.NetworkPositionFromServer(*position, current);
        }
        serverHad_.reset();
    } else {
        return false;
    }
    return true;
}

bool ServerDispatch::HandleReturnMessage(std::string_view message) {
    const std::string_view key = MessageKey(message);
    if (message.find('=') == std::string_view::npos) return false;
    if (key == "reconnectkey") {
        const std::string_view value = MessageValue(message);
        const std::size_t semicolon = value.find(';');
        const std::string_view secret = value.substr(0, semicolon);
        if (secret.empty() || !engine_.Net().active) return true;
        secret_ = std::string(secret);
        returnWaitSeconds_ = 0;
        if (semicolon != std::string_view::npos) {
            if (const auto wait = DecimalNumber(value.substr(semicolon + 1))) returnWaitSeconds_ = std::max(*wait, 0);
        }
        // Both sides count from here: what the server sends after the secret, and what
        // this client sends after its confirmation.
        Send("reconnectready");
        counting_ = true;
        received_ = 0;
        sent_.Clear();
        return true;
    }
    if (key == "reconnected") {
        const auto had = DecimalNumber(MessageValue(message));
        if (!returning_ || !had || *had < 0) return true;
        returning_ = false;
        serverHad_ = static_cast<std::uint64_t>(*had);
        client_.StopTrying();
        engine_.NetworkConnectionBack();
        // What never reached the server goes again, in its order, before anything new.
        for (const std::string& again : sent_.Since(*serverHad_)) client_.SendMessage(again);
        return true;
    }
    return false;
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
    client_.SendMessage(MakeMessage("reconnect", secret_ + ";" + std::to_string(received_)));
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
