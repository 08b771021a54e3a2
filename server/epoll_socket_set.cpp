#include "server/epoll_socket_set.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTimer>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace tarvel::server {
namespace {

// The listening socket's key in the set; connections count from 1.
constexpr std::uint64_t kListeningKey = 0;
// Ready sockets taken from the kernel at one wake-up, and connections accepted at one:
// the rest wait for the next turn of the event loop, so timers and the window keep theirs.
constexpr int kEventsPerWake = 256;
constexpr int kAcceptsPerWake = 64;
// Bytes already sent stay at the front of what waits until they are this many.
constexpr std::size_t kCompactFrom = 64 * 1024;

std::string SystemError(int error) {
    return std::strerror(error);
}

bool OutOfResources(int error) {
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

// A failure of one connection that was already on its way: the next may well succeed.
bool ConnectionGoneBeforeAccepted(int error) {
    return error == EINTR || error == ECONNABORTED || error == EPROTO || error == EPERM;
}

}  // namespace

EpollSocketSet::EpollSocketSet(Events& events) : events_(events), readBuffer_(kReadChunkBytes, '\0') {
    epollFd_ = epoll_create1(EPOLL_CLOEXEC);
    if (epollFd_ < 0) return;  // Listen reports it
    notifier_ = std::make_unique<QSocketNotifier>(epollFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Wake(); });
}

EpollSocketSet::~EpollSocketSet() {
    notifier_.reset();
    for (auto& [id, connection] : connections_) close(connection.fd);
    if (listenFd_ >= 0) close(listenFd_);
    if (epollFd_ >= 0) close(epollFd_);
}

bool EpollSocketSet::Listen(std::uint16_t port, std::string* error) {
    const auto fail = [&](int code) {
        if (error != nullptr) *error = SystemError(code);
        if (listenFd_ >= 0) close(listenFd_);
        listenFd_ = -1;
        return false;
    };
    if (epollFd_ < 0) return fail(EMFILE);
    if (listenFd_ >= 0) return true;
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) return fail(errno);
    // A server started again at once must get its port back from connections still closing.
    const int one = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return fail(errno);
    if (listen(listenFd_, SOMAXCONN) != 0) return fail(errno);
    socklen_t length = sizeof address;
    if (getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return fail(errno);
    port_ = ntohs(address.sin_port);
    accepting_ = false;
    ResumeAccepting();
    if (!accepting_) return fail(errno);
    return true;
}

void EpollSocketSet::StopListening() {
    if (listenFd_ < 0) return;
    close(listenFd_);  // leaves the epoll set with it
    listenFd_ = -1;
    port_ = 0;
    accepting_ = false;
}

void EpollSocketSet::PauseAccepting() {
    if (listenFd_ < 0 || !accepting_) return;
    epoll_ctl(epollFd_, EPOLL_CTL_DEL, listenFd_, nullptr);
    accepting_ = false;
}

void EpollSocketSet::ResumeAccepting() {
    if (listenFd_ < 0 || accepting_) return;
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = kListeningKey;
    accepting_ = epoll_ctl(epollFd_, EPOLL_CTL_ADD, listenFd_, &event) == 0;
}

std::vector<ConnectionId> EpollSocketSet::Connections() const {
    std::vector<ConnectionId> ids;
    for (const auto& [id, connection] : connections_) {
        if (connection.state != State::Lingering) ids.push_back(id);
    }
    return ids;
}

std::size_t EpollSocketSet::BytesHeld() const {
    std::size_t held = 0;
    for (const auto& [id, connection] : connections_) held += connection.unsent.size() - connection.unsentFrom;
    return held;
}

void EpollSocketSet::Wake() {
    std::array<epoll_event, kEventsPerWake> ready{};
    const int count = epoll_wait(epollFd_, ready.data(), kEventsPerWake, 0);
    waking_ = true;
    for (int i = 0; i < count; ++i) {
        const epoll_event& event = ready[static_cast<std::size_t>(i)];
        const ConnectionId id = event.data.u64;
        if (id == kListeningKey) {
            AcceptAll();
        } else {
            Ready(id, event.events);
        }
        // What this event brought about goes out now, not after the rest of the batch: at
        // a busy server a move's answer would otherwise wait for hundreds of other tables.
        FlushWritten();
    }
    waking_ = false;
    FlushWritten();  // what was written when told a connection had drained
}

