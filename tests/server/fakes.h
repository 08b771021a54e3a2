// Fake connections, a recording log and a random source that always answers 0, for
// driving the server's game logic without sockets.
#pragma once

#include <map>
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

}  // namespace tarvel::server::testing
