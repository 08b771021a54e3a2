// The TCP side of the server: the listening socket and the client connections on the
// Qt event loop. It hands connects, reads and disconnects to the game logic and
// carries the game's writes and closes back to the sockets. Nothing here blocks, and
// nothing a client does can make it hold more than kMaxUnsentBytes for that client: a
// client that sends too fast or reads too little is read no more until it is back within
// bounds (see ConnectionFlow), and cut off when it stays out of them. It keeps the
// connections below the open-files limit and goes on accepting after the system refused
// one.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/random_source.h"
#include "server/core/connection_flow.h"
#include "server/core/game_server.h"
#include "server/core/server_links.h"
#include "server/core/table_hall.h"
#include "server/socket_set.h"
#include "server/timer_queue.h"

namespace tarvel::server {

class ClientListener final : public QObject,
                             public ClientLinks,
                             public TimerSource,
                             private SocketSet::Events {
    Q_OBJECT

  public:
    // `tables`: how many pairs play at once (1, the default, is one pair and "busy" for the rest).
    ClientListener(EventLog& log, RandomSource& random, int tables = 1, QObject* parent = nullptr,
                   SocketSetKind sockets = SocketSetKind::Best);
    ~ClientListener() override;

    // Listens on all IPv4 addresses; on failure the reason is in `error`.
    bool StartListening(quint16 port, QString* error = nullptr);
    // Stops listening and closes every client connection.
    void StopListening();
    bool IsListening() const { return sockets_->IsListening(); }
    quint16 ListeningPort() const { return sockets_->Port(); }

    // The game of a server with one table.
    const GameServer& Game() const { return *hall_->TableGame(0); }
    const TableHall& Hall() const { return *hall_; }
    // The tables whose line may have changed since the last call (see TableHall).
    std::vector<int> TakeChangedTables() { return hall_->TakeChangedTables(); }
    // A new set of empty tables; only while not listening (with no client connected).
    void SetTables(int tables);
    // How long a player may take to answer "req settings" (15 s unless set).
    void SetSettingsTimeout(std::chrono::milliseconds timeout);
    // How long a newcomer at a server of several tables has to name its table.
    void SetJoinWait(std::chrono::milliseconds wait);
    // How long the seat of a player who lost the connection during a match is held.
    void SetReconnectWait(std::chrono::seconds wait);
    // Whether moves are put to the rules before they are relayed (off unless set).
    void SetMoveChecking(bool on);
    // How long a match waits for a silent player (600 s unless set; 0: for ever).
    void SetIdleWait(std::chrono::seconds wait);
    // Connections at once from one address and in all (0: as many as the open-files limit
    // leaves room for); the rest are told "busy".
    void SetConnectionLimits(int perAddress, int total);
    // Addresses whose connections count only in all (see Admission::SetTrusted).
    void SetTrustedAddresses(const std::vector<std::string>& addresses);
    // The connections the server takes at most, with room kept below the open-files limit.
    int ConnectionCap() const { return connectionCap_; }
    // What one connection may make the server do; for connections from now on.
    void SetFlowLimits(const ConnectionFlow::Limits& limits) { flowLimits_ = limits; }
    // Bytes the server holds for its connections: output waiting and input not yet handled.
    std::size_t BytesHeld() const { return sockets_->BytesHeld(); }
    // Bytes read from all clients so far: lets a test know that the server has
    // handled everything it sent.
    std::uint64_t BytesReceived() const { return bytesReceived_; }

    void Write(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id, std::chrono::milliseconds after) override;
    std::unique_ptr<SetupTimer> MakeTimer(std::function<void()> onExpiry) override;

  private:
    void Accepted(ConnectionId id, const std::string& address, std::uint16_t port) override;
    void Received(ConnectionId id, std::string_view bytes) override;
    void Ended(ConnectionId id) override;
    void Drained(ConnectionId id) override;
    void AcceptFailed(const std::string& reason) override;
    void DropClientNotReading(ConnectionId id);
    // Pauses or resumes reading the connection as its flow says, and cuts it off when it
    // stayed out of bounds too long.
    void CheckFlow(ConnectionId id);
    void CutOff(ConnectionId id, ConnectionFlow::Over over);
    void ResumeAcceptingWhenRoom();

    std::unique_ptr<SocketSet> sockets_;
    // Connections the game knows of: each is told to it once and its end once.
    std::unordered_set<ConnectionId> live_;
    // Connections past the output limit: they take no more writes and are dropped from the event loop.
    std::unordered_set<ConnectionId> notReading_;
    struct Flow {
        Flow(const ConnectionFlow::Limits& bounds, ConnectionFlow::Clock::time_point now) : limits(bounds, now) {}
        ConnectionFlow limits;
        bool paused = false;  // not read for now
        bool cutOff = false;  // its end is on the way
        // Sent what is relayed to a connection that does not read: waits until that one
        // has drained or is gone.
        ConnectionId heldBy = 0;
        std::vector<ConnectionId> holding;  // the connections it holds so
        std::unique_ptr<SetupTimer> recheck;  // made for the first pause
    };
    // Lets go of the connections held by one whose output drained or which is gone.
    void ReleaseHeld(Flow& flow);
    std::unordered_map<ConnectionId, Flow> flows_;
    ConnectionFlow::Limits flowLimits_;
    // The connection whose bytes the game is handling now (0: none, a timer or the window).
    ConnectionId reading_ = 0;
    std::uint64_t bytesReceived_ = 0;
    EventLog& log_;
    RandomSource& random_;
    std::chrono::milliseconds settingsTimeout_ = GameServer::kDefaultSettingsTimeout;
    std::chrono::milliseconds joinWait_ = TableHall::kDefaultJoinWait;
    std::chrono::seconds reconnectWait_ = GameServer::kDefaultReturnWait;
    bool checkMoves_ = false;
    std::chrono::seconds idleWait_ = GameServer::kDefaultIdleWait;
    int perAddress_ = 16;
    std::vector<std::string> trustedAddresses_;
    int socketCap_ = 0;      // sockets at once: the open-files limit less what the process keeps
    int connectionCap_ = 0;  // connections admitted: less again, so a refusal can still be told
    bool acceptPaused_ = false;
    // Looks again for room while accepting is paused and closing connections still hold files.
    QTimer resumeTimer_;
    TimerQueue timers_;
    std::unique_ptr<TableHall> hall_;  // last: it goes before the timers and sockets it uses
};

}  // namespace tarvel::server
