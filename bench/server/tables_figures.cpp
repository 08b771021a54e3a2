// Figures for a server of many tables, measured by playing at all of them at once.
//
//   tables_figures play PORT SERVER_PID TABLES MOVING SECONDS RATE
//     Seats TABLES pairs, each from a loopback address of its own and at a table it names,
//     brings every pair through the set-up and the deal, then for SECONDS has MOVING of
//     them (the others sit quiet) draw a card in turn, RATE draws a second in all, round
//     the tables. A draw is a move every rule allows at any time (once the stock is spent
//     it gives nothing and still passes the turn), so a server that checks moves relays
//     them all. Each relay is timed from the mover's write of "req cardN=1" to the other
//     player's "pickup done". Prints the pairs dealt, the relay's median and 99th
//     percentile, the server's processor time per relay and its resident memory per table.
//
//   tables_figures attack PORT SERVER_PID TABLES SECONDS RATE
//     Seats TABLES pairs and a pair more, then plays as above twice: quietly, then while
//     one player of the extra pair floods the other with chat and one address holds as
//     many silent connections as the server lets it (opening a new one whenever the
//     server closes one). Prints both relays and their ratio.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

// A loopback address of its own for every table: the server limits connections per address.
std::string TableAddress(int table) {
    return "127.1." + std::to_string(table / 200) + "." + std::to_string(table % 200 + 1);
}

// A client of the measuring program; blocking while seated, read only when ready after.
class Peer {
  public:
    Peer(int port, const std::string& from) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0) Fail("socket");
        sockaddr_in source{};
        source.sin_family = AF_INET;
        inet_pton(AF_INET, from.c_str(), &source.sin_addr);
        if (bind(fd_, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0) Fail("bind " + from);
        sockaddr_in server{};
        server.sin_family = AF_INET;
        server.sin_port = htons(static_cast<std::uint16_t>(port));
        server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd_, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) Fail("connect");
        const int one = 1;
        setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    Peer(Peer&& other) noexcept : fd_(other.fd_), buffer_(std::move(other.buffer_)) { other.fd_ = -1; }
    Peer& operator=(Peer&& other) noexcept {
        std::swap(fd_, other.fd_);
        buffer_.swap(other.buffer_);
        return *this;
    }
    Peer(const Peer&) = delete;
    ~Peer() {
        if (fd_ >= 0) close(fd_);
    }
    int Fd() const { return fd_; }
    void Send(const std::string& message) { SendRaw(message + "\\"); }
    void SendRaw(const std::string& bytes) {
        if (write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Fail("write");
    }
    // Reads until a message equals `wanted` (or starts with it when it ends in '='), and gives it.
    std::string WaitFor(const std::string& wanted) {
        for (;;) {
            const auto end = buffer_.find('\\');
            if (end != std::string::npos) {
                std::string message = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                if (message == wanted || (wanted.back() == '=' && message.rfind(wanted, 0) == 0))
                    return message;
                continue;
            }
            if (!ReadSome()) Fail("the server closed while waiting for " + wanted);
        }
    }
    // One read of what is there; calls `onMessage` for each whole message. False: closed.
    bool ReadReady(const std::function<void(const std::string&)>& onMessage) {
        if (!ReadSome()) return false;
        std::size_t from = 0;
        for (std::size_t end; (end = buffer_.find('\\', from)) != std::string::npos; from = end + 1) {
            onMessage(buffer_.substr(from, end - from));
        }
        buffer_.erase(0, from);
        return true;
    }

  private:
    bool ReadSome() {
        char chunk[8192];
        const ssize_t got = read(fd_, chunk, sizeof chunk);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) return true;
        if (got <= 0) return false;
        buffer_.append(chunk, static_cast<std::size_t>(got));
        return true;
    }

    int fd_ = -1;
    std::string buffer_;
};

