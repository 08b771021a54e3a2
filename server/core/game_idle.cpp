// The limit on how long a match waits for one silent player: for his request for the
// deal once the rules are agreed, and for his move or the end of his game. A player
// waiting alone for an opponent, or waiting for the other, is never limited.
#include <algorithm>

#include "server/core/game_server.h"

namespace tarvel::server {

int GameServer::AwaitedPlayer() const {
    if (SeatHeld()) return -1;  // the wait for his return decides
    if (step_ == SetupStep::AwaitingReady) {
        if (!readyForDeal_[0]) return 0;
        if (!readyForDeal_[1]) return 1;
        return -1;
    }
    if (step_ != SetupStep::Playing || !match_.Dealt()) return -1;
    if (!match_.Kept()) {
        // Moves relayed as they came: whoever has been silent longer.
        return lastHeard_[0] <= lastHeard_[1] ? 0 : 1;
    }
    const rules::Position& position = match_.Position();
    if (!position.Over()) return position.toMove;
    // Decided: the loser finishes his game first (his points, his cards, his end), and the
    // winner, who waits for the loser's points, only then.
    const int loser = 1 - position.winner;
    if (loser < 0 || loser > 1) return -1;
    const auto ended = [&](int player) {
        const Connection* c = PlayerAt(player);
        return askedForNextGame_[static_cast<std::size_t>(player)] || (c != nullptr && c->matchEnded);
    };
    if (!ended(loser)) return loser;
    if (!ended(1 - loser)) return 1 - loser;
    return -1;
}

void GameServer::WatchIdle(int heardFrom) {
    if (heardFrom == 0 || heardFrom == 1) lastHeard_[static_cast<std::size_t>(heardFrom)] = ++heardCount_;
    if (idleTimer_ == nullptr) return;
    const int awaited = AwaitedPlayer();
    const std::chrono::seconds limit = step_ == SetupStep::AwaitingReady ? kReadyTimeout : idleWait_;
    if (awaited < 0 || limit.count() <= 0) {
        idleTimer_->Stop();
        idleAwaited_ = -1;
        return;
    }
    if (awaited != idleAwaited_ || step_ != idleStep_ || heardFrom == awaited) {
        idleTimer_->Start(limit);
        idleAwaited_ = awaited;
        idleStep_ = step_;
    }
}

void GameServer::IdleWaitExpired() {
    const int player = AwaitedPlayer();
    if (player < 0 || player != idleAwaited_) return;  // a late timer event changes nothing
    Connection* connection = PlayerAt(player);
    if (connection == nullptr || connection->away) return;
    const std::string n = std::to_string(player);
    if (step_ == SetupStep::AwaitingReady) {
        SetupFailedFor(player);
        DropPlayer(connection->id, "Hráč " + n + " nepožádal včas o rozdání karet, spojení uzavřeno");
        return;
    }
    const std::string line =
        "Hráč " + n + " neodpověděl " + std::to_string(idleWait_.count()) + " s, počítá se jako ztracený";
    if (returns_[static_cast<std::size_t>(player)].Issued() && returnTimer_ != nullptr) {
        // A client that can come back gets its wait, as after any lost connection.
        Log(line);
        connection->closing = true;
        idleAwaited_ = -1;
        idleTimer_->Stop();
        links_.Close(connection->id);
        return;
    }
    DropPlayer(connection->id, line);
}

}  // namespace tarvel::server
