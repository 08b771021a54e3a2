#include "server/client_listener.h"

#include <sys/resource.h>

#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

namespace tarvel::server {
namespace {

// Files the process keeps for itself below the open-files limit: the program, Qt and the
// libraries it loads, the listening socket, the log. Connections never take them.
constexpr int kFilesKeptFree = 64;
// Room between the connections admitted and those the listener takes at all: a newcomer
// past the limits is still taken long enough to be told "busy".
constexpr int kRoomForRefusals = 64;
// After the system refuses a connection (out of files), accepting pauses this long.
constexpr int kAcceptPauseMs = 1000;

int OpenFilesLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur == RLIM_INFINITY) return 1 << 20;
    return static_cast<int>(std::min<rlim_t>(files.rlim_cur, 1 << 20));
}

}  // namespace

ClientListener::ClientListener(EventLog& log, RandomSource& random, int tables, QObject* parent,
                               SocketSetKind sockets)
    : QObject(parent), sockets_(MakeSocketSet(sockets, *this)), log_(log), random_(random) {
    socketCap_ = std::max(4, OpenFilesLimit() - kFilesKeptFree);
    connectionCap_ = std::max(2, socketCap_ - kRoomForRefusals);
    resumeTimer_.setSingleShot(true);
    resumeTimer_.setInterval(kAcceptPauseMs);
    connect(&resumeTimer_, &QTimer::timeout, this, [this] { ResumeAcceptingWhenRoom(); });
    SetTables(tables);
}

void ClientListener::SetTables(int tables) {
    if (sockets_->IsListening() || sockets_->OpenCount() != 0) return;
    hall_ = std::make_unique<TableHall>(tables, *this, log_, random_, *this);
    hall_->SetSettingsTimeout(settingsTimeout_);
    hall_->SetJoinWait(joinWait_);
    hall_->SetMoveChecking(checkMoves_);
    hall_->SetReturnWait(reconnectWait_);
    hall_->SetIdleWait(idleWait_);
    hall_->SetConnectionLimits(perAddress_, connectionCap_);
    hall_->SetTrustedAddresses(trustedAddresses_);
}

void ClientListener::SetIdleWait(std::chrono::seconds wait) {
    idleWait_ = wait;
    hall_->SetIdleWait(wait);
}

void ClientListener::SetConnectionLimits(int perAddress, int total) {
    perAddress_ = std::max(1, perAddress);
    const int fromFiles = std::max(2, socketCap_ - kRoomForRefusals);
    connectionCap_ = total > 0 ? std::min(total, fromFiles) : fromFiles;
    hall_->SetConnectionLimits(perAddress_, connectionCap_);
}

void ClientListener::SetTrustedAddresses(const std::vector<std::string>& addresses) {
    trustedAddresses_ = addresses;
    hall_->SetTrustedAddresses(addresses);
}

void ClientListener::AcceptFailed(const std::string& reason) {
    // Accepting is paused now; without a resume nobody could connect again.
    log_.Log("Nelze přijmout spojení (" + reason + "), další přijímám za " +
             std::to_string(kAcceptPauseMs / 1000) + " s");
    acceptPaused_ = true;
    resumeTimer_.start();
}

void ClientListener::ResumeAcceptingWhenRoom() {
    if (!acceptPaused_ || resumeTimer_.isActive()) return;
    if (static_cast<int>(sockets_->OpenCount()) >= socketCap_) {
        resumeTimer_.start();
        return;
    }
    acceptPaused_ = false;
    sockets_->ResumeAccepting();
}

void ClientListener::SetReconnectWait(std::chrono::seconds wait) {
    reconnectWait_ = wait;
    hall_->SetReturnWait(wait);
}

void ClientListener::SetSettingsTimeout(std::chrono::milliseconds timeout) {
    settingsTimeout_ = timeout;
    hall_->SetSettingsTimeout(timeout);
}

void ClientListener::SetJoinWait(std::chrono::milliseconds wait) {
    joinWait_ = wait;
    hall_->SetJoinWait(wait);
}

void ClientListener::SetMoveChecking(bool on) {
    checkMoves_ = on;
    hall_->SetMoveChecking(on);
}

std::unique_ptr<SetupTimer> ClientListener::MakeTimer(std::function<void()> onExpiry) {
    return timers_.MakeTimer(std::move(onExpiry));
}

ClientListener::~ClientListener() = default;

bool ClientListener::StartListening(quint16 port, QString* error) {
    std::string reason;
    if (sockets_->Listen(port, &reason)) return true;
    if (error != nullptr) *error = QString::fromStdString(reason);
    return false;
}

void ClientListener::StopListening() {
    sockets_->StopListening();
    acceptPaused_ = false;
    resumeTimer_.stop();
    for (ConnectionId id : sockets_->Connections()) {
        sockets_->Abort(id);
        Ended(id);  // at once: the game hears of it before listening may start again
    }
}

void ClientListener::Write(ConnectionId id, std::string_view bytes) {
    // A connection being dropped for not reading takes nothing more.
    if (notReading_.count(id) != 0) return;
    const std::size_t unsent = sockets_->Write(id, bytes);
    if (unsent > kMaxUnsentBytes) {
        notReading_.insert(id);
        // Later, from the event loop: the game must never be re-entered from its own call.
        QMetaObject::invokeMethod(
            this, [this, id] { DropClientNotReading(id); }, Qt::QueuedConnection);
    } else if (unsent > flowLimits_.unsentPauseBytes) {
        auto it = flows_.find(id);
        if (it == flows_.end()) return;
        it->second.limits.Unsent(unsent, ConnectionFlow::Clock::now());
        CheckFlow(id);
        // Whoever sent what is relayed here waits with it: nothing of theirs is read meanwhile.
        if (reading_ == 0 || reading_ == id) return;
        auto source = flows_.find(reading_);
        if (source == flows_.end() || source->second.heldBy != 0) return;
        source->second.heldBy = id;
        it->second.holding.push_back(reading_);
        CheckFlow(reading_);
    }
}

