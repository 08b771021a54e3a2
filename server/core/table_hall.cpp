#include "server/core/table_hall.h"

#include <algorithm>
#include <utility>

#include "common/cp1250.h"
#include "protocol/client_messages.h"
#include "protocol/framing.h"
#include "protocol/server_messages.h"

namespace tarvel::server {
namespace {

// A newcomer that names a table sends a few dozen bytes; past this, whatever it is
// sending is not a table's name and goes to a table as it came.
constexpr std::size_t kMostHeldBytes = 256;

std::size_t CharacterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Origin(const std::string& address, std::uint16_t port) {
    return address + " přes port " + std::to_string(port);
}

std::string RefusalReason(Admission::Verdict verdict) {
    switch (verdict) {
        case Admission::Verdict::TooManyFromAddress:
            return "z adresy je připojeno příliš mnoho klientů";
        case Admission::Verdict::Pausing:
            return "z adresy se opakovaně nedaří začít hru, další spojení na chvíli nepřijímám";
        case Admission::Verdict::TooMany:
        case Admission::Verdict::Welcome:
            break;
    }
    return "příliš mnoho klientů";
}

}  // namespace

// Puts the table in front of each of its lines.
class TableHall::TableLog final : public EventLog {
  public:
    TableLog(EventLog& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}
    void Log(std::string_view line) override {
        if (prefix_.empty()) {
            out_.Log(line);
            return;
        }
        std::string prefixed = prefix_;
        prefixed += line;
        out_.Log(prefixed);
    }

  private:
    EventLog& out_;
    std::string prefix_;
};

struct TableHall::Table {
    Table(std::string tableName, EventLog& out, std::string prefix, std::unique_ptr<SetupTimer> setupTimer,
          std::unique_ptr<SetupTimer> returnWaitTimer, std::unique_ptr<SetupTimer> idleWaitTimer,
          ClientLinks& links, RandomSource& random)
        : name(std::move(tableName)),
          log(out, std::move(prefix)),
          timer(std::move(setupTimer)),
          returnTimer(std::move(returnWaitTimer)),
          idleTimer(std::move(idleWaitTimer)),
          game(links, log, random, *timer) {
        game.SetReturnTimer(returnTimer.get());
        game.SetIdleTimer(idleTimer.get());
    }

