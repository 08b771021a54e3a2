#include "server/core/game_server.h"

#include <algorithm>
#include <utility>

#include "server/core/shown_text.h"

namespace tarvel::server {
namespace {

using protocol::ClientKind;
using protocol::ServerKind;

std::string Digit(int player) {
    return std::to_string(player);
}

bool ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CharacterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return !ContinuationByte(c); }));
}

// The first `characters` whole characters.
std::string_view CharacterPrefix(std::string_view utf8, std::size_t characters) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (ContinuationByte(utf8[i])) continue;
        if (seen == characters) return utf8.substr(0, i);
        ++seen;
    }
    return utf8;
}

}  // namespace

GameServer::GameServer(ClientLinks& links, EventLog& log, RandomSource& random, SetupTimer& timer)
    : links_(links), log_(log), random_(random), timer_(timer) {}

std::size_t GameServer::PlayerCount() const {
    return static_cast<std::size_t>(std::count_if(connections_.begin(), connections_.end(),
                                                  [](const Connection& c) { return !c.outOfPlay; }));
}

std::vector<GameServer::Seat> GameServer::Players() const {
    std::vector<Seat> seats;
    for (const auto& c : connections_) {
        if (c.outOfPlay) continue;
        const std::size_t number = seats.size();
        seats.push_back(Seat{c.address, c.port, number < 2 ? settings_[number].userName : std::string()});
    }
    return seats;
}

GameServer::Connection* GameServer::Find(ConnectionId id) {
    auto it = std::find_if(connections_.begin(), connections_.end(),
                           [id](const Connection& c) { return c.id == id; });
    return it == connections_.end() ? nullptr : &*it;
}

int GameServer::PlayerNumberOf(ConnectionId id) const {
    int number = 0;
    for (const auto& c : connections_) {
        if (c.outOfPlay) continue;
        if (c.id == id) return number;
        ++number;
    }
    return -1;
}

const GameServer::Connection* GameServer::PlayerAt(int player) const {
    int number = 0;
    for (const auto& c : connections_) {
        if (c.outOfPlay) continue;
        if (number == player) return &c;
        ++number;
    }
    return nullptr;
}

void GameServer::Send(int player, std::string_view message) {
    // A player number without a live connection (the other player has gone) gets nothing.
    const Connection* c = PlayerAt(player);
    if (c == nullptr) return;
    // Kept for a player who may come back; written only while it is here.
    returns_[static_cast<std::size_t>(player)].Record(message);
    if (c->away) return;
    protocol::EncodeForWire(message, wireBytes_);
    links_.Write(c->id, wireBytes_);
}

void GameServer::Send(int player, ServerKind kind, std::string_view value) {
    protocol::FormatServerMessage(kind, value, message_);
    Send(player, message_);
}

void GameServer::SendToBoth(ServerKind kind, std::string_view value) {
    protocol::FormatServerMessage(kind, value, message_);
    Send(0, message_);
    Send(1, message_);
}

void GameServer::WriteNow(ConnectionId id, ServerKind kind, std::string_view value) {
    links_.Write(id, protocol::EncodeForWire(protocol::FormatServerMessage(kind, value)));
}

void GameServer::ClientConnected(ConnectionId id, std::string address, std::uint16_t port) {
    Connection& added = connections_.emplace_back();
    added.id = id;
    added.address = std::move(address);
    added.port = port;
    const std::string from = added.address + " přes port " + std::to_string(port);
    Log("Klient připojen z adresy " + from);

    const std::size_t players = PlayerCount();
    if (players == 2) {
        match_.StartMatch();  // a new pair plays a new match
        StartSetup();
    } else if (players > 2) {
        // Turned away at once: it must never move up into a player's place.
        connections_.back().outOfPlay = true;
        connections_.back().closing = true;
        WriteNow(id, ServerKind::Busy);
        Log("Klient z adresy " + from + " odpojen, příliš mnoho klientů");
        links_.Close(id);
    }
}

void GameServer::ClientDisconnected(ConnectionId id) {
    auto it = std::find_if(connections_.begin(), connections_.end(),
                           [id](const Connection& c) { return c.id == id; });
    if (it == connections_.end()) return;
    const bool wasPlayer = !it->outOfPlay;
    const int number = PlayerNumberOf(id);
    const std::string address = it->address;
    if (wasPlayer && HoldSeat(number)) return;
    if (wasPlayer && step_ == SetupStep::Idle && number >= 0 && number < 2 &&
        returns_[static_cast<std::size_t>(1 - number)].Issued()) {
        // This one's match is over, but the other may still come back, as the number he
        // has, to hear its end: this place keeps the numbers as they are.
        it->away = true;
        it->gone = true;
        Log("Odpojen klient" + address);
        return;
    }
    connections_.erase(it);
    Log("Odpojen klient" + address);
    if (wasPlayer && step_ != SetupStep::Idle) EndPairAfterPeerLoss(number);
    WatchIdle(-1);
}

