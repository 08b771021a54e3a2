#include "tests/fuzz/server_fuzz_target.h"

#include <map>
#include <set>
#include <string_view>

#include "server/core/game_server.h"
#include "tests/server/match_scripts.h"
#include "common/random_source.h"
#include "protocol/framing.h"

namespace tarvel::server::fuzzing {
namespace {

constexpr int kConnections = 4;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

class CheckingLinks final : public ClientLinks {
  public:
    void Write(ConnectionId id, std::string_view bytes) override {
        Check(live.count(id) == 1);
        // One whole message per write: one terminator, at the end.
        Check(!bytes.empty() && bytes.find(protocol::kMessageTerminator) == bytes.size() - 1);
    }
    void Close(ConnectionId id, std::chrono::milliseconds) override {
        Check(live.count(id) == 1);
        closing.insert(id);
    }
    std::set<ConnectionId> live;
    std::set<ConnectionId> closing;
};

class CheckingTimer final : public SetupTimer {
  public:
    void Start(std::chrono::milliseconds duration) override {
        Check(duration.count() > 0);
        running = true;
    }
    void Stop() override { running = false; }
    bool running = false;
};

class NullLog final : public EventLog {
  public:
    void Log(std::string_view line) override { Check(line.find('\0') == std::string_view::npos); }
};

// Splitting in one read and in pieces gives the same messages.
void CheckSplitting(std::string_view bytes) {
    protocol::MessageSplitter whole;
    const auto once = whole.Feed(bytes);
    if (once.overflow) return;
    protocol::MessageSplitter pieces;
    std::vector<std::string> collected;
    const std::size_t step = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes[0]) % 13;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        const std::string_view piece = bytes.substr(at, step);
        const auto part = pieces.Feed(piece);
        collected.insert(collected.end(), part.messages.begin(), part.messages.end());
        if (piece.find('\0') != std::string_view::npos) break;  // the read's scan ends there
    }
    // A zero byte ends a read's scan, so cutting can only keep more; without one it is exact.
    if (bytes.find('\0') == std::string_view::npos) Check(collected == once.messages);
}

// Plays the input's events on one server.
void RunEvents(std::string_view input, bool checkMoves) {
    CheckingLinks links;
    NullLog log;
    StandardRandom random(1);
    CheckingTimer timer;
    GameServer server(links, log, random, timer);
    server.SetMoveChecking(checkMoves);
    std::map<int, ConnectionId> ids;  // connection slot -> live id
    ConnectionId nextId = 1;

    std::size_t start = 0;
    while (start < input.size()) {
        auto end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        if (line[0] == 'x') {
            for (ConnectionId id : links.closing) {
                if (links.live.erase(id) == 1) server.ClientDisconnected(id);
            }
            links.closing.clear();
            continue;
        }
        if (line[0] == 't') {
            if (timer.running) {
                timer.running = false;
                server.SettingsWaitExpired();
            }
            continue;
        }
        if (line.size() < 2) continue;
        const int slot = static_cast<unsigned char>(line[1]) % kConnections;
        const auto found = ids.find(slot);
        const bool isLive = found != ids.end() && links.live.count(found->second) == 1;
        switch (line[0]) {
            case 'c':
                if (isLive) break;
                ids[slot] = nextId;
                links.live.insert(nextId);
                server.ClientConnected(nextId++, "127.0.0.1", static_cast<std::uint16_t>(40000 + slot));
                break;
            case 'd':
                if (!isLive) break;
                links.live.erase(found->second);
                server.ClientDisconnected(found->second);
                break;
            case 'r':
                if (isLive) server.ClientRead(found->second, line.substr(2));
                break;
            case 's':
                if (isLive) server.ClientNotReading(found->second);
                break;
            default:
                break;
        }
        Check(server.PlayerCount() <= 2);
        // The timer runs exactly while a player's settings are awaited.
        const SetupStep step = server.Step();
        Check(timer.running ==
              (step == SetupStep::AwaitingSettings0 || step == SetupStep::AwaitingSettings1));
    }
}

}  // namespace

void RunInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckSplitting(input);
    // Every input against a server that relays every move and one that checks them.
    RunEvents(input, false);
    RunEvents(input, true);
}

std::vector<std::pair<std::string, std::string>> SeedsFromScripts() {
    std::vector<std::pair<std::string, std::string>> seeds;
    for (const auto& script : testing::AllScripts()) {
        std::string input;
        for (const auto& step : script.steps) {
            const std::string slot = std::to_string(step.client);
            switch (step.kind) {
                case testing::ScriptStep::Kind::Connect:
                    input += "c" + slot + "\n";
                    break;
                case testing::ScriptStep::Kind::Disconnect:
                    input += "d" + slot + "\n";
                    break;
                case testing::ScriptStep::Kind::Send:
                    input += "r" + slot;
                    for (const auto& m : step.messages) input += protocol::EncodeForWire(m);
                    input += "\n";
                    break;
                case testing::ScriptStep::Kind::ExpectClosed:
                    input += "x\n";
                    break;
                case testing::ScriptStep::Kind::Expect:
                    break;
            }
        }
        seeds.emplace_back(script.name, input);
    }
    return seeds;
}

}  // namespace tarvel::server::fuzzing