    std::string name;
    TableLog log;
    std::unique_ptr<SetupTimer> timer;
    std::unique_ptr<SetupTimer> returnTimer;
    std::unique_ptr<SetupTimer> idleTimer;
    GameServer game;
};

TableHall::TableHall(int tables, ClientLinks& links, EventLog& log, RandomSource& random, TimerSource& timers)
    : links_(links), log_(log), random_(random), timers_(timers) {
    tables_.resize(static_cast<std::size_t>(std::max(tables, 1)));
    if (tables_.size() == 1) {
        // One table for the whole life of the server, its lines as they always were.
        single_ = true;
        OpenTable(std::nullopt);
    }
}

TableHall::~TableHall() = default;

const GameServer* TableHall::TableGame(int index) const {
    if (index < 0 || index >= TableCount() || !tables_[static_cast<std::size_t>(index)]) return nullptr;
    return &tables_[static_cast<std::size_t>(index)]->game;
}

std::string TableHall::TableName(int index) const {
    if (index < 0 || index >= TableCount() || !tables_[static_cast<std::size_t>(index)]) return {};
    return tables_[static_cast<std::size_t>(index)]->name;
}

void TableHall::SetSettingsTimeout(std::chrono::milliseconds timeout) {
    settingsTimeout_ = timeout;
    for (auto& table : tables_) {
        if (table) table->game.SetSettingsTimeout(timeout);
    }
}

void TableHall::SetReturnWait(std::chrono::seconds wait) {
    returnWait_ = wait;
    for (auto& table : tables_) {
        if (table) table->game.SetReturnWait(wait);
    }
}

void TableHall::SetIdleWait(std::chrono::seconds wait) {
    idleWait_ = wait;
    for (auto& table : tables_) {
        if (table) table->game.SetIdleWait(wait);
    }
}

void TableHall::SetMoveChecking(bool on) {
    checkMoves_ = on;
    for (auto& table : tables_) {
        if (table) table->game.SetMoveChecking(on);
    }
}

TableHall::Table* TableHall::TableOf(ConnectionId id) {
    if (single_) return tables_[0].get();
    auto it = seated_.find(id);
    return it == seated_.end() ? nullptr : tables_[static_cast<std::size_t>(it->second)].get();
}

int TableHall::OpenTable(const std::optional<std::string>& name) {
    const auto free = std::find(tables_.begin(), tables_.end(), nullptr);
    const int index = static_cast<int>(free - tables_.begin());
    std::string prefix = single_ ? std::string() : "stůl " + std::to_string(index + 1) + ": ";
    auto timer = timers_.MakeTimer([this, index] {
        if (auto& table = tables_[static_cast<std::size_t>(index)]) {
            Touch(index);
            table->game.SettingsWaitExpired();
        }
    });
    auto returnTimer = timers_.MakeTimer([this, index] {
        auto& table = tables_[static_cast<std::size_t>(index)];
        if (!table) return;
        Touch(index);
        table->game.ReturnWaitExpired();
        // Both players may be gone now, with no disconnect left to free the table.
        if (!single_ && !table->game.HasConnections()) {
            table->log.Log("stůl je volný");
            spentTable_ = Close(index);
        }
    });
    auto idleTimer = timers_.MakeTimer([this, index] {
        if (auto& table = tables_[static_cast<std::size_t>(index)]) {
            Touch(index);
            table->game.IdleWaitExpired();
        }
    });
    *free = std::make_unique<Table>(name.value_or(std::string()), log_, std::move(prefix), std::move(timer),
                                    std::move(returnTimer), std::move(idleTimer), links_, random_);
    (*free)->game.SetSettingsTimeout(settingsTimeout_);
    (*free)->game.SetReturnWait(returnWait_);
    (*free)->game.SetMoveChecking(checkMoves_);
    (*free)->game.SetIdleWait(idleWait_);
    (*free)->game.SetSetupFailureHandler(
        [this](const std::string& address) { admission_.SetupFailed(address, now_()); });
    if (name) {
        named_[*name] = index;
        (*free)->log.Log("stůl pojmenován " + *name);
    }
    return index;
}

void TableHall::ClientConnected(ConnectionId id, std::string address, std::uint16_t port) {
    ++changes_;
    const Admission::Verdict verdict = admission_.Arrive(address, now_());
    if (verdict != Admission::Verdict::Welcome) {
        Newcomer refused;
        refused.address = std::move(address);
        refused.port = port;
        TurnAway(id, refused, RefusalReason(verdict));
        return;
    }
    admitted_[id] = address;
    if (single_ && !tables_[0]->game.ExpectsReturns()) {
        if (SingleTableTaken()) {
            Newcomer refused;
            refused.address = std::move(address);
            refused.port = port;
            TurnAway(id, refused, "příliš mnoho klientů");
            return;
        }
        Touch(0);
        tables_[0]->game.ClientConnected(id, std::move(address), port);
        return;
    }
    Newcomer& newcomer = held_[id];
    newcomer.address = std::move(address);
    newcomer.port = port;
    newcomer.timer = timers_.MakeTimer([this, id] { JoinWaitExpired(id); });
    newcomer.timer->Start(joinWait_);
}

void TableHall::JoinWaitExpired(ConnectionId id) {
    auto it = held_.find(id);
    if (it == held_.end()) return;
    // Kept until the next expiry: a timer is never destroyed from inside its own call.
    spentTimer_ = std::move(it->second.timer);
    ++changes_;
    std::string bytes = std::move(it->second.bytes);
    Seat(id, std::nullopt, bytes);
}

void TableHall::ClientRead(ConnectionId id, std::string_view bytes) {
    ++changes_;
    auto it = held_.find(id);
    if (it == held_.end()) {
        // Turned away: what it says changes nothing.
        Table* table = TableOf(id);
        if (table == nullptr || turnedAway_.contains(id)) return;
        const int index = IndexOf(id);
        const SetupStep step = table->game.Step();
        const std::size_t players = table->game.PlayerCount();
        table->game.ClientRead(id, bytes);
        // A move leaves the table's line as it was: only the set-up, the end of a match or a
        // player's going changes it.
        if (step != SetupStep::Playing || table->game.Step() != step ||
            table->game.PlayerCount() != players) {
            Touch(index);
        }
        return;
    }
    std::string& held = it->second.bytes;
    held.append(bytes);
    // Empty messages say nothing yet; they go all at once, so a read costs what it holds.
    held.erase(0, held.find_first_not_of(protocol::kMessageTerminator));
    const std::size_t end = held.find(protocol::kMessageTerminator);
    const std::size_t zero = held.find('\0');
    if (end == std::string::npos && zero == std::string::npos && held.size() <= kMostHeldBytes) return;
    std::string all = std::move(held);
    if (end == std::string::npos || zero < end) {
        Seat(id, std::nullopt, all);  // not a table's name: a table takes it as it is
        return;
    }
    const std::string first = Cp1250ToUtf8(std::string_view(all).substr(0, end));
    const auto opening = protocol::ParseClientMessage(first);
    const auto kind = opening ? std::optional(opening->kind) : std::nullopt;
    if (kind == protocol::ClientKind::Reconnect) {
        Return(id, opening->value, std::string_view(all).substr(end + 1));
    } else if (single_) {
        Seat(id, std::nullopt, all);  // one table: every message reaches it as it came
    } else if (kind == protocol::ClientKind::Join) {
        Seat(id, std::string(opening->value), std::string_view(all).substr(end + 1));
    } else {
        Seat(id, std::nullopt, all);
    }
}

std::optional<int> TableHall::FindSeat(const std::optional<std::string>& name) const {
    if (name) {
        // Looked up, not searched for: at 5,000 tables the walk through them took a fifth
        // of the time it takes to seat them all.
        if (const auto named = named_.find(*name); named != named_.end()) {
            if (tables_[static_cast<std::size_t>(named->second)]->game.PlayerCount() < 2) return named->second;
            return std::nullopt;  // that table has its pair
        }
    } else {
        for (std::size_t i = 0; i < tables_.size(); ++i) {
            const auto& table = tables_[i];
            if (table && table->name.empty() && table->game.PlayerCount() == 1) {
                return static_cast<int>(i);  // the one waiting for anyone
            }
        }
    }
    const auto free = std::find(tables_.begin(), tables_.end(), nullptr);
    if (free == tables_.end()) return std::nullopt;
    return -1;  // a free table, opened when taken
}

void TableHall::Seat(ConnectionId id, std::optional<std::string> name, std::string_view bytesAfter) {
    auto it = held_.find(id);
    if (it == held_.end()) return;
    Newcomer newcomer = std::move(it->second);
    held_.erase(it);
    if (single_) {
        if (SingleTableTaken()) {
            TurnAway(id, newcomer, "příliš mnoho klientů");
            return;
        }
        // Held only while a seat there may be taken back: the table decides as always.
        Touch(0);
        GameServer& game = tables_[0]->game;
        game.ClientConnected(id, std::move(newcomer.address), newcomer.port);
        if (!bytesAfter.empty()) game.ClientRead(id, bytesAfter);
        return;
    }
    if (name && name->empty()) name.reset();  // "join=" with no name: anyone
    if (name && CharacterCount(*name) > kMostTableNameChars) {
        TurnAway(id, newcomer, "jméno stolu je delší než " + std::to_string(kMostTableNameChars) + " znaků");
        return;
    }
    std::optional<int> index = FindSeat(name);
    if (!index) {
        TurnAway(id, newcomer, name ? "stůl " + *name + " je obsazen" : "příliš mnoho klientů");
        return;
    }
    if (*index < 0) index = OpenTable(name);
    seated_[id] = *index;
    Touch(*index);
    GameServer& game = tables_[static_cast<std::size_t>(*index)]->game;
    game.ClientConnected(id, std::move(newcomer.address), newcomer.port);
    if (!bytesAfter.empty()) game.ClientRead(id, bytesAfter);
}

bool TableHall::SingleTableTaken() const {
    return tables_[0]->game.PlayerCount() >= 2;
}

void TableHall::TurnAway(ConnectionId id, const Newcomer& newcomer, std::string_view why) {
    const bool logged = LogsTurnAway();
    const std::string from = Origin(newcomer.address, newcomer.port);
    if (logged) log_.Log("Klient připojen z adresy " + from);
    links_.Write(id, protocol::EncodeForWire(protocol::FormatServerMessage(protocol::ServerKind::Busy)));
    if (logged) log_.Log("Klient z adresy " + from + " odpojen, " + std::string(why));
    links_.Close(id);
    turnedAway_.emplace(id, logged ? newcomer.address : std::string());
}

bool TableHall::LogsTurnAway() {
    const std::int64_t dropped = turnAwayLines_.DroppedInARow();
    if (!turnAwayLines_.Take(now_())) {
        if (turnAwayLines_.DroppedInARow() == 1) {
            log_.Log("příliš mnoho odmítnutých připojení, další se na chvíli nezapisují");
        }
        return false;
    }
    if (dropped > 0) log_.Log("odmítnutých připojení nezapsáno: " + std::to_string(dropped));
    return true;
}

void TableHall::Return(ConnectionId id, std::string_view ticket, std::string_view bytesAfter) {
    auto it = held_.find(id);
    if (it == held_.end()) return;
    Newcomer newcomer = std::move(it->second);
    held_.erase(it);
    const protocol::ReturnTicket returning = protocol::ParseReturnTicket(ticket);
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        auto& table = tables_[i];
        if (!table || !table->game.ClientReturned(id, newcomer.address, newcomer.port, returning.secret,
                                                  returning.received))
            continue;
        if (!single_) seated_[id] = static_cast<int>(i);
        Touch(static_cast<int>(i));
        if (!bytesAfter.empty()) table->game.ClientRead(id, bytesAfter);
        return;
    }
    TurnAway(id, newcomer, "neplatný klíč k návratu do hry");
}