void SendSettings(Peer& peer, const std::string& n, const std::string& name) {
    std::string all;
    for (const char* key : {"kolikbrat", "kralpikovy", "navratdohry", "hranabody", "donucen", "zamichat",
                            "pocetkol", "pocetrozdavanych"}) {
        const std::string k = key;
        const std::string value = k == "pocetrozdavanych" ? "6" : k == "donucen" ? "0" : "1";
        all += "info " + k + n + "=" + value + "\\";
    }
    all += "info pohlhrac" + n + "=m\\info uzivatel" + n + "=" + name + "\\infosettings" + n + " done\\";
    peer.SendRaw(all);
}

struct Table {
    std::vector<Peer> players;
    int mover = 0;
    bool busy = false;
    Clock::time_point sentAt;
    // How long the server and the clients had waited for a processor when the move was sent.
    std::int64_t serverWaitedAtSend = 0, clientsWaitedAtSend = 0;
    bool heard[2] = {false, false};
};

// Two players from `from` meet at the table named `name` and are dealt.
Table Seat(int port, const std::string& from, const std::string& name) {
    Table table;
    table.players.emplace_back(port, from);
    table.players[0].Send("join=" + name);
    table.players.emplace_back(port, from);
    table.players[1].Send("join=" + name);
    // The two joins may be read in either order (which of two ready sockets an event loop
    // serves first is its own choice), so each peer learns its number from the server.
    const bool swapped = table.players[0].WaitFor("yournumber=") == "yournumber=1";
    table.players[1].WaitFor("yournumber=");
    if (swapped) std::swap(table.players[0], table.players[1]);
    table.players[0].WaitFor("req settings");
    SendSettings(table.players[0], "0", "Jana " + name);
    table.players[1].WaitFor("req settings");
    SendSettings(table.players[1], "1", "Petr " + name);
    table.mover = table.players[0].WaitFor("firstplayer=").back() == '1' ? 1 : 0;
    table.players[1].WaitFor("firstplayer=");
    table.players[0].Send("req startcard0");
    table.players[1].Send("req startcard1");
    table.players[0].WaitFor("startcard done");
    table.players[1].WaitFor("startcard done");
    return table;
}

long StatusKiB(int pid, const char* field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
    }
    return 0;
}

// User and system time of the process, in clock ticks.
long CpuTicks(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14 || i == 15) ticks += std::atol(field.c_str());
    }
    return ticks;
}

// Nanoseconds a thread has spent ready to run but waiting for a processor, from the
// scheduler's own count (/proc/.../schedstat, second field); 0 where the kernel keeps none.
class RunQueueWait {
  public:
    explicit RunQueueWait(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    RunQueueWait(const RunQueueWait&) = delete;
    ~RunQueueWait() {
        if (fd_ >= 0) close(fd_);
    }
    std::int64_t Nanoseconds() const {
        char text[128];
        const ssize_t got = fd_ < 0 ? -1 : pread(fd_, text, sizeof text - 1, 0);
        if (got <= 0) return 0;
        text[got] = '\0';
        const char* second = std::strchr(text, ' ');
        return second == nullptr ? 0 : std::atoll(second + 1);
    }

  private:
    int fd_;
};

// The slowest relays taken apart: whether, while each was under way, the server or the
// measuring clients had to wait for a processor for at least half of it (the machine's
// doing), or neither did (the server's own work, or the way between).
struct SlowRelays {
    std::size_t count = 0, serverWaited = 0, clientsWaited = 0, neither = 0;
    double serverWaitMs = 0, clientsWaitMs = 0;
};

struct RelayFigures {
    SlowRelays slow;
    double serverWaitMs = 0, clientsWaitMs = 0;
    double p50 = 0, p99 = 0;
    std::size_t relays = 0;
    double cpuMicrosPerRelay = 0;
    double cpuShare = 0;
};

// Something else the loop serves while the tables play (an attacker); keyed from 1 << 30.
struct Sideline {
    std::function<void(std::uint32_t key, std::uint32_t events)> onEvent;
};

constexpr std::uint32_t kSidelineKeys = 1u << 30;

class Bench {
  public:
    Bench(int port, int server) : port_(port), server_(server), poll_(epoll_create1(EPOLL_CLOEXEC)) {}

