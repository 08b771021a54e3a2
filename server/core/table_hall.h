// The server's tables: every pair of players plays its own match at its own table,
// each table a GameServer of its own with its own set-up, cards, relays and timer.
//
// With one table (the default) every connection goes straight to that table, which
// seats two players and turns the others away with "busy", exactly as a server of one
// pair always has.
//
// With several tables a newcomer may name the table it wants by sending "join=NAME"
// as its first message. A client that names no table never sends anything before the
// server speaks to it, so a newcomer is held for a short fixed time (kDefaultJoinWait):
// a "join=" that comes within it seats the client at once at the named table; silence
// until it runs out, or any other first message, seats it with the next client that
// names none, in the order they came. Two clients naming one table meet there whoever
// else comes meanwhile. A client finds no seat ("busy") when every table is taken, or
// when the table it names already has its pair.
//
// A player who lost its connection during a match comes back by sending
// "reconnect=SECRET;COUNT" as its first message: it is seated again at the table whose
// seat the secret was given for, wherever that is; any other secret finds no seat
// ("busy"). While a player of the one table of a one-table server may come back, a
// newcomer there is held in the same way until it has spoken or the short wait is over.
//
// A table is made when its first player sits down and given back when its last
// connection has gone, so an empty table costs one pointer. Every log line of a table
// starts with "stůl N: " (N counted from 1); the lines themselves are those of one pair.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/random_source.h"
#include "server/core/admission.h"
#include "server/core/game_server.h"
#include "server/core/rate_limit.h"
#include "server/core/server_links.h"

namespace tarvel::server {

// The longest table name a client may send, in characters.
inline constexpr std::size_t kMostTableNameChars = 32;

class TableHall {
  public:
    static constexpr std::chrono::milliseconds kDefaultJoinWait{500};

    // `tables` below 1 counts as 1.
    TableHall(int tables, ClientLinks& links, EventLog& log, RandomSource& random, TimerSource& timers);
    ~TableHall();
    TableHall(const TableHall&) = delete;
    TableHall& operator=(const TableHall&) = delete;

    void ClientConnected(ConnectionId id, std::string address, std::uint16_t port);
    void ClientDisconnected(ConnectionId id);
    void ClientRead(ConnectionId id, std::string_view bytes);
    void ClientNotReading(ConnectionId id);
    // See GameServer::ClientCutOff; a connection at no table is logged here.
    void ClientCutOff(ConnectionId id, std::string_view what);

    // Apply to tables set up from now on, and to newcomers from now on.
    void SetSettingsTimeout(std::chrono::milliseconds timeout);
    void SetJoinWait(std::chrono::milliseconds wait) { joinWait_ = wait; }
    // How long a lost player's seat is held, for tables set up from now on and the
    // losses to come at the others.
    void SetReturnWait(std::chrono::seconds wait);
    // Whether a move the rules refuse is kept from the other player, at every table.
    void SetMoveChecking(bool on);
    // Connections at once from one address, and in all; newcomers past them get "busy".
    void SetConnectionLimits(int perAddress, int total) { admission_.SetLimits(perAddress, total); }
    void SetTrustedAddresses(const std::vector<std::string>& addresses) { admission_.SetTrusted(addresses); }
    // Where the time comes from (the steady clock unless a test sets its own).
    void SetClock(std::function<Admission::Clock::time_point()> now) { now_ = std::move(now); }
    // How long a match waits for a silent player (0: for ever), at every table from now on.
    void SetIdleWait(std::chrono::seconds wait);

    int TableCount() const { return static_cast<int>(tables_.size()); }
    // The game at a table (index from 0), or null while the table is free. With one
    // table the game is always there.
    const GameServer* TableGame(int index) const;
    // The name the table was taken by; empty for a table of clients that named none.
    std::string TableName(int index) const;
    // Newcomers whose table is not decided yet.
    std::size_t WaitingForName() const { return held_.size(); }
    // Grows with every change a window showing the tables would show.
    std::uint64_t Changes() const { return changes_; }
    // The tables (indices from 0) whose line may have changed since the last call: a window
    // of 5,000 tables redraws those, not all of them.
    std::vector<int> TakeChangedTables();

  private:
    struct Table;
    class TableLog;
    struct Newcomer {
        std::string address;
        std::uint16_t port = 0;
        std::string bytes;  // what it sent so far, as it came
        std::unique_ptr<SetupTimer> timer;
    };

    Table* TableOf(ConnectionId id);
    void JoinWaitExpired(ConnectionId id);
    // Seats the newcomer (taking it out of the held ones) and hands it what it sent.
    void Seat(ConnectionId id, std::optional<std::string> name, std::string_view bytesAfter);
    // The table for the name (or for anyone), -1 for a free one to open, nothing when
    // there is no seat.
    std::optional<int> FindSeat(const std::optional<std::string>& name) const;
    // Opens the first free table and returns its index.
    int OpenTable(const std::optional<std::string>& name);
    void TurnAway(ConnectionId id, const Newcomer& newcomer, std::string_view why);
    // The one table of a one-table server has its pair: a newcomer is turned away here, as
    // the table would, under the log's limit for turned-away newcomers.
    bool SingleTableTaken() const;
    // Whether a turned-away connection's lines are written: a flood of connections from
    // anywhere would otherwise fill the log with three lines each.
    bool LogsTurnAway();
    // The newcomer showed a secret ("SECRET;COUNT"): back to its seat, or turned away.
    void Return(ConnectionId id, std::string_view ticket, std::string_view bytesAfter);
    void FreeIfEmpty(int index);
    // Frees the table's place and its name; gives the table, to be destroyed by the caller.
    std::unique_ptr<Table> Close(int index);
    void Touch(int index);
    // The table a connection sits at, or -1.
    int IndexOf(ConnectionId id) const;

    ClientLinks& links_;
    EventLog& log_;
    RandomSource& random_;
    TimerSource& timers_;
    std::chrono::milliseconds settingsTimeout_ = GameServer::kDefaultSettingsTimeout;
    std::chrono::milliseconds joinWait_ = kDefaultJoinWait;
    std::chrono::seconds returnWait_ = GameServer::kDefaultReturnWait;
    std::chrono::seconds idleWait_ = GameServer::kDefaultIdleWait;
    bool checkMoves_ = false;
    bool single_ = false;
    std::vector<std::unique_ptr<Table>> tables_;    // null while free
    std::unordered_map<ConnectionId, int> seated_;  // connection -> its table
    std::unordered_map<std::string, int> named_;    // name -> the open table taken by it
    std::unordered_map<ConnectionId, Newcomer> held_;
    std::unique_ptr<SetupTimer> spentTimer_;  // the last newcomer's timer that ran out
    // The last table freed by its own timer: kept until the next, never destroyed in its call.
    std::unique_ptr<Table> spentTable_;
    // Turned away with "busy": only their going is still logged (an empty address: not
    // even that, their coming was left out of the log).
    std::unordered_map<ConnectionId, std::string> turnedAway_;
    RateLimit turnAwayLines_{GameServer::kMessageLogBurst, GameServer::kMessageLogRefill};
    std::uint64_t changes_ = 0;
    std::vector<int> changedTables_;
    std::vector<bool> tableChanged_;  // by index: listed in changedTables_
    Admission admission_;
    std::unordered_map<ConnectionId, std::string> admitted_;  // connection -> its address
    std::function<Admission::Clock::time_point()> now_ = [] { return Admission::Clock::now(); };
};

}  // namespace tarvel::server
