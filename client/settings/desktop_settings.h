// The desktop keeps a session's settings in its settings file. The game and network
// settings are read at start only when a settings file lies in the current folder, as
// they always were; the environment is read from the program's own file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "client/settings/settings_file.h"
#include "session/session_stores.h"

namespace tarvel {

class DesktopSettings final : public session::SettingsStore {
  public:
    DesktopSettings(SettingsFile& file, std::filesystem::path currentFolder)
        : file_(file), currentFolder_(std::move(currentFolder)) {}

    GameOptions LoadGameOptions() override;
    NetSettings LoadNetSettings() override;
    session::Environment LoadEnvironment() override;
    std::optional<std::string> SaveGameOptions(const GameOptions& options) override;
    std::optional<std::string> SaveNetSettings(const NetSettings& settings) override;
    std::optional<std::string> SaveEnvironment(const GameOptions& options,
                                               const session::Environment& environment) override;

  private:
    void ReadAtStart();

    SettingsFile& file_;
    std::filesystem::path currentFolder_;
    bool read_ = false;
    GameOptions options_;
    NetSettings net_;
};

}  // namespace tarvel
