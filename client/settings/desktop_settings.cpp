#include "client/settings/desktop_settings.h"

#include "common/profile_file.h"

namespace tarvel {
namespace {

// A write that fails part way keeps the keys written before it; the player is told.
template <typename Write>
std::optional<std::string> Saved(Write write) {
    try {
        write();
    } catch (const ProfileWriteError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

}  // namespace

void DesktopSettings::ReadAtStart() {
    if (read_) return;
    read_ = true;
    VoiceLetters voices = VoiceLettersForGender(options_.playergender);
    file_.LoadSettings(currentFolder_, options_, net_, voices);
}

GameOptions DesktopSettings::LoadGameOptions() {
    ReadAtStart();
    return options_;
}

NetSettings DesktopSettings::LoadNetSettings() {
    ReadAtStart();
    return net_;
}

session::Environment DesktopSettings::LoadEnvironment() {
    session::Environment environment;
    environment.languageBase = file_.LoadLanguage();
    environment.speechMode = file_.LoadSpeechMode();
    environment.screenReader = file_.LoadScreenReader();
    return environment;
}

std::optional<std::string> DesktopSettings::SaveGameOptions(const GameOptions& options) {
    return Saved([&] { file_.SaveGameSettings(options, options.gamesounds); });
}

std::optional<std::string> DesktopSettings::SaveNetSettings(const NetSettings& settings) {
    return Saved([&] { file_.SaveNetSettings(settings); });
}

std::optional<std::string> DesktopSettings::SaveEnvironment(const GameOptions& options,
                                                            const session::Environment& environment) {
    return Saved([&] {
        file_.SaveGameSettings(options, options.gamesounds);
        file_.SaveLanguage(environment.languageBase);
        file_.SaveSpeechMode(environment.speechMode);
        file_.SaveScreenReader(environment.screenReader);
    });
}

}  // namespace tarvel
