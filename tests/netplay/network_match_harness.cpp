#include "tests/netplay/network_match_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace tarvel::testing {

HarnessClient::HarnessClient(NetworkMatchHarness& harness, int index, std::string userName)
    : harness_(harness), index_(index), userName_(std::move(userName)) {}

void HarnessClient::Connect() {
    dispatch.MatchRequested();
    connected = true;
    waitingDialog = true;
    harness_.server.ClientConnected(harness_.ConnectionOf(index_), "127.0.0.1",
                                    static_cast<std::uint16_t>(50000 + index_));
    if (canReturn) harness_.ToServer(index_, protocol::EncodeForWire(protocol::FormatCanReturn()));
}

void HarnessClient::Return() {
    if (!retryAsked) return;
    retryAsked = false;
    splitter_.Clear();
    if (cutAgainAfter > 0) cutAfter = handled + std::exchange(cutAgainAfter, -1);
    const server::ConnectionId id = harness_.NewConnection(index_);
    connected = true;
    harness_.server.ClientConnected(id, "127.0.0.1", static_cast<std::uint16_t>(51000 + id));
    dispatch.ReturnConnectionOpened();
}

void HarnessClient::Read(std::string_view bytes) {
    if (!connected) return;
    for (const std::string& message : splitter_.Feed(bytes).messages) {
        if (!connected) return;  // a message that closed the connection ends the read
        received.push_back(message);
        using protocol::ServerKind;
        const auto parsed = protocol::ParseServerMessage(message);
        const auto kind = parsed ? std::optional(parsed->kind) : std::nullopt;
        if (kind == ServerKind::ReturnKey) secretSeen = parsed->value.substr(0, 32);
        const bool aboutReturn = kind == ServerKind::ReturnKey || kind == ServerKind::Reconnected ||
                                 kind == ServerKind::OpponentLost || kind == ServerKind::Position ||
                                 kind == ServerKind::OpponentBack;
        if (!aboutReturn) ++gameHandled;
        dispatch.Handle(message);
        if (++handled == cutAfter) {
            harness_.Cut(index_);
            return;
        }
    }
}

bool HarnessClient::Act() {
    GameState& state = engine.State();
    if (!connected || !engine.Net().active || !state.running || engine.Net().waiting != NetworkWait::None) {
        return false;
    }
    // A player moves, or names the suit of the queen he laid, only on his turn.
    if (!state.PlayerTurn()) return false;
    if (state.SuitChoiceActive()) {
        engine.PlayerChoosesSuit(rules::kHearts);
        return true;
    }
    for (std::size_t position = 1; position <= state.playerHand.size(); ++position) {
        engine.SelectCard(position);
        engine.PlayPlayerCard();
        if (!state.PlayerTurn() || state.SuitChoiceActive() || !state.running) return true;
    }
    engine.DrawCommand();
    return true;
}

bool HarnessClient::ActOnSchedule() {
    if (schedule != nullptr && (movedAt.size() >= schedule->size() || (*schedule)[movedAt.size()] != gameHandled)) {
        return false;
    }
    if (!Act()) return false;
    movedAt.push_back(gameHandled);
    if (static_cast<int>(movedAt.size()) == cutAfterMove) {
        if (moveArrives) harness_.CarryToServer(index_);
        harness_.Cut(index_);
    }
    return true;
}

void HarnessClient::Send(protocol::ClientKind kind, std::optional<std::string_view> value) {
    dispatch.SendFromEngine(kind, value);
}

void HarnessClient::SendMessage(const std::string& message) {
    if (!connected) return;
    sent.push_back(message);
    harness_.ToServer(index_, protocol::EncodeForWire(message));
}

void HarnessClient::CloseConnection() {
    if (!connected) return;
    connected = false;
    harness_.Disconnect(index_);
}

NetworkMatchHarness::NetworkMatchHarness(std::size_t chunk, std::uint64_t serverSeed)
    : serverRandom(serverSeed), chunk_(chunk) {
    // The server as it runs: a move the rules refuse is not relayed.
    server.SetMoveChecking(true);
    clients[0] = std::make_unique<HarnessClient>(*this, 0, "eva@stul 11111111");
    clients[1] = std::make_unique<HarnessClient>(*this, 1, "petr@stul 22222222");
    clients[1]->engine.Options().playergender = "z";
    clients[1]->engine.OptionsChanged();
}

std::unique_ptr<server::SetupTimer> NetworkMatchHarness::MakeTimer(std::function<void()> onExpiry) {
    return std::make_unique<HarnessTimer>(timers_, std::move(onExpiry));
}

void NetworkMatchHarness::Expire(std::chrono::milliseconds duration) {
    std::vector<HarnessTimer*> due;
    for (HarnessTimer* timer : timers_) {
        if (timer->running && timer->duration == duration) due.push_back(timer);
    }
    for (HarnessTimer* timer : due) {
        if (std::find(timers_.begin(), timers_.end(), timer) != timers_.end()) timer->Expire();
    }
    Deliver();
}

