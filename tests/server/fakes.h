// Fake connections, a recording log, a timer that runs out only when told and a random
// source that always answers 0, for driving the server's game logic without sockets.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "random_source.h"
#include "server_links.h"
#include "wire.h"

namespace tarvel::server::testing {

class ZeroRandom final : public RandomSource {
  public:
    std::uint32_t Random(std::uint32_t) override { return 0; }
};

class FakeLinks final : public ClientLinks {
  public:
    void Write(ConnectionId id, std::string_view bytes) override { written[id] += bytes; }
    void Close(ConnectionId id) override { closed.insert(id); }

    // The messages written to the connection since the last call.
    std::vector<std::string> Take(ConnectionId id) {
        MessageSplitter splitter;
        auto result = splitter.Feed(written[id]);
        written[id].clear();
        return result.messages;
    }

    std::map<ConnectionId, std::string> written;
    std::set<ConnectionId> closed;
};

class RecordingLog final : public EventLog {
  public:
    void Log(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Holds the duration while it runs; the test makes it run out by calling the server.
class FakeTimer final : public SetupTimer {
  public:
    void Start(std::chrono::milliseconds duration) override {
        running = duration;
        ++starts;
    }
    void Stop() override { running.reset(); }

    std::optional<std::chrono::milliseconds> running;
    int starts = 0;
};

}  // namespace tarvel::server::testing