    void SeatTables(int count) {
        for (int t = 0; t < count; ++t) {
            tables_.push_back(Seat(port_, TableAddress(t), "t" + std::to_string(t)));
            for (int seat = 0; seat < 2; ++seat)
                Watch(tables_.back().players[seat].Fd(), Key(t, seat), EPOLLIN);
        }
    }
    std::size_t Tables() const { return tables_.size(); }
    int Poll() const { return poll_; }
    void Watch(int fd, std::uint32_t key, std::uint32_t events) {
        epoll_event event{};
        event.events = events;
        event.data.u32 = key;
        if (epoll_ctl(poll_, EPOLL_CTL_ADD, fd, &event) != 0) Fail("epoll_ctl");
    }
    void SetSideline(Sideline sideline) { sideline_ = std::move(sideline); }

    // `moving` tables draw in turn at `rate` draws a second in all for `seconds`.
    RelayFigures Relay(int moving, double seconds, double rate) {
        std::vector<double> micros;
        struct Waits {
            double micros, server, clients;
        };
        std::vector<Waits> waits;
        const RunQueueWait serverWait("/proc/" + std::to_string(server_) + "/schedstat");
        const RunQueueWait clientsWait("/proc/thread-self/schedstat");
        const std::int64_t serverWaitBefore = serverWait.Nanoseconds();
        const std::int64_t clientsWaitBefore = clientsWait.Nanoseconds();
        const auto interval = std::chrono::duration<double>(1.0 / rate);
        const long ticksBefore = CpuTicks(server_);
        const auto start = Clock::now();
        const auto end =
            start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        std::uint64_t ticks = 0;
        int cursor = 0;
        int busyTables = 0;
        std::vector<epoll_event> events(512);
        for (;;) {
            auto now = Clock::now();
            const bool sending = now < end;
            // Counted, not looked for: a walk over thousands of tables at every turn of this
            // loop would hold up the replies it is there to time.
            if (!sending && busyTables == 0) break;
            if (!sending && now > end + std::chrono::seconds(10)) Fail("relays lost");
            while (sending) {
                const auto due = start + std::chrono::duration_cast<Clock::duration>(
                                             interval * static_cast<double>(ticks));
                if (due > now) break;
                ++ticks;
                // The next table that is not still waiting for its last draw; none: this tick is lost.
                for (int tried = 0; tried < moving; ++tried) {
                    Table& table = tables_[static_cast<std::size_t>(cursor)];
                    cursor = (cursor + 1) % moving;
                    if (table.busy) continue;
                    table.busy = true;
                    ++busyTables;
                    table.heard[0] = table.heard[1] = false;
                    table.serverWaitedAtSend = serverWait.Nanoseconds();
                    table.clientsWaitedAtSend = clientsWait.Nanoseconds();
                    table.sentAt = Clock::now();
                    table.players[static_cast<std::size_t>(table.mover)].Send(
                        "req card" + std::to_string(table.mover) + "=1");
                    break;
                }
                now = Clock::now();
            }
            const auto next =
                start + std::chrono::duration_cast<Clock::duration>(interval * static_cast<double>(ticks));
            const int ready = Wait(events, sending ? std::max(Clock::duration::zero(), next - now)
                                                   : std::chrono::milliseconds(100));
            if (ready < 0 && errno != EINTR) Fail("epoll_wait");
            const auto arrived = Clock::now();
            // Read once a wake-up, and only when something came.
            std::int64_t serverWaited = -1, clientsWaited = -1;
            for (int i = 0; i < ready; ++i) {
                const epoll_event& event = events[static_cast<std::size_t>(i)];
                if (event.data.u32 >= kSidelineKeys) {
                    sideline_.onEvent(event.data.u32, event.events);
                    continue;
                }
                const std::size_t index = event.data.u32 / 2;
                const int seat = static_cast<int>(event.data.u32 % 2);
                Table& table = tables_[index];
                const bool open =
                    table.players[static_cast<std::size_t>(seat)].ReadReady([&](const std::string& m) {
                        if (m != "pickup done" || !table.busy) return;
                        table.heard[seat] = true;
                        if (seat != table.mover) {
                            const double took =
                                std::chrono::duration<double, std::micro>(arrived - table.sentAt).count();
                            micros.push_back(took);
                            if (serverWaited < 0) {
                                serverWaited = serverWait.Nanoseconds();
                                clientsWaited = clientsWait.Nanoseconds();
                            }
                            waits.push_back({took, 1e-3 * static_cast<double>(serverWaited - table.serverWaitedAtSend),
                                             1e-3 * static_cast<double>(clientsWaited - table.clientsWaitedAtSend)});
                        }
                        if (table.heard[0] && table.heard[1]) {
                            table.busy = false;
                            --busyTables;
                            table.mover = 1 - table.mover;
                        }
                    });
                if (!open) Fail("the server closed table " + std::to_string(index));
            }
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const long cpu = CpuTicks(server_) - ticksBefore;
        RelayFigures figures;
        std::sort(micros.begin(), micros.end());
        figures.relays = micros.size();
        if (micros.empty()) Fail("no relay");
        const auto at = [&](double q) {
            return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))];
        };
        figures.p50 = at(0.50);
        figures.p99 = at(0.99);
        figures.serverWaitMs = 1e-6 * static_cast<double>(serverWait.Nanoseconds() - serverWaitBefore);
        figures.clientsWaitMs = 1e-6 * static_cast<double>(clientsWait.Nanoseconds() - clientsWaitBefore);
        // The slowest hundredth, those that make the 99th percentile.
        std::sort(waits.begin(), waits.end(), [](const Waits& a, const Waits& b) { return a.micros > b.micros; });
        waits.resize(std::max<std::size_t>(1, waits.size() / 100));
        for (const Waits& w : waits) {
            SlowRelays& slow = figures.slow;
            ++slow.count;
            slow.serverWaitMs += 1e-3 * w.server;
            slow.clientsWaitMs += 1e-3 * w.clients;
            const bool server = 2 * w.server >= w.micros, clients = 2 * w.clients >= w.micros;
            slow.serverWaited += server;
            slow.clientsWaited += clients;
            slow.neither += !server && !clients;
        }
        const double cpuSeconds = static_cast<double>(cpu) / static_cast<double>(sysconf(_SC_CLK_TCK));
        figures.cpuMicrosPerRelay = 1e6 * cpuSeconds / static_cast<double>(micros.size());
        figures.cpuShare = 100.0 * cpuSeconds / wall;
        return figures;
    }

    // Waits for the sockets until `timeout`, to the microsecond where the kernel can: a wait
    // in whole milliseconds rounded down turns the last millisecond before each draw into a
    // loop that never sleeps, and a measuring client that never sleeps is preempted for
    // whole time slices by whatever else shares its core, which then shows in the relays.
    int Wait(std::vector<epoll_event>& events, Clock::duration timeout) {
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(timeout).count();
        const timespec precise{static_cast<time_t>(nanoseconds / 1000000000),
                               static_cast<long>(nanoseconds % 1000000000)};
        int ready = epoll_pwait2(poll_, events.data(), static_cast<int>(events.size()), &precise, nullptr);
        if (ready < 0 && errno == ENOSYS) {
            const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
            ready = epoll_wait(poll_, events.data(), static_cast<int>(events.size()), static_cast<int>(ms));
        }
        return ready;
    }

    static std::uint32_t Key(int table, int seat) { return static_cast<std::uint32_t>(table * 2 + seat); }

  private:
    int port_;
    int server_;
    int poll_;
    std::vector<Table> tables_;
    Sideline sideline_;
};