void GameServer::EndedPairLeaves(int sender) {
    Connection* senderConnection = PlayerAt(sender);
    Connection* otherConnection = PlayerAt(1 - sender);
    if (senderConnection == nullptr) return;
    senderConnection->matchEnded = true;
    if (otherConnection != nullptr && !otherConnection->matchEnded) return;
    // Both said their match is over (or the other is gone) and are closing: a newcomer
    // arriving before they have gone pairs with another newcomer, never with one of them.
    senderConnection->outOfPlay = true;
    if (otherConnection != nullptr) otherConnection->outOfPlay = true;
}

void GameServer::EndPairAfterPeerLoss(int lostPlayer) {
    // The one left has moved up to player 0; without this it would wait for ever.
    Send(0, ServerKind::ForcedEnd);
    Log("Hráč " + Digit(lostPlayer) + " se odpojil během hry, soupeři zasláno ukončení hry");
    ResetGame();
}

void GameServer::DropPlayer(ConnectionId id, std::string_view reason) {
    const int number = PlayerNumberOf(id);
    Connection* connection = Find(id);
    if (connection == nullptr || number < 0) return;
    // Out of play before anything is sent: the one left moves up to player 0 at once, and a
    // newcomer pairs with it rather than being told "busy" while this connection closes.
    connection->outOfPlay = true;
    connection->closing = true;
    Log(reason);
    links_.Close(id);
    if (step_ != SetupStep::Idle) EndPairAfterPeerLoss(number);
}

void GameServer::ClientNotReading(ConnectionId id) {
    ClientCutOff(id, "nepřijímá data, neodesláno přes " + std::to_string(kMaxUnsentBytes / (1024 * 1024)) + " MiB");
}

void GameServer::ClientCutOff(ConnectionId id, std::string_view what) {
    const Connection* connection = Find(id);
    if (connection == nullptr) return;
    DropPlayer(id, "Klient z adresy " + connection->address + " přes port " + std::to_string(connection->port) +
                       " " + std::string(what) + ", spojení uzavřeno");
}

void GameServer::SettingsWaitExpired() {
    int player = -1;
    if (step_ == SetupStep::AwaitingSettings0) player = 0;
    if (step_ == SetupStep::AwaitingSettings1) player = 1;
    if (player < 0 || settingsComplete_[player]) return;  // a late timer event changes nothing
    if (const Connection* connection = PlayerAt(player)) {
        if (connection->away) return;  // the wait for its return decides
        SetupFailedFor(player);
        DropPlayer(connection->id,
                   "Hráč " + Digit(player) + " neodpověděl včas na požadavek na nastavení, spojení uzavřeno");
    }
}

void GameServer::ClientRead(ConnectionId id, std::string_view bytes) {
    Connection* connection = Find(id);
    if (connection == nullptr || connection->closing) return;
    protocol::MessageSplitter::Result split = connection->splitter.Feed(bytes);
    // For the two log lines below only: not made for every read.
    const auto from = [address = connection->address, port = connection->port] {
        return address + " přes port " + std::to_string(port);
    };

    for (const std::string& message : split.messages) {
        const int player = PlayerNumberOf(id);
        if (player < 0) break;
        const auto parsed = protocol::ParseClientMessage(message);
        const std::optional<ClientKind> kind = parsed ? std::optional(parsed->kind) : std::nullopt;
        if (kind == ClientKind::CanReturn) {
            // Said once, before anything else: the connection's client can come back.
            if (Connection* c = Find(id)) c->canReturn = true;
            continue;
        }
        if (kind == ClientKind::Reconnect) {
            // Back too late: no seat is held here for anyone, and this one is told so at once.
            // Paired meanwhile with a newcomer, it never was that one's opponent.
            WriteNow(id, ServerKind::Busy);
            DropPlayer(id, "Klient z adresy " + from() + " odpojen, žádné místo pro návrat do hry není drženo");
            break;
        }
        returns_[static_cast<std::size_t>(player)].CountReceived();
        if (parsed) Dispatch(player, *parsed, message);
    }
    if (split.overflow) {
        if (Connection* c = Find(id)) c->closing = true;
        Log("Klient z adresy " + from() + " poslal příliš dlouhou zprávu bez ukončení, spojení uzavřeno");
        links_.Close(id);
    }
}

