// Fake connections, a recording log, a timer that runs out only when told and a random
// source that always answers 0, for driving the server's game logic without sockets.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/random_source.h"
#include "server/core/server_links.h"
#include "protocol/framing.h"

namespace tarvel::server::testing {

class ZeroRandom final : public RandomSource {
  public:
    std::uint32_t Random(std::uint32_t) override { return 0; }
};

class FakeLinks final : public ClientLinks {
  public:
    void Write(ConnectionId id, std::string_view bytes) override { written[id] += bytes; }
    void Close(ConnectionId id, std::chrono::milliseconds = {}) override { closed.insert(id); }

    // The messages written to the connection since the last call.
    std::vector<std::string> Take(ConnectionId id) {
        protocol::MessageSplitter splitter;
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

// Timers that run out only when the test says so, each with what it runs.
class FakeTimerSource final : public TimerSource {
  public:
    struct Entry {
        std::function<void()> onExpiry;
        std::optional<std::chrono::milliseconds> running;
        bool alive = true;
    };
    class Timer final : public SetupTimer {
      public:
        explicit Timer(std::shared_ptr<Entry> entry) : entry_(std::move(entry)) {}
        ~Timer() override { entry_->alive = false; }
        void Start(std::chrono::milliseconds duration) override { entry_->running = duration; }
        void Stop() override { entry_->running.reset(); }

      private:
        std::shared_ptr<Entry> entry_;
    };

    std::unique_ptr<SetupTimer> MakeTimer(std::function<void()> onExpiry) override {
        made.push_back(std::make_shared<Entry>(Entry{std::move(onExpiry), std::nullopt, true}));
        return std::make_unique<Timer>(made.back());
    }

    // Runs out every live timer that runs, in the order they were made.
    void RunOutAll() {
        const auto now = made;
        for (const auto& entry : now) {
            if (!entry->alive || !entry->running) continue;
            entry->running.reset();
            entry->onExpiry();
        }
    }
    std::size_t Running() const {
        return static_cast<std::size_t>(std::count_if(made.begin(), made.end(), [](const auto& e) {
            return e->alive && e->running.has_value();
        }));
    }

    std::vector<std::shared_ptr<Entry>> made;
};

}  // namespace tarvel::server::testing
