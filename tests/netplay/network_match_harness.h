// Two clients and the server's game logic in one process: each client is an engine
// with the network dispatch, its messages carried to the server and back as bytes, in
// pieces of a chosen size, so a whole match is played without sockets or windows.
// A client's connection can be cut at any message it handles, and the client brought
// back on a new connection when it asks to try again.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "server/core/game_server.h"
#include "server/core/table_hall.h"
#include "session/net/net_client_port.h"
#include "common/random_source.h"
#include "tests/engine/recording_presentation.h"
#include "session/net/server_dispatch.h"
#include "protocol/framing.h"

namespace tarvel::testing {

class NetworkMatchHarness;

// One client: what it sends, what it was told, and its engine's whole record.
class HarnessClient final : public NetClientPort, public NetworkPort {
    // First, as the dispatch below is made with them.
    NetworkMatchHarness& harness_;
    int index_;
    std::string userName_;
    protocol::MessageSplitter splitter_;

  public:
    HarnessClient(NetworkMatchHarness& harness, int index, std::string userName);

    RecordingPresentation screen;
    StandardRandom random{11};
    Engine engine{screen, *this, random};
    ServerDispatch dispatch{engine, *this, userName_};
    std::vector<std::string> sent;      // every message, as written
    std::vector<std::string> received;  // every message from the server, as handled
    std::vector<std::string> messages;  // message boxes
    std::vector<std::string> chat;
    bool connected = false;
    bool waitingDialog = false;
    bool programEnded = false;

    // Connects and starts a network match, as the menu command does; a client that can
    // come back says so first.
    void Connect();
    // Opens the new connection the dispatch asked for to come back.
    void Return();
    // Takes bytes from the server in one read.
    void Read(std::string_view bytes);
    // One move when it is this client's turn: the first card that may be laid, a suit
    // after a queen, or a draw. False when there is nothing to do.
    bool Act();
    // Act, but with a schedule only at the moment it moved in the match the schedule
    // was taken from: after as many of the game's messages as it had handled then.
    bool ActOnSchedule();

    void Send(protocol::ClientKind kind, std::optional<std::string_view> value) override;
    void LeaveNetworkPlay() override {
        if (!dispatch.MatchEnded()) CloseConnection();
    }
    void SendMessage(const std::string& message) override;
    void CloseConnection() override;
    void CloseWaitingDialog() override { waitingDialog = false; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void EndProgram() override { programEnded = true; }
    void MatchAgreed() override { ++agreements; }
    void MessageFromOpponent(std::string_view text) override { chat.emplace_back(text); }
    std::string LocalizedText(int index) override { return "text " + std::to_string(index); }
    void TryAgainIn(int milliseconds) override {
        pauses.push_back(milliseconds);
        retryAsked = true;
    }
    void StopTrying() override { retryAsked = false; }

    int agreements = 0;
    bool canReturn = false;  // says it can come back after a lost connection
    bool retryAsked = false;
    std::vector<int> pauses;  // every pause asked for before trying again
    int handled = 0;          // messages from the server handled
    int cutAfter = -1;        // the connection is cut once this many are handled
    int cutAgainAfter = -1;   // ... and its first new connection once it handled this many
    int cutAfterMove = -1;    // ... or once it has made this many moves
    bool moveArrives = false;  // the move cut after reaches the server first (or is lost)
    bool returnStarted = false;  // the cut made it try to come back
    bool quietReturn = false;    // ... after its match had ended, to say its last words again
    int gameHandled = 0;         // messages of the game handled, those of coming back not counted
    std::vector<int> movedAt;    // gameHandled at each of its moves
    const std::vector<int>* schedule = nullptr;
    std::string secretSeen;      // the secret the server gave it
};

// A timer of the server that runs out only when a test says so.
class HarnessTimer final : public server::SetupTimer {
  public:
    HarnessTimer(std::vector<HarnessTimer*>& registry, std::function<void()> expiry)
        : registry_(registry), expiry_(std::move(expiry)) {
        registry_.push_back(this);
    }
    ~HarnessTimer() override { std::erase(registry_, this); }
    HarnessTimer(const HarnessTimer&) = delete;
    HarnessTimer& operator=(const HarnessTimer&) = delete;
    void Start(std::chrono::milliseconds length) override {
        running = true;
        duration = length;
    }
    void Stop() override { running = false; }
    void Expire() {
        running = false;
        expiry_();
    }

    bool running = false;
    std::chrono::milliseconds duration{0};

  private:
    std::vector<HarnessTimer*>& registry_;
    std::function<void()> expiry_;
};

class NetworkMatchHarness final : public server::ClientLinks, public server::EventLog, public server::TimerSource {
  public:
    // `chunk`: how many bytes each read carries (0: everything waiting at once).
    explicit NetworkMatchHarness(std::size_t chunk, std::uint64_t serverSeed = 5);

  private:
    std::vector<HarnessTimer*> timers_;  // first: the server's timers live in it

  public:
    std::array<std::unique_ptr<HarnessClient>, 2> clients;
    StandardRandom serverRandom;
    server::TableHall server{1, *this, *this, serverRandom, *this};
    std::vector<std::string> log;

    // The server's timers of that duration that run now run out.
    void Expire(std::chrono::milliseconds duration);
    // The client's connection drops: what was on its way either way is lost, and both
    // ends notice.
    void Cut(int client);
    // The server reads what the client has written so far, and nothing else moves.
    void CarryToServer(int client);
    // The connection a client has now.
    server::ConnectionId ConnectionOf(int client) const { return ids_[static_cast<std::size_t>(client)]; }
    // A connection of its own that sends `bytes` as soon as it is open.
    server::ConnectionId ConnectStranger(std::string_view bytes);
    // What the server wrote to a connection that is no client's.
    std::string strangerGot;

    // Carries every byte waiting in either direction until nothing is left.
    void Deliver();
    // Connects both, then lets them play until the match is over on both sides or
    // `moves` moves were made. Returns the moves made.
    int PlayMatch(int moves = 5000);

    void ToServer(int client, std::string_view bytes);
    // The client closed its side; the server hears of it once what it wrote has arrived.
    void Disconnect(int client);

    void Write(server::ConnectionId id, std::string_view bytes) override;
    void Close(server::ConnectionId id, std::chrono::milliseconds after = {}) override;
    void Log(std::string_view line) override { log.emplace_back(line); }
    std::unique_ptr<server::SetupTimer> MakeTimer(std::function<void()> onExpiry) override;

    // A new connection of the client, the old one forgotten.
    server::ConnectionId NewConnection(int client);

  private:
    int ClientOf(server::ConnectionId id) const;

    std::size_t chunk_;
    std::array<server::ConnectionId, 2> ids_{1, 2};
    server::ConnectionId nextId_ = 3;
    std::vector<server::ConnectionId> strangers_;
    std::array<std::string, 2> toClient_;
    std::array<std::string, 2> toServer_;
    std::array<bool, 2> clientClosing_{};
    std::array<bool, 2> serverClosing_{};
};

}  // namespace tarvel::testing