void Print(const char* what, const RelayFigures& f) {
    std::printf(
        "  %s: relay p50 %.1f us, p99 %.1f us over %zu relays; server %.1f us of processor a relay (%.1f %% "
        "of a core)\n",
        what, f.p50, f.p99, f.relays, f.cpuMicrosPerRelay, f.cpuShare);
    std::printf(
        "    waiting for a processor over the run: server %.1f ms, clients %.1f ms; of the slowest %zu relays,\n"
        "    the server waited half the relay or more in %zu (%.1f ms in all), the clients in %zu (%.1f ms), "
        "neither in %zu\n",
        f.serverWaitMs, f.clientsWaitMs, f.slow.count, f.slow.serverWaited, f.slow.serverWaitMs,
        f.slow.clientsWaited, f.slow.clientsWaitMs, f.slow.neither);
}

// The window's list of tables catches up before anything is measured.
void Settle(int tables) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200 + std::min(1300, tables / 2)));
}

void RaiseOpenFilesLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

int Play(int port, int server, int tables, int moving, double seconds, double rate) {
    Bench bench(port, server);
    const long rssBefore = StatusKiB(server, "VmRSS:");
    const auto seatingStart = Clock::now();
    bench.SeatTables(tables);
    const double seating = std::chrono::duration<double>(Clock::now() - seatingStart).count();
    Settle(tables);
    const long rssDealt = StatusKiB(server, "VmRSS:");
    std::printf("%d table%s (%d connections), %d of them moving, %.0f draws a second in all:\n", tables,
                tables == 1 ? "" : "s", 2 * tables, moving, rate);
    std::printf("  pairs dealt: %zu of %d, in %.2f s\n", bench.Tables(), tables, seating);
    Print("play", bench.Relay(moving, seconds, rate));
    std::printf(
        "  resident: %ld KiB before, %ld KiB with every table dealt: %.1f KiB a table, %.1f KiB a "
        "connection\n",
        rssBefore, rssDealt, static_cast<double>(rssDealt - rssBefore) / tables,
        static_cast<double>(rssDealt - rssBefore) / (2.0 * tables));
    return 0;
}