void EpollSocketSet::Ready(ConnectionId id, std::uint32_t events) {
    // An earlier handler of this batch may have closed it; ids are never reused.
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    // Read when it may be read, or to find the close or the error behind a hang-up.
    const bool read =
        (events & (EPOLLHUP | EPOLLERR)) != 0 || ((events & EPOLLIN) != 0 && it->second.reading);
    if ((events & EPOLLOUT) != 0 && it->second.watchingWrites) Writable(id);
    if (read) Readable(id);
}

void EpollSocketSet::FlushWritten() {
    if (written_.empty()) return;
    flushPosted_ = false;
    // Swapped, not moved out: the list keeps its room from one relay to the next.
    flushing_.swap(written_);
    for (ConnectionId id : flushing_) {
        auto it = connections_.find(id);
        if (it == connections_.end()) continue;
        Connection& connection = it->second;
        connection.flushDue = false;
        // A failure shows at the next wake-up as the socket's error, and its end is reported then.
        if (connection.watchingWrites || !Flush(connection)) continue;
        if (connection.unsentFrom < connection.unsent.size()) {
            WatchWrites(connection, id, true);
        } else if (connection.state == State::Open) {
            events_.Drained(id);
        }
    }
    flushing_.clear();
}

void EpollSocketSet::AcceptAll() {
    for (int accepted = 0; accepting_ && accepted < kAcceptsPerWake; ++accepted) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        const int fd =
            accept4(listenFd_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            if (error == EAGAIN || error == EWOULDBLOCK) return;
            if (ConnectionGoneBeforeAccepted(error)) continue;
            // Out of files or memory, or worse: the listening socket would wake us at
            // once again, so it leaves the set until the listener resumes it.
            PauseAccepting();
            events_.AcceptFailed(SystemError(error));
            return;
        }
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSendBufferBytes, sizeof kSendBufferBytes);
        const ConnectionId id = nextId_++;
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = id;
        if (epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &event) != 0) {
            const int error = errno;
            close(fd);
            if (OutOfResources(error)) {
                PauseAccepting();
                events_.AcceptFailed(SystemError(error));
                return;
            }
            continue;
        }
        connections_[id].fd = fd;
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
        events_.Accepted(id, text, ntohs(peer.sin_port));
    }
}

void EpollSocketSet::Readable(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    Connection& connection = it->second;
    // One read a wake-up: a flood waits with the system while the others have their turn.
    const ssize_t got = read(connection.fd, readBuffer_.data(), readBuffer_.size());
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (got <= 0) {
        if (connection.state == State::Lingering) {
            Forget(id);
        } else {
            End(id);
        }
        return;
    }
    // A closing connection has nothing more to say to the game.
    if (connection.state != State::Open) return;
    events_.Received(id, std::string_view(readBuffer_.data(), static_cast<std::size_t>(got)));
}

void EpollSocketSet::Writable(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    Connection& connection = it->second;
    if (!Flush(connection)) {
        End(id);
        return;
    }
    if (connection.unsentFrom < connection.unsent.size()) return;
    WatchWrites(connection, id, false);
    if (connection.state == State::Draining) {
        ShutWhenDrained(id);
    } else if (connection.state == State::Open) {
        events_.Drained(id);
    }
}

bool EpollSocketSet::Flush(Connection& connection) {
    while (connection.unsentFrom < connection.unsent.size()) {
        const ssize_t sent = send(connection.fd, connection.unsent.data() + connection.unsentFrom,
                                  connection.unsent.size() - connection.unsentFrom, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) break;
            return false;
        }
        connection.unsentFrom += static_cast<std::size_t>(sent);
    }
    if (connection.unsentFrom == connection.unsent.size()) {
        // A burst's buffer is not kept for the rest of the connection's life.
        if (connection.unsent.capacity() > kCompactFrom) {
            connection.unsent = std::string();
        } else {
            connection.unsent.clear();
        }
        connection.unsentFrom = 0;
    } else if (connection.unsentFrom >= kCompactFrom &&
               connection.unsentFrom * 2 >= connection.unsent.size()) {
        // Linear in what is sent: the front goes once it is at least half of what waits.
        connection.unsent.erase(0, connection.unsentFrom);
        connection.unsentFrom = 0;
    }
    return true;
}

