// Figures for the server, measured by driving it as two clients over loopback.
//   latency PORT N          N moves relayed, each timed from the mover's write to the
//                           other's last message of it: the players take turns drawing a
//                           card, a move the rules allow at any time, so a server that checks
//                           every move relays them all (once the stock is spent, a draw gives
//                           nothing and still passes the turn)
//   forwarder PORT N        the same bytes through a plain TCP forwarder that listens on PORT
//                           and connects to PORT+1, where this program takes them
//   side-by-side CHECKED UNCHECKED FORWARD N [BLOCK]
//                           the three above in one run, in turns of BLOCK (250) relays each
//   games PORT N            N whole games of one match: set-up, deal, plays, a draw
//                           (moves no rules allow: for a server with checkmoves=0)
//   hold PORT SECONDS       two clients dealt their cards and silent
//   flood PORT MIB          MIB MiB of chat from player 0 to player 1: how long the server
//                           takes to swallow it, and how much of it reached player 1
//   deaf PORT MIB           cards laid by player 0 to a player 1 who never reads, until the
//                           server drops player 1 (or MIB MiB have gone without that; for a
//                           server with checkmoves=0, which relays every card as it comes)
// The clients answer "req settings" at once, as real ones do: the server drops a player
// who stays silent for 15 s.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