void GameServer::Dispatch(int player, const protocol::ClientMessage& recognised, std::string_view message) {
    // Said before the numbers: a table has nothing to do with them.
    if (recognised.sender.empty()) return;
    if (recognised.sender != Digit(player)) {
        // A client may only speak for the player it is.
        LogForMessage("hráč " + Digit(player) + " poslal zprávu za hráče " + std::string(recognised.sender) +
            ", zpráva nebyla zpracována");
        return;
    }
    Handle(player, recognised, message);
    AdvanceSetup();
    // Chat is no move: a player who only talks still keeps the match waiting.
    WatchIdle(recognised.kind == ClientKind::Say ? -1 : player);
}

void GameServer::LogForMessage(std::string_view line) {
    const std::int64_t dropped = messageLines_.DroppedInARow();
    if (!messageLines_.Take(now_())) {
        if (messageLines_.DroppedInARow() == 1) {
            Log("příliš mnoho řádků záznamu o zprávách hráčů, další se na chvíli vynechávají");
        }
        return;
    }
    if (dropped > 0) Log("řádků záznamu vynecháno: " + std::to_string(dropped));
    Log(line);
}

void GameServer::AskForNextGame(int sender) {
    // A repeat from the same player only logs: the next game needs both.
    if (askedForNextGame_[sender]) return;
    askedForNextGame_[sender] = true;
    if (askedForNextGame_[1 - sender]) {
        Log("Začíná nová hra");
        StartSetup();
    }
}

MoveVerdict GameServer::EndOfMatchVerdict() const {
    if (step_ == SetupStep::Idle) return {};
    if (step_ == SetupStep::Playing && (!match_.Kept() || match_.Position().Over())) return {};
    return MoveVerdict{MoveFault::Undecided};
}

void GameServer::SetupFailedFor(int player) {
    const Connection* connection = PlayerAt(player);
    if (connection != nullptr && setupFailed_) setupFailed_(connection->address);
}

void GameServer::RelayChat(int sender, std::string_view text) {
    Connection* connection = PlayerAt(sender);
    if (connection == nullptr) return;
    const std::string n = Digit(sender);
    if (!connection->chat.Take(now_())) {
        // Said once when the dropping starts; what a flood says is never logged.
        if (connection->chat.DroppedInARow() == 1) {
            Log("hráč " + n + " posílá zprávy příliš rychle, další se soupeři nepředávají");
        }
        return;
    }
    const std::size_t characters = CharacterCount(text);
    std::string line = "hráč " + n + " poslal zprávu (délka " + std::to_string(characters);
    if (characters > protocol::kMostChatChars) {
        text = CharacterPrefix(text, protocol::kMostChatChars);
        line += ", zkrácena na " + std::to_string(protocol::kMostChatChars);
    }
    Send(1 - sender, ServerKind::Said, text);
    LogForMessage(line + ")");
}

void GameServer::StoreRuleSetting(int sender, const protocol::ClientMessage& message) {
    const auto value = protocol::ParseSettingValue(message.value);
    if (!value) {
        LogForMessage("hráč " + Digit(sender) + " zaslal nečíselnou hodnotu položky " +
            std::string(protocol::kRuleSettingNames[static_cast<std::size_t>(message.settingIndex)]) + ", platí 0");
    }
    settings_[sender].rules[message.settingIndex] = value.value_or(0);
}

bool GameServer::MoveAllowed(int sender, std::string_view text, const MoveVerdict& verdict) {
    if (verdict.Ok() || !checkMoves_) return true;
    const std::string n = Digit(sender);
    LogForMessage("hráč " + n + " poslal tah, který nelze zahrát (" + RefusalText(verdict) + "): " + Shortened(text, kShownMessageChars) +
        ", zpráva nebyla předána");
    // Only the player's own later messages are refused again: a client that keeps sending
    // what cannot be played is not playing this game.
    if (++refusedMoves_[static_cast<std::size_t>(sender)] >= 2) {
        if (const Connection* connection = PlayerAt(sender)) {
            DropPlayer(connection->id,
                       "hráč " + n + " poslal ve hře druhý tah, který nelze zahrát, spojení uzavřeno");
        }
    }
    return false;
}

