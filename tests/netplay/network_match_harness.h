// Two clients and the server's game logic in one process: each client is an engine
// with the network dispatch, its messages carried to the server and back as bytes, in
// pieces of a chosen size, so a whole match is played without sockets or windows.
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine.h"
#include "game_server.h"
#include "net_client_port.h"
#include "random_source.h"
#include "recording_presentation.h"
#include "server_dispatch.h"
#include "wire.h"

namespace tarvel::testing {

class NetworkMatchHarness;

// One client: what it sends, what it was told, and its engine's whole record.
class HarnessClient final : public NetClientPort, public NetworkPort {
    // First, as the dispatch below is made with them.
    NetworkMatchHarness& harness_;
    int index_;
    std::string userName_;
    MessageSplitter splitter_;

  public:
    HarnessClient(NetworkMatchHarness& harness, int index, std::string userName);

    RecordingPresentation screen;
    StandardRandom random{11};
    Engine engine{screen, *this, random};
    ServerDispatch dispatch{engine, *this, userName_};
    std::vector<std::string> sent;      // every message, as written
    std::vector<std::string> messages;  // message boxes
    std::vector<std::string> chat;
    bool connected = false;
    bool waitingDialog = false;
    bool programEnded = false;

    // Connects and starts a network match, as the menu command does.
    void Connect();
    // Takes bytes from the server in one read.
    void Read(std::string_view bytes);
    // One move when it is this client's turn: the first card that may be laid, a suit
    // after a queen, or a draw. False when there is nothing to do.
    bool Act();

    void Send(std::string_view keyword, std::optional<std::string_view> value) override;
    void LeaveNetworkPlay() override { CloseConnection(); }
    void SendMessage(const std::string& message) override;
    void CloseConnection() override;
    void CloseWaitingDialog() override { waitingDialog = false; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void EndProgram() override { programEnded = true; }
    void MatchAgreed() override { ++agreements; }
    void MessageFromOpponent(std::string_view text) override { chat.emplace_back(text); }
    std::string LocalizedText(int index) override { return "text " + std::to_string(index); }

    int agreements = 0;
};

class NetworkMatchHarness final : public server::ClientLinks, public server::EventLog, public server::SetupTimer {
  public:
    // `chunk`: how many bytes each read carries (0: everything waiting at once).
    explicit NetworkMatchHarness(std::size_t chunk, std::uint64_t serverSeed = 5);

    std::array<std::unique_ptr<HarnessClient>, 2> clients;
    StandardRandom serverRandom;
    server::GameServer server{*this, *this, serverRandom, *this};
    std::vector<std::string> log;

    // Carries every byte waiting in either direction until nothing is left.
    void Deliver();
    // Connects both, then lets them play until the match is over on both sides or
    // `moves` moves were made. Returns the moves made.
    int PlayMatch(int moves = 5000);

    void ToServer(int client, std::string_view bytes);
    // The client closed its side; the server hears of it once what it wrote has arrived.
    void Disconnect(int client);

    void Write(server::ConnectionId id, std::string_view bytes) override;
    void Close(server::ConnectionId id) override;
    void Log(std::string_view line) override { log.emplace_back(line); }
    void Start(std::chrono::milliseconds) override {}
    void Stop() override {}

  private:
    std::size_t chunk_;
    std::array<std::string, 2> toClient_;
    std::array<std::string, 2> toServer_;
    std::array<bool, 2> clientClosing_{};
    std::array<bool, 2> serverClosing_{};
};

}  // namespace tarvel::testing
