// The server's game logic: the connections in the order they came, the dispatch of
// every client message, the relays, the set-up of each game with its deal, and the
// draws. It knows nothing of sockets or windows: it talks to the outside through
// ClientLinks and EventLog, so tests and the fuzz target drive it directly.
//
// The waits of the set-up (for each player's settings, for both players to be ready
// for the deal) are states, not nested event loops: a handler sets a flag and returns,
// and after every message and every connection change the set-up is moved on as far
// as its flags allow. So a wait never blocks or spins, and the messages that arrived
// in the same read behind the one that started a wait are handled like any other.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "client_message.h"
#include "player_settings.h"
#include "random_source.h"
#include "server_cards.h"
#include "server_links.h"
#include "wire.h"

namespace tarvel::server {

enum class SetupStep {
    Idle,               // no game of a pair is under way
    AwaitingSettings0,  // "req settings" went to player 0
    AwaitingSettings1,  // "req settings" went to player 1
    AwaitingReady,      // settings agreed; waiting for both "req startcard"
    Playing,            // dealt; the game runs until its end
};

class GameServer {
  public:
    GameServer(ClientLinks& links, EventLog& log, RandomSource& random);

    void ClientConnected(ConnectionId id, std::string address, std::uint16_t port);
    void ClientDisconnected(ConnectionId id);
    void ClientRead(ConnectionId id, std::string_view bytes);

    SetupStep Step() const { return step_; }
    std::uint8_t NextGameCounter() const { return nextGameCounter_; }
    const ServerCards& Cards() const { return cards_; }
    // Live connections that count as players (a turned-away client does not).
    std::size_t PlayerCount() const;

  private:
    struct Connection {
        ConnectionId id;
        std::string address;
        std::uint16_t port;
        MessageSplitter splitter;
        bool turnedAway = false;  // "busy" was sent; closing; never a player
        bool closing = false;     // being closed by the server; its reads are ignored
    };

    // Relay and dispatch (game_server.cpp).
    Connection* Find(ConnectionId id);
    // Position of the connection among the players, or -1.
    int PlayerNumberOf(ConnectionId id) const;
    const Connection* PlayerAt(int player) const;
    void Send(int player, std::string_view message);
    void SendToBoth(std::string_view message);
    void Log(std::string_view line) { log_.Log(line); }
    void Dispatch(int player, std::string_view message);
    void Handle(int sender, const ClientMessage& message);
    void StoreRuleSetting(int sender, const ClientMessage& message);
    void EndPairAfterPeerLoss(int lostPlayer);

    // Set-up, deal and draw (game_setup.cpp).
    void StartSetup();
    void AdvanceSetup();
    bool CompareSettings();
    void AnnounceAgreement();
    void Deal();
    void Draw(int player, std::string_view countText);
    void ResetGame();

    ClientLinks& links_;
    EventLog& log_;
    RandomSource& random_;
    std::vector<Connection> connections_;  // live connections in the order they came

    SetupStep step_ = SetupStep::Idle;
    std::array<PlayerSettings, 2> settings_;
    std::array<bool, 2> settingsComplete_{};
    std::array<bool, 2> readyForDeal_{};
    std::uint8_t nextGameCounter_ = 0;
    std::uint8_t dealtCards_ = 0;
    bool shuffleOnTurn_ = false;
    ServerCards cards_;
};

}  // namespace tarvel::server