void GameServer::Handle(int sender, const protocol::ClientMessage& message, std::string_view text) {
    using Kind = ClientKind;
    const int other = 1 - sender;
    const std::string n = Digit(sender);
    const std::string o = Digit(other);
    const std::string value(message.value);

    switch (message.kind) {
        case Kind::RuleSetting:
            StoreRuleSetting(sender, message);
            break;
        case Kind::Gender:
            settings_[sender].gender = value;
            break;
        case Kind::UserName:
            settings_[sender].userName = value;
            break;
        case Kind::SettingsDone:
            settingsComplete_[sender] = true;
            break;
        case Kind::ReadyForDeal:
            readyForDeal_[sender] = true;
            break;
        case Kind::SendCard:
            if (!MoveAllowed(sender, text, match_.LayCard(sender, value, !checkMoves_))) break;
            Send(other, ServerKind::OpponentCard, value);
            Log("hráči " + o + " zaslána karta " + value);
            break;
        case Kind::SendColor:
            if (!MoveAllowed(sender, text, match_.NameSuit(sender, value, !checkMoves_))) break;
            Send(other, ServerKind::OpponentSuit, value);
            Log("hráči " + o + " zaslána barva " + value);
            break;
        case Kind::RequestCards:
            Draw(sender, value, text);
            break;
        case Kind::Standing:
            if (!MoveAllowed(sender, text, match_.Stand(sender, !checkMoves_))) break;
            Send(other, ServerKind::OpponentStands);
            Log("hráč " + n + " stojí");
            break;
        case Kind::NoCardsLeft:
            if (!MoveAllowed(sender, text, match_.ClaimNoCards(sender, !checkMoves_))) break;
            Send(other, ServerKind::OpponentOut);
            Log("hráči " + n + " došly karty");
            break;
        case Kind::AceCannotReturn:
            if (!MoveAllowed(sender, text, match_.ClaimAceCannotReturn(sender, !checkMoves_))) break;
            Send(other, ServerKind::AceCannotReturn);
            break;
        case Kind::EndOfOneGame:
            LogForMessage("hráč " + n + " zaslal požadavek na další hru");
            AskForNextGame(sender);
            break;
        case Kind::GiveUp:
            if (!MoveAllowed(sender, text, match_.GiveUp(sender, !checkMoves_))) break;
            Send(other, ServerKind::OpponentGivesUp);
            Log("hráč " + n + " nemůže vrátit soupeře do hry");
            break;
        case Kind::Points: {
            const MoveVerdict verdict = match_.ReportPoints(sender, value, !checkMoves_);
            if (!MoveAllowed(sender, text, verdict)) break;
            // Checked, the loser's hand decides: both tables of results then agree.
            const std::string points = checkMoves_ ? std::to_string(verdict.counted) : value;
            if (points != value) {
                Log("hráč " + n + " hlásí " + Shortened(value, kShownMessageChars) + " trestných bodů, jeho karty dávají " +
                    points);
            }
            Send(other, ServerKind::OpponentPoints, points);
            Log("hráč " + n + " zasílá počet trestných bodů=" + Shortened(points, kShownMessageChars));
            break;
        }
        case Kind::EndOfMatch:
            // Before the game is decided the other player would wait for ever for its end.
            if (!MoveAllowed(sender, text, EndOfMatchVerdict())) break;
            Log("hráč " + n + " zasílá konec hry");
            SetStep(SetupStep::Idle);  // the clients now leave; their going is no loss
            // The other may still be hearing the match's end: its seat is held until it says so.
            if (returns_[static_cast<std::size_t>(sender)].Issued()) {
                // A client that can come back keeps its last words until it hears they all
                // arrived, and comes back to say them again if its connection went first.
                const Connection* c = PlayerAt(sender);
                if (c != nullptr && !c->away) WriteNow(c->id, ServerKind::MatchOver);
            }
            returns_[static_cast<std::size_t>(sender)].Close();
            if (!returns_[static_cast<std::size_t>(other)].Issued()) ForgetReturns();
            EndedPairLeaves(sender);
            break;
        case Kind::TerminateGame:
            Send(other, ServerKind::ForcedEnd);
            Log("Hráč " + n + " předčasně ukončil hru");
            SetStep(SetupStep::Idle);
            ForgetReturns();
            break;
        case Kind::Say:
            RelayChat(sender, message.value);
            break;
        case Kind::Join:
        case Kind::CanReturn:
        case Kind::Reconnect:
            break;  // said before the numbers; never dispatched
        case Kind::ReturnReady:
            if (returns_[static_cast<std::size_t>(sender)].Issued()) {
                returns_[static_cast<std::size_t>(sender)].Confirm();
            }
            break;
    }
}

}  // namespace tarvel::server