void TableHall::ClientDisconnected(ConnectionId id) {
    ++changes_;
    if (auto it = admitted_.find(id); it != admitted_.end()) {
        admission_.Leave(it->second, now_());
        admitted_.erase(it);
    }
    if (auto it = held_.find(id); it != held_.end()) {
        log_.Log("Odpojen klient" + it->second.address);
        held_.erase(it);
        return;
    }
    if (auto it = turnedAway_.find(id); it != turnedAway_.end()) {
        if (!it->second.empty()) log_.Log("Odpojen klient" + it->second);
        turnedAway_.erase(it);
        return;
    }
    if (single_) {
        Touch(0);
        tables_[0]->game.ClientDisconnected(id);
        return;
    }
    auto it = seated_.find(id);
    if (it == seated_.end()) return;
    const int index = it->second;
    seated_.erase(it);
    Touch(index);
    tables_[static_cast<std::size_t>(index)]->game.ClientDisconnected(id);
    FreeIfEmpty(index);
}

void TableHall::ClientCutOff(ConnectionId id, std::string_view what) {
    ++changes_;
    if (const int index = IndexOf(id); index >= 0) Touch(index);
    if (auto held = held_.find(id); held != held_.end()) {
        log_.Log("Klient z adresy " + held->second.address + " přes port " + std::to_string(held->second.port) + " " +
                 std::string(what) + ", spojení uzavřeno");
    } else if (Table* table = TableOf(id)) {
        table->game.ClientCutOff(id, what);
    }
}

