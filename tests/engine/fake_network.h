// A network port that records what the engine sends and answers its waits from a
// script of steps, as the network client would while the event loop runs.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "network_port.h"

namespace tarvel::testing {

class FakeNetwork : public NetworkPort {
  public:
    std::vector<std::string> sent;             // "sendcard=7 srdcová", "req startcard"
    std::deque<std::function<void()>> events;  // run one by one while a wait lasts
    int left = 0;
    // When set, each send is also written there as "send …", between the phrases and
    // table calls of a recorder.
    std::vector<std::string>* log = nullptr;

    void Send(std::string_view keyword, std::optional<std::string_view> value) override {
        sent.push_back(std::string(keyword) + (value ? "=" + std::string(*value) : std::string{}));
        if (log != nullptr) log->push_back("send " + sent.back());
    }
    bool ProcessEventsUntil(const std::function<bool()>& done) override {
        while (!done()) {
            if (events.empty()) return false;  // nothing more will arrive: the wait is abandoned
            auto event = std::move(events.front());
            events.pop_front();
            event();
        }
        return true;
    }
    void LeaveNetworkPlay() override {
        ++left;
        if (log != nullptr) log->push_back("LeaveNetworkPlay");
    }
};

}  // namespace tarvel::testing