// Chat of 400 characters, 64 messages to a write: what a flooding client sends.
std::string ChatBatch() {
    std::string batch;
    for (int i = 0; i < 64; ++i) batch += "iwanttosay0=" + std::string(400, 'x') + "\\";
    return batch;
}

int Attack(int port, int server, int tables, double seconds, double rate) {
    Bench bench(port, server);
    bench.SeatTables(tables);
    Table flood = Seat(port, "127.0.0.4", "hluk");
    Settle(tables);
    std::printf(
        "%d tables playing, %.0f draws a second in all; then one more table under a chat flood and\n"
        "one address holding every connection it may, silent:\n",
        tables, rate);
    const RelayFigures quiet = bench.Relay(tables, seconds, rate);
    Print("quiet", quiet);

    // The flooder writes whenever it can; the flooded player reads what reaches it.
    const std::string batch = ChatBatch();
    std::uint64_t chatSent = 0;
    std::size_t chatHeard = 0;
    Peer& flooder = flood.players[0];
    fcntl(flooder.Fd(), F_SETFL, fcntl(flooder.Fd(), F_GETFL) | O_NONBLOCK);
    constexpr std::uint32_t kFlooder = kSidelineKeys, kFlooded = kSidelineKeys + 1,
                            kSilent = kSidelineKeys + 2;
    bench.Watch(flooder.Fd(), kFlooder, EPOLLOUT | EPOLLIN);
    bench.Watch(flood.players[1].Fd(), kFlooded, EPOLLIN);
    // The silent address: as many as the server lets it hold (connectionsperaddress as
    // installed), and a new one for each it closes.
    constexpr int kSilentConnections = 16;
    std::vector<std::unique_ptr<Peer>> silent;
    int silentOpened = 0;
    const auto openSilent = [&](std::size_t slot) {
        silent[slot] = std::make_unique<Peer>(port, "127.0.0.2");
        ++silentOpened;
        bench.Watch(silent[slot]->Fd(), kSilent + static_cast<std::uint32_t>(slot), EPOLLIN);
    };
    silent.resize(kSilentConnections);
    for (std::size_t slot = 0; slot < silent.size(); ++slot) openSilent(slot);
    double floodCutAfter = 0;
    const auto floodStart = std::chrono::steady_clock::now();
    bench.SetSideline({[&](std::uint32_t key, std::uint32_t events) {
        if (key == kFlooder) {
            bool gone = (events & (EPOLLERR | EPOLLHUP)) != 0;
            if ((events & EPOLLOUT) != 0) {
                const ssize_t wrote = write(flooder.Fd(), batch.data(), batch.size());
                if (wrote > 0) chatSent += static_cast<std::uint64_t>(wrote);
                gone = gone || (wrote < 0 && errno != EAGAIN && errno != EINTR);
            }
            if ((events & EPOLLIN) != 0) gone = !flooder.ReadReady([](const std::string&) {}) || gone;
            if (gone) {
                // Cut off by the server: the flood is over.
                epoll_ctl(bench.Poll(), EPOLL_CTL_DEL, flooder.Fd(), nullptr);
                floodCutAfter = std::chrono::duration<double>(std::chrono::steady_clock::now() - floodStart).count();
            }
        } else if (key == kFlooded) {
            flood.players[1].ReadReady([&](const std::string& m) { chatHeard += m.rfind("sayit=", 0) == 0; });
        } else {
            const std::size_t slot = key - kSilent;
            // Reads nothing it is sent, but notices the close, and comes again at once.
            char sink[4096];
            const ssize_t got = recv(silent[slot]->Fd(), sink, sizeof sink, MSG_DONTWAIT);
            if (got == 0 || (got < 0 && errno != EAGAIN)) {
                epoll_ctl(bench.Poll(), EPOLL_CTL_DEL, silent[slot]->Fd(), nullptr);
                openSilent(slot);
            }
        }
    }});
    const RelayFigures attacked = bench.Relay(tables, seconds, rate);
    Print("under attack", attacked);
    std::printf("  ratio under attack / quiet: p50 %.2f, p99 %.2f\n", attacked.p50 / quiet.p50,
                attacked.p99 / quiet.p99);
    std::printf(
        "  the flood: %.1f MiB of chat written, %zu messages reached the flooded player; the silent address\n"
        "  opened %d connections in all\n",
        static_cast<double>(chatSent) / (1 << 20), chatHeard, silentOpened);
    if (floodCutAfter > 0) std::printf("  the flooder was cut off after %.1f s\n", floodCutAfter);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A client the server cut off finds out from a failed write, not by dying of it.
    std::signal(SIGPIPE, SIG_IGN);
    RaiseOpenFilesLimit();
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "play" && argc == 8) {
        return Play(std::atoi(argv[2]), std::atoi(argv[3]), std::max(1, std::atoi(argv[4])),
                    std::max(1, std::atoi(argv[5])), std::atof(argv[6]), std::max(1.0, std::atof(argv[7])));
    }
    if (mode == "attack" && argc == 7) {
        return Attack(std::atoi(argv[2]), std::atoi(argv[3]), std::max(1, std::atoi(argv[4])),
                      std::atof(argv[5]), std::max(1.0, std::atof(argv[6])));
    }
    std::fprintf(stderr,
                 "usage: %s play PORT SERVER_PID TABLES MOVING SECONDS RATE\n"
                 "       %s attack PORT SERVER_PID TABLES SECONDS RATE\n",
                 argv[0], argv[0]);
    return 2;
}
