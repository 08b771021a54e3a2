// Figures for a server of many tables, measured by playing at all of them at once.
//   tables_figures PORT TABLES SECONDS RATE SERVER_PID
// Seats TABLES pairs (each pair names its own table, so nobody waits for the wait of
// clients that name none), brings every pair through the set-up and the deal, then for
// SECONDS lays cards at RATE moves a second in all, round the tables in turn, and times
// each relay from the write of "sendcard0" to the arrival of "deckcard=" at the other
// player. Prints the relay's median and 99th percentile, the server's processor share
// while the tables play, and its resident memory before and with all tables dealt.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

// A blocking client: fine for a measuring program, never for the server.
class Client {
  public:
    static Client Connect(int port) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0) Fail("socket");
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int attempt = 0; connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0;
             ++attempt) {
            if (attempt > 100) Fail("connect");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return Client(fd);
    }
    int Fd() const { return fd_; }
    void Send(const std::string& message) { SendRaw(message + "\\"); }
    void SendRaw(const std::string& bytes) {
        if (write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Fail("write");
    }
    // Reads messages until one equals `wanted` (or starts with it when it ends in '=').
    void WaitFor(const std::string& wanted) {
        for (;;) {
            const auto end = buffer_.find('\\');
            if (end != std::string::npos) {
                const std::string message = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                if (message == wanted || (wanted.back() == '=' && message.rfind(wanted, 0) == 0)) return;
                continue;
            }
            char chunk[4096];
            const ssize_t got = read(fd_, chunk, sizeof chunk);
            if (got <= 0) Fail("read");
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }
    // Messages already read past the last one waited for.
    std::size_t HeldMessages() const { return static_cast<std::size_t>(std::count(buffer_.begin(), buffer_.end(), '\\')); }
    void Close() { close(fd_); }

  private:
    explicit Client(int fd) : fd_(fd) {}
    int fd_;
    std::string buffer_;
};

const std::string kAceOfSpades = "eso pikov\xE9";  // "eso pikové" in Windows-1250

void SendSettings(Client& client, const std::string& n, const std::string& name) {
    std::string all;
    for (const char* key : {"kolikbrat", "kralpikovy", "navratdohry", "hranabody", "donucen", "zamichat",
                            "pocetkol", "pocetrozdavanych"}) {
        const std::string value = std::string(key) == "pocetrozdavanych" ? "6" : "1";
        all += "info " + std::string(key) + n + "=" + value + "\\";
    }
    all += "info pohlhrac" + n + "=m\\info uzivatel" + n + "=" + name + "\\infosettings" + n + " done\\";
    client.SendRaw(all);
}

void StartGame(Client& a, Client& b, int table) {
    a.WaitFor("req settings");
    SendSettings(a, "0", "Jana" + std::to_string(table));
    b.WaitFor("req settings");
    SendSettings(b, "1", "Petr" + std::to_string(table));
    a.WaitFor("firstplayer=");
    b.WaitFor("firstplayer=");
    a.Send("req startcard0");
    b.Send("req startcard1");
    a.WaitFor("startcard done");
    b.WaitFor("startcard done");
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

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s PORT TABLES SECONDS RATE SERVER_PID\n", argv[0]);
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int tables = std::max(1, std::atoi(argv[2]));
    const double seconds = std::atof(argv[3]);
    const double rate = std::max(1.0, std::atof(argv[4]));
    const int server = std::atoi(argv[5]);

    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }

    const long rssBefore = StatusKiB(server, "VmRSS:");
    std::vector<Client> layers;
    std::vector<Client> watchers;
    const auto seatingStart = Clock::now();
    for (int table = 0; table < tables; ++table) {
        Client a = Client::Connect(port);
        a.Send("join=t" + std::to_string(table));
        Client b = Client::Connect(port);
        b.Send("join=t" + std::to_string(table));
        StartGame(a, b, table);
        if (b.HeldMessages() != 0) Fail("unexpected messages");
        layers.push_back(a);
        watchers.push_back(b);
    }
    const double seatingSeconds = std::chrono::duration<double>(Clock::now() - seatingStart).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the window's list catches up
    const long rssDealt = StatusKiB(server, "VmRSS:");

    const int poll = epoll_create1(0);
    for (int table = 0; table < tables; ++table) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u32 = static_cast<std::uint32_t>(table);
        epoll_ctl(poll, EPOLL_CTL_ADD, watchers[static_cast<std::size_t>(table)].Fd(), &event);
    }
    std::vector<std::deque<Clock::time_point>> sent(static_cast<std::size_t>(tables));
    std::vector<double> micros;
    const std::string move = "sendcard0=" + kAceOfSpades + "\\";
    const auto interval = std::chrono::duration<double>(1.0 / rate);
    const long ticksBefore = CpuTicks(server);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::uint64_t moves = 0;
    std::size_t outstanding = 0;
    std::vector<epoll_event> events(256);
    for (;;) {
        auto now = Clock::now();
        const bool sending = now < end;
        if (!sending && outstanding == 0) break;
        while (sending) {
            const auto due = start + std::chrono::duration_cast<Clock::duration>(interval * static_cast<double>(moves));
            if (due > now) break;
            const std::size_t table = moves % static_cast<std::size_t>(tables);
            sent[table].push_back(Clock::now());
            layers[table].SendRaw(move);
            ++moves;
            ++outstanding;
            now = Clock::now();
        }
        const auto next = start + std::chrono::duration_cast<Clock::duration>(interval * static_cast<double>(moves));
        const int timeout =
            sending ? static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count())
                    : 1000;
        const int ready = epoll_wait(poll, events.data(), static_cast<int>(events.size()), std::max(0, timeout));
        if (ready < 0) Fail("epoll_wait");
        if (ready == 0 && !sending) Fail("relays lost");
        const auto arrived = Clock::now();
        for (int i = 0; i < ready; ++i) {
            const std::size_t table = events[static_cast<std::size_t>(i)].data.u32;
            char chunk[4096];
            const ssize_t got = read(watchers[table].Fd(), chunk, sizeof chunk);
            if (got <= 0) Fail("read");
            for (ssize_t k = 0; k < got; ++k) {
                if (chunk[k] != '\\' || sent[table].empty()) continue;
                micros.push_back(std::chrono::duration<double, std::micro>(arrived - sent[table].front()).count());
                sent[table].pop_front();
                --outstanding;
            }
        }
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const long ticks = CpuTicks(server) - ticksBefore;
    const long rssAfter = StatusKiB(server, "VmRSS:");

    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) { return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))]; };
    std::printf("%d table%s playing at once (%d connections), %.0f moves a second in all:\n", tables,
                tables == 1 ? "" : "s", 2 * tables, rate);
    std::printf("  relay p50 %.1f us, p99 %.1f us over %zu relays\n", at(0.50), at(0.99), micros.size());
    std::printf("  server processor: %.1f %% of one core while they play\n",
                100.0 * static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK)) / wall);
    std::printf("  resident: %ld KiB before, %ld KiB with every table dealt, %ld KiB after play: %.1f KiB a table\n",
                rssBefore, rssDealt, rssAfter, static_cast<double>(rssDealt - rssBefore) / tables);
    std::printf("  seating and dealing every table took %.2f s\n", seatingSeconds);
    for (auto& client : layers) client.Close();
    for (auto& client : watchers) client.Close();
    close(poll);
    return 0;
}
