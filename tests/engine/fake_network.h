// A network port that records what the engine sends. The server's answers are the
// engine's Network… calls, made by the test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/network_port.h"

namespace tarvel::testing {

class FakeNetwork : public NetworkPort {
  public:
    std::vector<std::string> sent;             // "sendcard=7 srdcová", "req startcard"
    int left = 0;
    // When set, each send is also written there as "send …", between the phrases and
    // table calls of a recorder.
    std::vector<std::string>* log = nullptr;

    void Send(protocol::ClientKind kind, std::optional<std::string_view> value) override {
        sent.push_back(std::string(protocol::KeywordOf(kind)) + (value ? "=" + std::string(*value) : std::string{}));
        if (log != nullptr) log->push_back("send " + sent.back());
    }
    void LeaveNetworkPlay() override {
        ++left;
        if (log != nullptr) log->push_back("LeaveNetworkPlay");
    }
};

}  // namespace tarvel::testing
