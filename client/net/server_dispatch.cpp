#include "server_dispatch.h"

#include <charconv>
#include <optional>
#include <utility>

#include "client_texts.h"
#include "deck.h"
#include "wire.h"

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
    client_.SendMessage(MakePlayerMessage(keyword, std::string_view(&digit, 1), value));
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
    Send("info pohlhrac", engine_.State().PlayerVoice);
    Send("info uzivatel", userName_);
    // The one message with text after the digit and no "=".
    client_.SendMessage(MakePlayerMessage("infosettings", std::string_view(&engine_.Net().playerNumber, 1)) +
                        " done");
}

void ServerDispatch::Handle(std::string_view message) {
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
        if (engine_.State().GameRunning) return true;  // agreement only comes between games
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
    } else if (message == "forcedendofgame") {
        if (engine_.Net().active) {
            engine_.NetworkMatchBrokenOff();
        } else {
            // The opponent left while the game was being agreed.
            client_.CloseConnection();
            client_.ShowMessage(client_.LocalizedText(text::kOpponentLeftBeforeStart));
        }
    } else if (message == "turningthedeck") {
        engine_.NetworkTurningPile();
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
        if (const auto card = FindCard(value)) (engine_.*operation)(*card);
    };
    if (key == "yournumber") {
        if (value != "0" && value != "1") return true;
        engine_.Net().playerNumber = value[0];
        if (engine_.State().LastStarter == kStarterUnknown && !engine_.Net().active) client_.CloseWaitingDialog();
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
    } else {
        return false;
    }
    return true;
}

void ServerDispatch::ConnectionLost() {
    client_.CloseConnection();
    if (engine_.Net().active) engine_.NetworkMatchBrokenOff();
    client_.CloseWaitingDialog();
    client_.ShowMessage(client_.LocalizedText(text::kConnectionLost));
}

}  // namespace tarvel
