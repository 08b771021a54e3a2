// Where a session keeps the player's settings. The desktop keeps them in its settings
// file; a browser front end keeps them in the browser; tests keep them in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/game_options.h"
#include "session/net_settings.h"

namespace tarvel::session {

// How the game is heard.
inline constexpr std::int32_t kSpeechRecordings = 0;
inline constexpr std::int32_t kSpeechService = 1;  // the words by a speech service, the effects recorded
inline constexpr std::int32_t kSpeechOff = 2;

// The environment settings a session reads (the sounds switch is among the game options).
struct Environment {
    std::int32_t languageBase = 1000;  // Czech 1000, English 2000
    std::int32_t speechMode = kSpeechRecordings;
    bool screenReader = false;  // a screen reader is told everything, also while the game speaks
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
    // The environment dialog's choice: the game options it sets and the environment.
    virtual std::optional<std::string> SaveEnvironment(const GameOptions& options,
                                                       const Environment& environment) = 0;
};

}  // namespace tarvel::session