void TableHall::ClientNotReading(ConnectionId id) {
    ++changes_;
    if (const int index = IndexOf(id); index >= 0) Touch(index);
    if (Table* table = TableOf(id)) table->game.ClientNotReading(id);
}

int TableHall::IndexOf(ConnectionId id) const {
    if (single_) return 0;
    auto it = seated_.find(id);
    return it == seated_.end() ? -1 : it->second;
}

void TableHall::Touch(int index) {
    ++changes_;
    const auto at = static_cast<std::size_t>(index);
    if (tableChanged_.size() < tables_.size()) tableChanged_.resize(tables_.size(), false);
    if (tableChanged_[at]) return;
    tableChanged_[at] = true;
    changedTables_.push_back(index);
}

std::vector<int> TableHall::TakeChangedTables() {
    for (int index : changedTables_) tableChanged_[static_cast<std::size_t>(index)] = false;
    return std::exchange(changedTables_, {});
}

void TableHall::FreeIfEmpty(int index) {
    auto& table = tables_[static_cast<std::size_t>(index)];
    if (single_ || !table || table->game.HasConnections()) return;
    table->log.Log("stůl je volný");
    Close(index);
}

std::unique_ptr<TableHall::Table> TableHall::Close(int index) {
    auto& table = tables_[static_cast<std::size_t>(index)];
    if (!table->name.empty()) named_.erase(table->name);
    return std::move(table);
}

}  // namespace tarvel::server
