// Holding the seat of a player whose connection was lost, and taking it back with the
// secret the player was given when the match was agreed.
#include <algorithm>

#include "rules/card_names.h"
#include "server/core/game_server.h"
#include "protocol/seat_position.h"
#include "server/core/seat_secret.h"

namespace tarvel::server {
namespace {

using protocol::ServerKind;

std::string Digit(int player) {
    return std::to_string(player);
}

}  // namespace

bool GameServer::ExpectsReturns() const {
    return returns_[0].Issued() || returns_[1].Issued();
}

bool GameServer::SeatHeld() const {
    return std::any_of(connections_.begin(), connections_.end(), [](const Connection& c) { return c.away && !c.gone; });
}

void GameServer::GiveReturnKeys() {
    // A wait of nothing: a lost player ends the match at once, as it always has.
    if (returnTimer_ == nullptr || returnWait_.count() <= 0) return;
    for (int player = 0; player < 2; ++player) {
        SeatReturn& seat = returns_[static_cast<std::size_t>(player)];
        const Connection* connection = PlayerAt(player);
        // One secret for the whole match, given to a client that asked for it.
        if (seat.Issued() || connection == nullptr || connection->away) continue;
        if (!connection->canReturn) continue;
        seat.Issue(NewSeatSecret());
        // Not kept for sending again: the client that comes back already has it.
        links_.Write(connection->id, protocol::EncodeForWire(protocol::FormatReturnKey(
                                         seat.Secret(), static_cast<int>(returnWait_.count()))));
        Log("Hráči " + Digit(player) + " zaslán klíč k návratu do hry");
    }
}

bool GameServer::HoldSeat(int player) {
    if (returnTimer_ == nullptr || player < 0 || player > 1) return false;
    if (!returns_[static_cast<std::size_t>(player)].Issued()) return false;
    Connection* connection = PlayerAt(player);
    // Both seats may be held: players who reach the server through one network (a
    // tarvelweb, a club) lose it together, and both come back.
    if (connection == nullptr || connection->away) return false;
    connection->away = true;
    connection->splitter.Clear();
    Log("Odpojen klient" + connection->address);
    Log("Hráč " + Digit(player) + " ztratil spojení, jeho místo je drženo " + std::to_string(returnWait_.count()) +
        " s");
    const int other = 1 - player;
    // Only a client that can itself come back knows the message (kept for one away).
    if (returns_[static_cast<std::size_t>(other)].Issued()) {
        Send(other, ServerKind::OpponentLost, std::to_string(returnWait_.count()));
    }
    returnTimer_->Start(returnWait_);
    WatchIdle(-1);
    return true;
}

void GameServer::ReturnWaitExpired() {
    auto away = std::find_if(connections_.begin(), connections_.end(),
                             [](const Connection& c) { return c.away && !c.gone; });
    if (away == connections_.end()) return;  // a late timer event: the player is back
    const int number = PlayerNumberOf(away->id);
    Log("Hráč " + Digit(number) + " se do hry včas nevrátil");
    connections_.erase(away);
    EndPairAfterPeerLoss(number);
}

bool GameServer::ClientReturned(ConnectionId id, std::string address, std::uint16_t port, std::string_view secret,
                                std::uint64_t receivedByClient) {
    if (secret.empty()) return false;
    int player = -1;
    SeatReturn::Shown shown = SeatReturn::Shown::None;
    for (int p = 0; p < 2; ++p) {
        const SeatReturn::Shown matched = returns_[static_cast<std::size_t>(p)].Matches(secret);
        if (matched == SeatReturn::Shown::None) continue;
        player = p;
        shown = matched;
    }
    Connection* connection = player < 0 ? nullptr : PlayerAt(player);
    // Only a held seat is taken back: a seat whose player is here stays his.
    if (connection == nullptr || !connection->away || connection->gone) return false;

    connection->id = id;
    connection->address = std::move(address);
    connection->port = port;
    connection->splitter.Clear();
    connection->away = false;
    connection->closing = false;
    if (returnTimer_ != nullptr && !SeatHeld()) returnTimer_->Stop();
    Log("Hráč " + Digit(player) + " se vrátil do hry z adresy " + connection->address);

    SeatReturn& seat = returns_[static_cast<std::size_t>(player)];
    seat.CameBackWith(shown);
    WriteNow(id, ServerKind::Reconnected, std::to_string(seat.Received()));
    for (const std::string& missed : seat.SentSince(receivedByClient)) links_.Write(id, protocol::EncodeForWire(missed));
    SendPosition(player);
    const int other = 1 - player;
    if (returns_[static_cast<std::size_t>(other)].Issued()) Send(other, ServerKind::OpponentBack);
    WatchIdle(-1);
    // A secret serves one return: whoever saw it on its way can never use it once the
    // client has confirmed the fresh one.
    seat.Renew(NewSeatSecret());
    links_.Write(id, protocol::EncodeForWire(protocol::FormatReturnKey(seat.Secret(), static_cast<int>(returnWait_.count()))));
    // Its settings were asked for while it was away: the limit counts from now.
    if ((step_ == SetupStep::AwaitingSettings0 && player == 0) ||
        (step_ == SetupStep::AwaitingSettings1 && player == 1)) {
        timer_.Start(settingsTimeout_);
    }
    return true;
}

void GameServer::ForgetReturns() {
    for (auto& seat : returns_) seat.Close();
    if (returnTimer_ != nullptr) returnTimer_->Stop();
    std::erase_if(connections_, [](const Connection& c) { return c.away; });
}

protocol::SeatPosition GameServer::PositionOf(int player) const {
    protocol::SeatPosition position;
    const int other = 1 - player;
    position.gameNumber = match_.GameNumber();
    position.yourWins = match_.Wins(player);
    position.opponentWins = match_.Wins(other);
    position.yourPoints = match_.Points(player);
    position.opponentPoints = match_.Points(other);
    if (!match_.Dealt()) return position;
    const rules::SeatView view = match_.ViewFor(player);
    for (rules::CardId card = 0; card < rules::kCards; ++card) {
        if (rules::Holds(view.ownHand, card)) position.hand.push_back(rules::CardName(card));
    }
    if (view.top != rules::kNoCard) position.top = rules::CardName(view.top);
    position.namedSuit = rules::SuitMarker(view.namedSuit);
    position.opponentCards = view.otherCount;
    position.yourTurn = view.toMove == player && !match_.Position().Over();
    position.pendingDraw = view.pendingDraw;
    position.acePending = view.acePending;
    position.suitToName = view.suitToName;
    return position;
}

void GameServer::SendPosition(int player) {
    Send(player, ServerKind::Position, protocol::EncodeSeatPosition(PositionOf(player)));
}

}  // namespace tarvel::server