void ClientListener::ReleaseHeld(Flow& flow) {
    for (ConnectionId held : std::exchange(flow.holding, {})) {
        auto it = flows_.find(held);
        if (it == flows_.end()) continue;
        it->second.heldBy = 0;
        // From the event loop: this may run inside the game's call or the connection's end.
        QMetaObject::invokeMethod(
            this, [this, held] { CheckFlow(held); }, Qt::QueuedConnection);
    }
}

void ClientListener::Drained(ConnectionId id) {
    auto it = flows_.find(id);
    if (it == flows_.end() || !it->second.paused) return;
    it->second.limits.Unsent(0, ConnectionFlow::Clock::now());
    ReleaseHeld(it->second);
    CheckFlow(id);
}

void ClientListener::CheckFlow(ConnectionId id) {
    auto it = flows_.find(id);
    if (it == flows_.end() || it->second.cutOff) return;
    Flow& flow = it->second;
    const auto now = ConnectionFlow::Clock::now();
    const ConnectionFlow::Over over = flow.limits.Limit(now);
    if (over != ConnectionFlow::Over::Nothing && flow.limits.Overdue(now)) {
        CutOff(id, over);
        return;
    }
    if (over == ConnectionFlow::Over::Nothing) {
        if (flow.heldBy != 0 && !flow.paused) {
            flow.paused = true;
            sockets_->PauseReading(id);
        } else if (flow.heldBy == 0 && flow.paused) {
            flow.paused = false;
            if (flow.recheck) flow.recheck->Stop();
            sockets_->ResumeReading(id);
        }
        return;
    }
    if (!flow.paused) {
        flow.paused = true;
        sockets_->PauseReading(id);
    }
    // Looked at again when the input is back within bounds, or when it is time to cut it off;
    // a drained output says so itself.
    auto next = flow.limits.CutAt();
    if (over == ConnectionFlow::Over::Input) next = std::min(next, flow.limits.InputBackAt());
    if (!flow.recheck) flow.recheck = timers_.MakeTimer([this, id] { CheckFlow(id); });
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now);
    flow.recheck->Start(std::max(wait, std::chrono::milliseconds(1)));
}

void ClientListener::CutOff(ConnectionId id, ConnectionFlow::Over over) {
    Flow& flow = flows_.at(id);
    flow.cutOff = true;
    sockets_->PauseReading(id);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(flowLimits_.overLimitCut).count();
    const std::string what =
        over == ConnectionFlow::Over::Input
            ? "posílá rychleji než " + std::to_string(flowLimits_.readBytesPerSecond / 1024) + " KiB/s déle než " +
                  std::to_string(seconds) + " s"
            : "nepřijímá data, neodesláno přes " + std::to_string(flowLimits_.unsentPauseBytes / 1024) +
                  " KiB déle než " + std::to_string(seconds) + " s";
    // Later, from the event loop: this may run inside the game's own write, or inside the
    // timer that the end destroys.
    QMetaObject::invokeMethod(
        this,
        [this, id, what] {
            if (live_.count(id) == 0) return;
            hall_->ClientCutOff(id, what);
            sockets_->Abort(id);
            Ended(id);
        },
        Qt::QueuedConnection);
}

void ClientListener::DropClientNotReading(ConnectionId id) {
    if (notReading_.count(id) == 0) return;
    hall_->ClientNotReading(id);
    // What waits for this client is thrown away at once rather than after the close's grace time.
    sockets_->Abort(id);
    Ended(id);
}

void ClientListener::Close(ConnectionId id, std::chrono::milliseconds after) {
    // Later, from the event loop: the game must never be re-entered from its own call.
    QTimer::singleShot(after, this, [this, id] { sockets_->CloseWhenSent(id); });
}

void ClientListener::Accepted(ConnectionId id, const std::string& address, std::uint16_t port) {
    live_.insert(id);
    flows_.try_emplace(id, flowLimits_, ConnectionFlow::Clock::now());
    hall_->ClientConnected(id, address, port);
    if (static_cast<int>(sockets_->OpenCount()) >= socketCap_ && !acceptPaused_) {
        // Full: further connections wait with the system until one of these goes.
        sockets_->PauseAccepting();
        acceptPaused_ = true;
    }
}

void ClientListener::Received(ConnectionId id, std::string_view bytes) {
    bytesReceived_ += bytes.size();
    auto it = flows_.find(id);
    if (it == flows_.end() || it->second.cutOff) return;  // what it sends is no more the game's
    it->second.limits.Read(bytes.size(), ConnectionFlow::Clock::now());
    reading_ = id;
    hall_->ClientRead(id, bytes);
    reading_ = 0;
    CheckFlow(id);
}

void ClientListener::Ended(ConnectionId id) {
    if (live_.erase(id) == 0) return;
    notReading_.erase(id);
    if (auto it = flows_.find(id); it != flows_.end()) {
        ReleaseHeld(it->second);
        if (it->second.heldBy != 0) {
            if (auto holder = flows_.find(it->second.heldBy); holder != flows_.end()) {
                std::erase(holder->second.holding, id);
            }
        }
        flows_.erase(it);
    }
    hall_->ClientDisconnected(id);
    ResumeAcceptingWhenRoom();
}

}  // namespace tarvel::server
