// The scripted matches against the game logic over fake connections: as written, and
// with every message cut at every byte position into separate reads.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "tests/server/fakes.h"
#include "server/core/game_server.h"
#include "tests/server/match_scripts.h"

namespace tarvel::server::testing {
namespace {

using Chunker = std::function<std::vector<std::string>(const std::vector<std::string>& encodedMessages)>;

// All messages of a step in one read, as a client's back-to-back writes may arrive.
std::vector<std::string> OneRead(const std::vector<std::string>& messages) {
    std::string all;
    for (const auto& m : messages) all += m;
    return {all};
}

// Each message cut before byte `position` into two reads.
Chunker CutAt(std::size_t position) {
    return [position](const std::vector<std::string>& messages) {
        std::vector<std::string> reads;
        for (const auto& m : messages) {
            if (position == 0 || position >= m.size()) {
                reads.push_back(m);
            } else {
                reads.push_back(m.substr(0, position));
                reads.push_back(m.substr(position));
            }
        }
        return reads;
    };
}

void RunOverFakes(const Script& script, const Chunker& chunker) {
    SCOPED_TRACE(script.name);
    FakeLinks links;
    RecordingLog log;
    ZeroRandom random;
    FakeTimer timer;
    GameServer server(links, log, random, timer);
    std::map<int, ConnectionId> ids;
    ConnectionId nextId = 1;
    std::size_t logSeen = 0;

    for (std::size_t i = 0; i < script.steps.size(); ++i) {
        const ScriptStep& step = script.steps[i];
        SCOPED_TRACE("step " + std::to_string(i));
        switch (step.kind) {
            case ScriptStep::Kind::Connect:
                ids[step.client] = nextId++;
                server.ClientConnected(ids[step.client], "127.0.0.1",
                                       static_cast<std::uint16_t>(40000 + step.client));
                break;
            case ScriptStep::Kind::Disconnect:
                server.ClientDisconnected(ids.at(step.client));
                break;
            case ScriptStep::Kind::Send: {
                std::vector<std::string> encoded;
                for (const auto& m : step.messages) encoded.push_back(protocol::EncodeForWire(m));
                for (const auto& read : chunker(encoded)) server.ClientRead(ids.at(step.client), read);
                break;
            }
            case ScriptStep::Kind::Expect:
                EXPECT_EQ(links.Take(ids.at(step.client)), step.messages) << "client " << step.client;
                break;
            case ScriptStep::Kind::ExpectClosed:
                EXPECT_EQ(links.closed.count(ids.at(step.client)), 1u) << "client " << step.client;
                server.ClientDisconnected(ids.at(step.client));
                break;
        }
        std::vector<std::string> added;
        for (; logSeen < log.lines.size(); ++logSeen) added.push_back(WithoutPortNumber(log.lines[logSeen]));
        EXPECT_EQ(added, step.log);
    }
    for (const auto& [client, id] : ids)
        EXPECT_EQ(links.Take(id), std::vector<std::string>{}) << "client " << client;
}

TEST(ScriptsOverFakes, EachScriptWithTheMessagesOfAStepInOneRead) {
    for (const auto& script : AllScripts()) RunOverFakes(script, OneRead);
}

TEST(ScriptsOverFakes, EveryMessageCutAtEveryBytePosition) {
    std::size_t longest = 0;
    for (const auto& script : AllScripts()) {
        for (const auto& step : script.steps) {
            for (const auto& m : step.messages) longest = std::max(longest, protocol::EncodeForWire(m).size());
        }
    }
    for (std::size_t position = 1; position < longest; ++position) {
        SCOPED_TRACE("cut at " + std::to_string(position));
        for (const auto& script : AllScripts()) RunOverFakes(script, CutAt(position));
        if (::testing::Test::HasFailure()) break;
    }
}

TEST(ScriptsOverFakes, EveryByteInARead) {
    const Chunker bytewise = [](const std::vector<std::string>& messages) {
        std::vector<std::string> reads;
        for (const auto& m : messages) {
            for (char c : m) reads.emplace_back(1, c);
        }
        return reads;
    };
    for (const auto& script : AllScripts()) RunOverFakes(script, bytewise);
}

}  // namespace
}  // namespace tarvel::server::testing
