#include "network_match_harness.h"

#include <gtest/gtest.h>

namespace tarvel::testing {

HarnessClient::HarnessClient(NetworkMatchHarness& harness, int index, std::string userName)
    : harness_(harness), index_(index), userName_(std::move(userName)) {
    screen.state = &engine.State();
}

void HarnessClient::Connect() {
    dispatch.MatchRequested();
    connected = true;
    waitingDialog = true;
    harness_.server.ClientConnected(static_cast<server::ConnectionId>(index_ + 1), "127.0.0.1",
                                    static_cast<std::uint16_t>(50000 + index_));
}

void HarnessClient::Read(std::string_view bytes) {
    if (!connected) return;
    for (const std::string& message : splitter_.Feed(bytes).messages) {
        if (!connected) return;  // a message that closed the connection ends the read
        dispatch.Handle(message);
    }
}

bool HarnessClient::Act() {
    GameState& state = engine.State();
    if (!connected || !engine.Net().active || !state.GameRunning || engine.Net().waiting != NetworkWait::None) {
        return false;
    }
    if (state.SuitChoiceActive) {
        engine.PlayerChoosesSuit(" srdce");
        return true;
    }
    if (!state.PlayerTurn) return false;
    for (std::size_t position = 1; position <= state.PlayerHand.Size(); ++position) {
        engine.SelectCard(position);
        engine.PlayPlayerCard();
        if (!state.PlayerTurn || state.SuitChoiceActive || !state.GameRunning) return true;
    }
    engine.DrawCommand();
    return true;
}

void HarnessClient::Send(std::string_view keyword, std::optional<std::string_view> value) {
    const char digit = engine.Net().playerNumber;
    SendMessage(MakePlayerMessage(keyword, std::string_view(&digit, 1), value));
}

void HarnessClient::SendMessage(const std::string& message) {
    if (!connected) return;
    sent.push_back(message);
    harness_.ToServer(index_, EncodeForWire(message));
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
    clients[1]->engine.ApplyGenderFromOptions();
}

void NetworkMatchHarness::ToServer(int client, std::string_view bytes) {
    toServer_[static_cast<std::size_t>(client)] += bytes;
}

void NetworkMatchHarness::Disconnect(int client) {
    clientClosing_[static_cast<std::size_t>(client)] = true;
}

void NetworkMatchHarness::Write(server::ConnectionId id, std::string_view bytes) {
    toClient_[id - 1] += bytes;
}

void NetworkMatchHarness::Close(server::ConnectionId id) {
    serverClosing_[id - 1] = true;
}

void NetworkMatchHarness::Deliver() {
    for (bool moved = true; moved;) {
        moved = false;
        for (std::size_t i = 0; i < 2; ++i) {
            const auto id = static_cast<server::ConnectionId>(i + 1);
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
            if (client->Act()) {
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
