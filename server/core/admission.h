// Who may come in, so that no one address can keep honest players from meeting: a limit
// on connections from one address (generous: a family shares one) and in all, and a
// pause for an address whose set-ups keep failing (other rules, the same name, no
// answer), which would otherwise be paired with every newcomer again.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tarvel::server {

class Admission {
  public:
    using Clock = std::chrono::steady_clock;
    // Failed set-ups an address may have within kFailureMemory before it must pause.
    static constexpr int kFailuresAllowed = 3;
    static constexpr Clock::duration kFailureMemory = std::chrono::minutes(10);
    // The first pause; each further failure doubles it, up to the longest.
    static constexpr Clock::duration kFirstPause = std::chrono::seconds(30);
    static constexpr Clock::duration kLongestPause = std::chrono::minutes(10);

    enum class Verdict { Welcome, TooManyFromAddress, TooMany, Pausing };

    void SetLimits(int perAddress, int total) {
        perAddress_ = perAddress;
        total_ = total;
    }
    // Addresses that bring many players of their own, each already limited there (tarvelweb
    // on this machine): counted only in all, never paused for failed set-ups.
    void SetTrusted(const std::vector<std::string>& addresses) { trusted_ = {addresses.begin(), addresses.end()}; }
    // A connection arrives; when welcome it counts until Leave.
    Verdict Arrive(const std::string& address, Clock::time_point now);
    void Leave(const std::string& address, Clock::time_point now);
    // A set-up with a player from this address ended without a game.
    void SetupFailed(const std::string& address, Clock::time_point now);

    int Connections() const { return connections_; }

  private:
    struct Address {
        int connections = 0;
        int failures = 0;
        Clock::time_point firstFailure{};
        Clock::time_point pausedUntil{};
        Clock::duration pause = kFirstPause;
    };
    // Forgets an address that holds nothing worth keeping.
    void Tidy(std::unordered_map<std::string, Address>::iterator it, Clock::time_point now);

    int perAddress_ = 16;
    int total_ = 1 << 30;
    int connections_ = 0;
    std::unordered_map<std::string, Address> addresses_;
    std::unordered_set<std::string> trusted_;
};

}  // namespace tarvel::server