int NetworkMatchHarness::ClientOf(server::ConnectionId id) const {
    for (std::size_t i = 0; i < 2; ++i) {
        if (ids_[i] == id) return static_cast<int>(i);
    }
    return -1;
}

server::ConnectionId NetworkMatchHarness::NewConnection(int client) {
    const auto i = static_cast<std::size_t>(client);
    ids_[i] = nextId_++;
    toServer_[i].clear();
    toClient_[i].clear();
    clientClosing_[i] = serverClosing_[i] = false;
    return ids_[i];
}

void NetworkMatchHarness::Cut(int client) {
    const auto i = static_cast<std::size_t>(client);
    toServer_[i].clear();
    toClient_[i].clear();
    clientClosing_[i] = serverClosing_[i] = false;
    HarnessClient& c = *clients[i];
    if (!c.connected) return;
    c.connected = false;
    const server::ConnectionId old = ids_[i];
    ids_[i] = 0;  // nothing more reaches the client on it
    server.ClientDisconnected(old);
    c.dispatch.ConnectionLost();
    c.returnStarted = c.dispatch.Returning();
    c.quietReturn = c.dispatch.Finishing();
}

void NetworkMatchHarness::CarryToServer(int client) {
    const auto i = static_cast<std::size_t>(client);
    if (ids_[i] == 0 || toServer_[i].empty()) return;
    server.ClientRead(ids_[i], std::exchange(toServer_[i], {}));
}

server::ConnectionId NetworkMatchHarness::ConnectStranger(std::string_view bytes) {
    const server::ConnectionId id = nextId_++;
    strangers_.push_back(id);
    server.ClientConnected(id, "10.0.0.9", 40000);
    if (!bytes.empty()) server.ClientRead(id, bytes);
    return id;
}

void NetworkMatchHarness::ToServer(int client, std::string_view bytes) {
    toServer_[static_cast<std::size_t>(client)] += bytes;
}

void NetworkMatchHarness::Disconnect(int client) {
    clientClosing_[static_cast<std::size_t>(client)] = true;
}

void NetworkMatchHarness::Write(server::ConnectionId id, std::string_view bytes) {
    const int client = ClientOf(id);
    if (client >= 0) {
        toClient_[static_cast<std::size_t>(client)] += bytes;
    } else if (std::find(strangers_.begin(), strangers_.end(), id) != strangers_.end()) {
        strangerGot += bytes;
    }
}

void NetworkMatchHarness::Close(server::ConnectionId id, std::chrono::milliseconds) {
    const int client = ClientOf(id);
    if (client >= 0) serverClosing_[static_cast<std::size_t>(client)] = true;
}

void NetworkMatchHarness::Deliver() {
    for (bool moved = true; moved;) {
        moved = false;
        for (std::size_t i = 0; i < 2; ++i) {
            const server::ConnectionId id = ids_[i];
            if (id == 0) continue;  // cut: nothing flows until it comes back
            if (!toServer_[i].empty()) {
                const std::string bytes = std::exchange(toServer_[i], {});
                server.ClientRead(id, bytes);
                moved = true;
            }
            if (!toClient_[i].empty()) {
                const std::size_t size = chunk_ == 0 ? toClient_[i].size() : std::min(chunk_, toClient_[i].size());
                const std::string bytes = toClient_[i].substr(0, size);
                toClient_[i].erase(0, size);
                clients[i]->Read(bytes);
                moved = true;
            }
            // What was written on a connection arrives before its end.
            if (clientClosing_[i] && toServer_[i].empty()) {
                clientClosing_[i] = serverClosing_[i] = false;
                toClient_[i].clear();
                server.ClientDisconnected(id);
                moved = true;
            } else if (serverClosing_[i] && toClient_[i].empty()) {
                serverClosing_[i] = false;
                if (clients[i]->connected) {
                    clients[i]->connected = false;
                    clients[i]->dispatch.ConnectionLost();
                }
                toServer_[i].clear();
                server.ClientDisconnected(id);
                moved = true;
            }
        }
    }
}

int NetworkMatchHarness::PlayMatch(int moves) {
    clients[0]->Connect();
    Deliver();
    clients[1]->Connect();
    Deliver();
    int made = 0;
    while (made < moves) {
        bool acted = false;
        for (auto& client : clients) {
            if (client->retryAsked) {
                client->Return();
                Deliver();
                acted = true;
                continue;
            }
            if (client->ActOnSchedule()) {
                acted = true;
                ++made;
                Deliver();
            }
        }
        if (!acted) break;
    }
    return made;
}

}  // namespace tarvel::testing
