// Where a session keeps what outlives it: the player's settings and the table of best
// results. The desktop keeps them in its files beside the game; a browser front end
// keeps them in the browser; tests keep them in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/game_options.h"
#include "session/net_settings.h"

namespace tarvel::session {

// The environment settings a session reads.
struct Environment {
    bool soundsOn = true;
    std::int32_t languageBase = 1000;  // Czech 1000, English 2000
    std::int32_t speechMode = 0;       // 0 recordings, 1 the speech service, 2 off
    bool screenReader = false;         // a screen reader is told everything, also while the game speaks
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Read once when the session is made; anything missing gives its default.
    virtual GameOptions LoadGameOptions() = 0;
    virtual NetSettings LoadNetSettings() = 0;
    virtual Environment LoadEnvironment() = 0;
    // Written when the player confirms them. A store that cannot write says why; the
    // session tells the player and plays on with the new values.
    virtual std::optional<std::string> SaveGameOptions(const GameOptions& options) = 0;
    virtual std::optional<std::string> SaveNetSettings(const NetSettings& settings) = 0;
    virtual std::optional<std::string> SaveEnvironment(const Environment& environment) = 0;
};

// The table of best results as bytes of its file (ten fixed records): read whole and
// written whole, never half.
class ScoreStore {
  public:
    virtual ~ScoreStore() = default;
    // Nothing when there is no table yet; a problem reading it is said in `problem`.
    virtual std::optional<std::vector<std::uint8_t>> Read(std::string& problem) = 0;
    // The old table stays whole when writing fails; the problem is returned.
    virtual std::optional<std::string> Write(const std::vector<std::uint8_t>& table) = 0;
};

}  // namespace tarvel::session