void EpollSocketSet::WatchWrites(Connection& connection, ConnectionId id, bool on) {
    if (connection.watchingWrites == on) return;
    connection.watchingWrites = on;
    Watch(connection, id);
}

void EpollSocketSet::Watch(const Connection& connection, ConnectionId id) {
    epoll_event event{};
    // A hang-up or an error is reported even while reading waits: the close is still seen.
    event.events = (connection.reading ? EPOLLIN : 0u) | (connection.watchingWrites ? EPOLLOUT : 0u);
    event.data.u64 = id;
    epoll_ctl(epollFd_, EPOLL_CTL_MOD, connection.fd, &event);
}

void EpollSocketSet::PauseReading(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end() || !it->second.reading) return;
    it->second.reading = false;
    Watch(it->second, id);
}

void EpollSocketSet::ResumeReading(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end() || it->second.reading) return;
    it->second.reading = true;
    Watch(it->second, id);  // what waits with the system wakes the loop at once
}

std::size_t EpollSocketSet::Write(ConnectionId id, std::string_view bytes) {
    auto it = connections_.find(id);
    if (it == connections_.end() || it->second.state != State::Open) return 0;
    Connection& connection = it->second;
    connection.unsent.append(bytes);
    // Sent once the read that brought it about is handled: the messages of one move go
    // out in one send, not one send (and one wake-up of the player) each.
    if (!connection.flushDue && !connection.watchingWrites) {
        connection.flushDue = true;
        written_.push_back(id);
        if (!waking_ && !flushPosted_) {
            // Written from a timer or the window: sent from the event loop, right after.
            flushPosted_ = true;
            QMetaObject::invokeMethod(
                this, [this] { FlushWritten(); }, Qt::QueuedConnection);
        }
    }
    return connection.unsent.size() - connection.unsentFrom;
}

void EpollSocketSet::CloseWhenSent(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end() || it->second.state != State::Open) return;
    it->second.state = State::Draining;
    // From the event loop: the end is reported, never from inside this call.
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            auto found = connections_.find(id);
            if (found == connections_.end() || found->second.state != State::Draining) return;
            Connection& connection = found->second;
            if (connection.watchingWrites) return;  // shut once the rest has gone
            if (!Flush(connection)) {
                End(id);
            } else if (connection.unsentFrom == connection.unsent.size()) {
                ShutWhenDrained(id);
            } else {
                WatchWrites(connection, id, true);
            }
        },
        Qt::QueuedConnection);
    QTimer::singleShot(kCloseGraceMs, this, [this, id] {
        auto found = connections_.find(id);
        if (found == connections_.end()) return;
        if (found->second.state == State::Lingering) {
            Forget(id);
        } else {
            End(id);  // it never took what waited for it
        }
    });
}

void EpollSocketSet::ShutWhenDrained(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    Connection& connection = it->second;
    // Our side ends after the last byte; the file stays until the peer closes too, so what
    // it still sends meets no reset that could cost it the last messages.
    shutdown(connection.fd, SHUT_WR);
    connection.state = State::Lingering;
    connection.unsent = std::string();
    connection.unsentFrom = 0;
    WatchWrites(connection, id, false);
    events_.Ended(id);
}

void EpollSocketSet::Abort(ConnectionId id) {
    Forget(id);
}

void EpollSocketSet::Forget(ConnectionId id) {
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    close(it->second.fd);  // leaves the epoll set with it
    connections_.erase(it);
}

void EpollSocketSet::End(ConnectionId id) {
    Forget(id);
    events_.Ended(id);
}

}  // namespace tarvel::server
