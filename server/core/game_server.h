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
// The wait for each player's settings is limited: a real client answers at once, so
// one that stays silent past the limit is dropped as a lost player and its seat freed.
//
// The table's whole game is kept as a rules position (TableMatch). With move checking on,
// a move the rules refuse (a card not held, out of turn or against the rules, a draw of
// another number of cards, a false claim of an empty hand or of a lost game) is not
// relayed but logged with its reason, and the second such message of a player in one
// game breaks off his match as for a lost player. With it off, every move is relayed as
// it comes, as the server always did.
//
// A client that says it can come back ("canreconnect") gets a secret when the match is
// agreed. When its connection is lost during the match, its seat is held for the return
// wait; a newcomer that shows the secret takes it back, gets again what never reached it
// and the position from its side, and the match goes on. Only when the wait runs out does
// the match end as for any lost player. A client that never says so is served as always.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/random_source.h"
#include "protocol/client_messages.h"
#include "protocol/framing.h"
#include "protocol/seat_position.h"
#include "protocol/server_messages.h"
#include "server/core/chat_limit.h"
#include "server/core/player_settings.h"
#include "server/core/seat_return.h"
#include "server/core/server_links.h"
#include "server/core/table_match.h"

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
    static constexpr std::chrono::milliseconds kDefaultSettingsTimeout{15'000};
    static constexpr std::chrono::seconds kDefaultReturnWait{60};
    // The clients ask for the deal as soon as the rules are agreed; this leaves room for
    // the phrases a client says first.
    static constexpr std::chrono::seconds kReadyTimeout{60};
    static constexpr std::chrono::seconds kDefaultIdleWait{600};
    // The lines a client can have logged again and again without playing (what is refused
    // or ignored, chat): this many at once, then one a refill period, the rest left out and
    // counted. The moves of a match, however fast, and what the server decides itself (a
    // connection, a loss, an end) are always logged.
    static constexpr int kMessageLogBurst = 200;
    static constexpr std::chrono::milliseconds kMessageLogRefill{50};

    GameServer(ClientLinks& links, EventLog& log, RandomSource& random, SetupTimer& timer);
    // It holds its links, log, random source and timer by reference.
    GameServer(const GameServer&) = delete;
    GameServer& operator=(const GameServer&) = delete;

    void ClientConnected(ConnectionId id, std::string address, std::uint16_t port);
    void ClientDisconnected(ConnectionId id);
    void ClientRead(ConnectionId id, std::string_view bytes);
    // The connection's unsent output passed kMaxUnsentBytes: it is dropped as a lost player.
    void ClientNotReading(ConnectionId id);
    // The connection stayed past what one client may make the server do (`what` says how,
    // for the log): it is dropped as a lost player.
    void ClientCutOff(ConnectionId id, std::string_view what);
    // The set-up timer ran out: the player asked for its settings is dropped as a lost player.
    void SettingsWaitExpired();

    // How long a player may take to send all its settings; applies from the next request.
    void SetSettingsTimeout(std::chrono::milliseconds timeout) { settingsTimeout_ = timeout; }
    std::chrono::milliseconds SettingsTimeout() const { return settingsTimeout_; }

    // The timer of the wait for a player who lost its connection (its owner calls
    // ReturnWaitExpired). Without one no seat is held: a lost player ends the match at once.
    void SetReturnTimer(SetupTimer* timer) { returnTimer_ = timer; }
    // How long a lost player's seat is held; applies from the next loss.
    void SetReturnWait(std::chrono::seconds wait) { returnWait_ = wait; }
    std::chrono::seconds ReturnWait() const { return returnWait_; }
    void ReturnWaitExpired();

    // The timer of the waits on one player once the rules are agreed: for his request for
    // the deal, and for his move or the end of his game while the match waits for him
    // (its owner calls IdleWaitExpired). Without one nothing is limited.
    void SetIdleTimer(SetupTimer* timer) { idleTimer_ = timer; }
    // Told the address of each player whose set-up ended without a game.
    void SetSetupFailureHandler(std::function<void(const std::string& address)> handler) {
        setupFailed_ = std::move(handler);
    }
    // A pair whose rules differ is closed this long after being told so: a client closes on
    // it by itself, once the phrases it may be saying have ended, and must read the reason
    // before it could see the connection go.
    static constexpr std::chrono::milliseconds kClosingGrace{30'000};

    // How long the match waits for a silent player (0: for ever); applies from the next wait.
    void SetIdleWait(std::chrono::seconds wait) { idleWait_ = wait; }
    // The player the match waited for stayed silent: he counts as lost.
    void IdleWaitExpired();
    // The player the match is waiting for now, or -1 (nobody, or the set-up's own wait).
    int AwaitedPlayer() const;
    // A newcomer showed `secret` (its first message): when it is the secret of one of
    // this table's held seats, the newcomer takes that seat, gets what was sent to the seat
    // from message `receivedByClient` on and the position from its side. False, and
    // nothing changed, for any other secret.
    bool ClientReturned(ConnectionId id, std::string address, std::uint16_t port, std::string_view secret,
                        std::uint64_t receivedByClient);
    // A player of this table may come back: a newcomer is to be heard before it is seated.
    bool ExpectsReturns() const;
    // A seat is held for a player whose connection was lost.
    bool SeatHeld() const;

    // Where the time comes from (the steady clock unless a test sets its own).
    void SetClock(std::function<ChatLimit::Clock::time_point()> now) { now_ = std::move(now); }

    SetupStep Step() const { return step_; }
    // Players who asked for the next game since the last agreement: 0, 1 or 2.
    std::uint8_t NextGameCounter() const {
        return static_cast<std::uint8_t>(askedForNextGame_[0] + askedForNextGame_[1]);
    }
    // The match at this table: the position of the game, the game number, wins and points.
    const TableMatch& Match() const { return match_; }
    // Whether moves are put to the rules before they are relayed; off unless set.
    void SetMoveChecking(bool on) { checkMoves_ = on; }
    bool ChecksMoves() const { return checkMoves_; }
    // Live connections that count as players (a turned-away or dropped client does not).
    std::size_t PlayerCount() const;
    // Any connection at all, a closing one included: a table is free only without any.
    bool HasConnections() const { return !connections_.empty(); }

    // Who sits here, for the server window: players in their numbers' order.
    struct Seat {
        std::string address;
        std::uint16_t port = 0;
        std::string userName;  // empty until the player's settings have come
    };
    std::vector<Seat> Players() const;

  private:
    struct Connection {
        ConnectionId id = 0;
        std::string address;
        std::uint16_t port = 0;
        protocol::MessageSplitter splitter;
        bool outOfPlay = false;  // turned away with "busy" or dropped; closing; never a player
        bool closing = false;    // being closed by the server; its reads are ignored
        bool away = false;       // lost; the seat is held for its player, nothing is written
        bool canReturn = false;  // its client said it can come back after a lost connection
        bool gone = false;       // left for good while the other seat was held: keeps the numbers
        bool matchEnded = false;  // sent the end of its match: it leaves, and plays no more here
        ChatLimit chat;
    };

    // Relay and dispatch (game_server.cpp).
    Connection* Find(ConnectionId id);
    // Position of the connection among the players, or -1.
    int PlayerNumberOf(ConnectionId id) const;
    const Connection* PlayerAt(int player) const;
    Connection* PlayerAt(int player) { return const_cast<Connection*>(std::as_const(*this).PlayerAt(player)); }
    void Send(int player, std::string_view message);
    void Send(int player, protocol::ServerKind kind, std::string_view value = {});
    void SendToBoth(protocol::ServerKind kind, std::string_view value = {});
    // Straight to the connection, never kept for sending again.
    void WriteNow(ConnectionId id, protocol::ServerKind kind, std::string_view value = {});
    void Log(std::string_view line) { log_.Log(line); }
    // A line a client can bring about at will: within kMessageLogBurst and its refill.
    void LogForMessage(std::string_view line);
    void Dispatch(int player, const protocol::ClientMessage& message, std::string_view text);
    // The sender's "end of game": once both have sent theirs, neither counts as a player.
    void EndedPairLeaves(int sender);
    void Handle(int sender, const protocol::ClientMessage& message, std::string_view text);
    // True when the move may go on to the other player: the rules allow it, or moves are
    // not checked. A refused move is logged; the second in a game breaks off the match.
    bool MoveAllowed(int sender, std::string_view text, const MoveVerdict& verdict);
    void SendDraw(const DrawnCards& drawn);
    void StoreRuleSetting(int sender, const protocol::ClientMessage& message);
    // The end of the match is taken once no game is set up or being played.
    MoveVerdict EndOfMatchVerdict() const;
    void SetupFailedFor(int player);
    // Relays a chat text within the limits of its length and of the sender's pace.
    void RelayChat(int sender, std::string_view text);
    void EndPairAfterPeerLoss(int lostPlayer);
    // Takes the player out of play at once, closes its connection and ends the pair's game.
    void DropPlayer(ConnectionId id, std::string_view reason);
    void AskForNextGame(int sender);

    // The wait on a silent player (game_idle.cpp): restarted when the awaited player or
    // the step changes, or when the awaited player is heard from.
    void WatchIdle(int heardFrom);

    // Taking a seat back after a lost connection (game_return.cpp).
    // The lost connection's seat is held; false when it is not to be held.
    bool HoldSeat(int player);
    void GiveReturnKeys();
    // The match is over: no seat is held and nobody can come back to it.
    void ForgetReturns();
    // The game from the player's side, as the table keeps it.
    protocol::SeatPosition PositionOf(int player) const;
    void SendPosition(int player);

    // Set-up, deal and draw (game_setup.cpp).
    // Every change of step goes through here: the timer runs exactly while settings are awaited.
    void SetStep(SetupStep step);
    void StartSetup();
    void AdvanceSetup();
    enum class SetupEnd { Agreed, SameName, OtherRules };
    SetupEnd CompareSettings();
    void AnnounceAgreement();
    void Deal();
    void Draw(int player, std::string_view countText, std::string_view text);
    void ResetGame();

    ClientLinks& links_;
    EventLog& log_;
    RandomSource& random_;
    SetupTimer& timer_;
    std::chrono::milliseconds settingsTimeout_ = kDefaultSettingsTimeout;
    std::vector<Connection> connections_;  // live connections in the order they came

    SetupStep step_ = SetupStep::Idle;
    std::array<PlayerSettings, 2> settings_;
    std::array<bool, 2> settingsComplete_{};
    std::array<bool, 2> readyForDeal_{};
    // Each player counts once per game: one player alone can never start a set-up.
    std::array<bool, 2> askedForNextGame_{};
    // The rules agreed for the next deal, kept at the agreement: a setting sent after it
    // changes nothing.
    rules::RuleOptions agreedRules_;
    bool agreedPoints_ = false;
    TableMatch match_{random_};
    bool checkMoves_ = false;
    std::array<int, 2> refusedMoves_{};  // in the game being played
    std::array<SeatReturn, 2> returns_;
    // Room kept from one message sent to the next: a move's messages allocate nothing.
    std::string message_;
    std::string wireBytes_;
    SetupTimer* returnTimer_ = nullptr;
    SetupTimer* idleTimer_ = nullptr;
    std::chrono::seconds idleWait_ = kDefaultIdleWait;
    int idleAwaited_ = -1;
    SetupStep idleStep_ = SetupStep::Idle;
    // Which player was heard from last, for a match whose turns the server cannot follow.
    std::array<std::uint64_t, 2> lastHeard_{};
    std::uint64_t heardCount_ = 0;
    std::chrono::seconds returnWait_ = kDefaultReturnWait;
    std::function<void(const std::string& address)> setupFailed_;
    std::function<ChatLimit::Clock::time_point()> now_ = [] { return ChatLimit::Clock::now(); };
    RateLimit messageLines_{kMessageLogBurst, kMessageLogRefill};
};

}  // namespace tarvel::server