void NoDelay(int fd) {
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// A blocking client: fine for a measuring program, never for the server.
class Client {
  public:
    explicit Client(int fd) : fd_(fd) { NoDelay(fd_); }
    static Client Connect(int port) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Loopback(port);
        for (int attempt = 0; connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0;
             ++attempt) {
            if (attempt > 100) Fail("connect");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return Client(fd);
    }
    void Send(const std::string& text) {
        // Windows-1250: the card names used here are written as their bytes.
        const std::string bytes = text + "\\";
        if (write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Fail("write");
    }
    void SendRaw(const std::string& bytes) {
        if (!TrySendRaw(bytes)) Fail("write");
    }
    // False when the server has closed the connection.
    bool TrySendRaw(const std::string& bytes) {
        return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // Reads messages until one equals `wanted` (or starts with it when it ends in '='),
    // and gives that message.
    std::string WaitFor(const std::string& wanted) {
        for (;;) {
            const auto end = buffer_.find('\\');
            if (end != std::string::npos) {
                std::string message = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                if (message == wanted || (wanted.back() == '=' && message.rfind(wanted, 0) == 0)) return message;
                continue;
            }
            char chunk[4096];
            const ssize_t got = read(fd_, chunk, sizeof chunk);
            if (got <= 0) Fail("read");
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }
    // The next message, whatever it is.
    std::string Next() {
        for (;;) {
            const auto end = buffer_.find('\\');
            if (end != std::string::npos) {
                std::string message = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return message;
            }
            char chunk[4096];
            const ssize_t got = read(fd_, chunk, sizeof chunk);
            if (got <= 0) Fail("read");
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }
    // Reads and throws away `count` bytes.
    void SkipBytes(std::uint64_t count) {
        const std::uint64_t held = std::min<std::uint64_t>(count, buffer_.size());
        buffer_.erase(0, held);
        count -= held;
        char chunk[65536];
        while (count > 0) {
            const ssize_t got = read(fd_, chunk, std::min<std::uint64_t>(count, sizeof chunk));
            if (got <= 0) Fail("read");
            count -= static_cast<std::uint64_t>(got);
        }
    }
    // Reads until the connection ends; the number of bytes read.
    std::uint64_t Drain() {
        std::uint64_t total = buffer_.size();
        buffer_.clear();
        char chunk[65536];
        for (ssize_t got; (got = read(fd_, chunk, sizeof chunk)) > 0;)
            total += static_cast<std::uint64_t>(got);
        return total;
    }
    // Reads exactly `count` bytes.
    void WaitForBytes(std::size_t count) {
        while (buffer_.size() < count) {
            char chunk[4096];
            const ssize_t got = read(fd_, chunk, sizeof chunk);
            if (got <= 0) Fail("read");
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
        buffer_.erase(0, count);
    }
    void Close() { close(fd_); }

  private:
    int fd_;
    std::string buffer_;
};

const std::string kAceOfSpades = "eso pikov\xE9";  // "eso pikové" in Windows-1250

void PrintPercentiles(const char* what, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))];
    };
    std::printf("%s: p50 %.1f us, p99 %.1f us over %zu relays (p90 %.1f, p99.9 %.1f)\n", what, at(0.50), at(0.99),
                micros.size(), at(0.90), at(0.999));
}

void SendSettings(Client& client, const std::string& n, const std::string& name);

// Two clients connected in turn, agreed and dealt: the game runs. The player who begins.
int StartGame(Client& a, Client& b) {
    a.WaitFor("req settings");
    SendSettings(a, "0", "Jana");
    b.WaitFor("req settings");
    SendSettings(b, "1", "Petr");
    const std::string first = a.WaitFor("firstplayer=");
    b.WaitFor("firstplayer=");
    a.Send("req startcard0");
    b.Send("req startcard1");
    a.WaitFor("startcard done");
    b.WaitFor("startcard done");
    return first.back() == '1' ? 1 : 0;
}

// Two players at one table of a server, taking turns to draw: each relay timed from the
// mover's write to the other's last message of it.
class ServerRelay {
  public:
    explicit ServerRelay(int port) : a_(Client::Connect(port)), b_(Client::Connect(port)) {
        mover_ = StartGame(a_, b_);
    }
    ServerRelay(const ServerRelay&) = delete;  // the connections close once, with it
    ServerRelay& operator=(const ServerRelay&) = delete;
    double Relay() {
        Client& self = mover_ == 0 ? a_ : b_;
        Client& other = mover_ == 0 ? b_ : a_;
        const auto start = Clock::now();
        self.Send("req card" + std::to_string(mover_) + "=1");
        other.WaitFor("pickup done");
        const double micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        self.WaitFor("pickup done");
        mover_ = 1 - mover_;
        return micros;
    }
    ~ServerRelay() {
        a_.Close();
        b_.Close();
    }

  private:
    Client a_;
    Client b_;
    int mover_ = 0;
};

// The same move's bytes through a plain TCP forwarder that listens on PORT and connects to
// PORT+1, where this program takes them.
class ForwardedRelay {
  public:
    explicit ForwardedRelay(int port)
        : listener_(socket(AF_INET, SOCK_STREAM, 0)), a_(Listen(listener_, port)), b_(Accepted()) {}
    ForwardedRelay(const ForwardedRelay&) = delete;
    ForwardedRelay& operator=(const ForwardedRelay&) = delete;
    double Relay() {
        const auto start = Clock::now();
        a_.SendRaw(kMessage);
        b_.WaitForBytes(kMessage.size());
        return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    }
    ~ForwardedRelay() {
        a_.Close();
        b_.Close();
        close(listener_);
    }

  private:
    static Client Listen(int listener, int port) {
        int one = 1;
        setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        const sockaddr_in address = Loopback(port + 1);
        if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) Fail("bind");
        listen(listener, 1);
        Client a = Client::Connect(port);
        a.SendRaw("");  // the forwarder connects onwards when the first client arrives
        return a;
    }
    Client Accepted() const { return Client(accept(listener_, nullptr, nullptr)); }
    inline static const std::string kMessage = "req card0=1\\";
    int listener_;
    Client a_;
    Client b_;
};

void Latency(int port, int count, const char* what) {
    ServerRelay table(port);
    std::vector<double> micros;
    for (int i = 0; i < count; ++i) micros.push_back(table.Relay());
    PrintPercentiles(what, micros);
}

void Forwarder(int port, int count) {
    ForwardedRelay forwarded(port);
    std::vector<double> micros;
    for (int i = 0; i < count; ++i) micros.push_back(forwarded.Relay());
    PrintPercentiles("socat forwarder", micros);
}

// The checked server, the unchecked one and the forwarder in turns of `block` relays each,
// COUNT relays in all for each: whatever the machine does to the three over the run (a
// neighbour busy for a second, the host taking a core), it does to all three alike, which
// one after the other it does not.
void SideBySide(int checkedPort, int uncheckedPort, int forwardPort, int count, int block) {
    ServerRelay checked(checkedPort);
    ServerRelay unchecked(uncheckedPort);
    ForwardedRelay forwarded(forwardPort);
    std::vector<double> checkedMicros, uncheckedMicros, forwardedMicros;
    for (int done = 0; done < count; done += block) {
        const int now = std::min(block, count - done);
        for (int i = 0; i < now; ++i) checkedMicros.push_back(checked.Relay());
        for (int i = 0; i < now; ++i) uncheckedMicros.push_back(unchecked.Relay());
        for (int i = 0; i < now; ++i) forwardedMicros.push_back(forwarded.Relay());
    }
    PrintPercentiles("tarvelsvr", checkedMicros);
    PrintPercentiles("tarvelsvr, checkmoves=0", uncheckedMicros);
    PrintPercentiles("socat forwarder", forwardedMicros);
}

void SendSettings(Client& client, const std::string& n, const std::string& name) {
    std::string all;
    for (const char* key : {"kolikbrat", "kralpikovy", "navratdohry", "hranabody", "donucen", "zamichat",
                            "pocetkol", "pocetrozdavanych"}) {
        const std::string value = std::string(key) == "pocetrozdavanych" ? "6" : std::string(key) == "donucen" ? "0" : "1";
        all += "info " + std::string(key) + n + "=" + value + "\\";
    }
    all += "info pohlhrac" + n + "=m\\info uzivatel" + n + "=" + name + "\\infosettings" + n + " done\\";
    client.SendRaw(all);
}

void Games(int port, int count) {
    Client a = Client::Connect(port);
    Client b = Client::Connect(port);
    const auto start = Clock::now();
    for (int game = 0; game < count; ++game) {
        StartGame(a, b);
        a.Send("sendcard0=" + kAceOfSpades);
        b.WaitFor("deckcard=" + kAceOfSpades);
        b.Send("req card1=2");
        b.WaitFor("pickup done");
        a.WaitFor("pickup done");
        b.Send("i have no cards1");
        a.WaitFor("opp has no cards");
        a.Send("end of one game0");
        b.Send("end of one game1");
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    a.WaitFor("req settings");
    a.Send("end of game0");
    b.Send("end of game1");
    std::printf("%d games in %.2f s (%.2f ms a game)\n", count, seconds, 1000.0 * seconds / count);
    // Stay connected a moment so the last messages are read before the close.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    a.Close();
    b.Close();
}

void Hold(int port, int seconds) {
    Client a = Client::Connect(port);
    Client b = Client::Connect(port);
    StartGame(a, b);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    a.Close();
    b.Close();
}

// Chat messages of 1,000 bytes written 64 to a write: what a flooding client sends.
constexpr std::size_t kChatBytes = 1000;
constexpr int kChatsPerWrite = 64;

std::string ChatBatch() {
    std::string batch;
    for (int i = 0; i < kChatsPerWrite; ++i) batch += "iwanttosay0=" + std::string(kChatBytes, 'x') + "\\";
    return batch;
}

void Flood(int port, int mebibytes) {
    Client a = Client::Connect(port);
    Client b = Client::Connect(port);
    Client* players[2] = {&a, &b};
    int mover = StartGame(a, b);
    const std::string batch = ChatBatch();
    const std::uint64_t batches = (static_cast<std::uint64_t>(mebibytes) << 20) / batch.size() + 1;
    const auto start = Clock::now();
    // Player 1 reads on its own thread what reaches it, until the move that follows the flood
    // or the news that the flooder was cut off.
    std::atomic<int> chats{0};
    std::atomic<bool> cutOff{false};
    std::thread reader([&] {
        for (;;) {
            const std::string message = b.Next();
            if (message.rfind("sayit=", 0) == 0) ++chats;
            if (message == "pickup done") return;
            if (message == "forcedendofgame") {
                cutOff = true;
                return;
            }
        }
    });
    std::uint64_t sent = 0;
    for (std::uint64_t i = 0; i < batches && a.TrySendRaw(batch); ++i) sent += batch.size();
    if (sent == batches * batch.size()) players[mover]->Send("req card" + std::to_string(mover) + "=1");
    reader.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double mib = static_cast<double>(sent) / (1 << 20);
    if (cutOff) {
        std::printf("chat flood cut off after %.1f s, %.1f MiB written (%.2f MiB/s); %d messages reached the peer\n",
                    seconds, mib, mib / seconds, chats.load());
    } else {
        std::printf("%.0f MiB of chat swallowed in %.2f s (%.1f MiB/s); %d messages reached the peer\n", mib,
                    seconds, mib / seconds, chats.load());
        a.Send("end of game0");
        b.Send("end of game1");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    a.Close();
    b.Close();
}

void Deaf(int port, int mebibytes) {
    Client a = Client::Connect(port);
    Client b = Client::Connect(port);
    StartGame(a, b);
    std::string batch;
    for (int i = 0; i < 512; ++i) batch += "sendcard0=" + kAceOfSpades + "\\";
    const std::uint64_t most = (static_cast<std::uint64_t>(mebibytes) << 20) / batch.size() + 1;
    std::atomic<bool> told{false};
    std::atomic<std::uint64_t> sent{0};
    std::thread writer([&] {
        for (std::uint64_t i = 0; i < most && !told; ++i) {
            a.SendRaw(batch);
            sent += batch.size();
        }
    });
    // Player 0 hears that the game is over once the server has given up player 1.
    std::thread listener([&] {
        a.WaitFor("forcedendofgame");
        told = true;
    });
    writer.join();
    if (!told) {
        std::printf("the peer that never reads was NOT dropped after %.0f MiB\n",
                    static_cast<double>(sent) / (1 << 20));
        std::exit(1);
    }
    listener.join();
    // Reading at last, player 1 finds what the system had buffered, then the close.
    const std::uint64_t buffered = b.Drain();
    std::printf(
        "peer that never reads dropped after %.1f MiB of cards sent; its opponent got "
        "forcedendofgame; %.1f MiB reached it before the close\n",
        static_cast<double>(sent) / (1 << 20), static_cast<double>(buffered) / (1 << 20));
    a.Close();
    b.Close();
}

}  // namespace

int main(int argc, char* argv[]) {
    // A client the server cut off finds out from a failed write, not by dying of it.
    std::signal(SIGPIPE, SIG_IGN);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "side-by-side" && (argc == 6 || argc == 7)) {
        SideBySide(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                   argc == 7 ? std::max(1, std::atoi(argv[6])) : 250);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: %s latency|latency-unchecked|forwarder|games|hold|flood|deaf PORT N\n"
                     "       %s side-by-side CHECKED_PORT UNCHECKED_PORT FORWARD_PORT N [BLOCK]\n",
                     argv[0], argv[0]);
        return 2;
    }
    const int port = std::atoi(argv[2]);
    const int n = std::atoi(argv[3]);
    if (mode == "latency")
        Latency(port, n, "tarvelsvr");
    else if (mode == "latency-unchecked")
        Latency(port, n, "tarvelsvr, checkmoves=0");
    else if (mode == "forwarder")
        Forwarder(port, n);
    else if (mode == "games")
        Games(port, n);
    else if (mode == "hold")
        Hold(port, n);
    else if (mode == "flood")
        Flood(port, n);
    else if (mode == "deaf")
        Deaf(port, n);
    else
        return 2;
    return 0;
}
