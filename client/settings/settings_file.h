// The client's settings file, named after the program (tarvel.ini beside tarvel):
// sections game, net, environment and Voice. Each operation reads or writes its keys
// one at a time; keys and lines it does not name stay as they are. A missing file or
// key, or a value that is not a number where one is expected, gives the key's default.
#pragma once

#include <cstdint>
#include <filesystem>

#include "engine/game_options.h"
#include "session/net_settings.h"
#include "common/profile_file.h"
#include "client/settings/voice_settings.h"

namespace tarvel {

// The program's own path with the extension replaced by ".ini".
std::filesystem::path SettingsPathForProgram(const std::filesystem::path& program);

// The start-up settings are read only when a file of this name is in the current folder.
inline constexpr const char* kStartupSettingsName = "tarvel.ini";

// Every Save… writes its keys in a fixed order and throws ProfileWriteError
// ("Unable to write to <path>") at the first key it cannot write; the keys after it
// are not written, those before it are.
class SettingsFile {
  public:
    explicit SettingsFile(std::filesystem::path file) : profile_(std::move(file)) {}

    const std::filesystem::path& path() const { return profile_.path(); }

    // environment: language, the string-table base (1000 when absent).
    std::int32_t LoadLanguage() const;
    void SaveLanguage(std::int32_t languageBase);

    // environment: speech, how the game is heard: 0 the recordings (also when absent,
    // as files made before it had the key), 1 the speech service, 2 not at all.
    std::int32_t LoadSpeechMode() const;
    void SaveSpeechMode(std::int32_t mode);

    // environment: screenreader, whether a screen reader is told what the game says also
    // while the game speaks itself (off when absent). Written only when on or already
    // there, so a file of a player who never chose it stays as it was.
    bool LoadScreenReader() const;
    void SaveScreenReader(bool on);

    // Only if kStartupSettingsName exists in currentFolder: sets every game key of
    // options, net's ipaddress, port, runserver and allowvoicechat, and the voice
    // letters from playergender. Returns whether it read; otherwise nothing changes.
    bool LoadSettings(const std::filesystem::path& currentFolder, GameOptions& options, NetSettings& net,
                      VoiceLetters& voices) const;

    // All fourteen game keys; gamesounds comes from the sounds switch, not the options.
    void SaveGameSettings(const GameOptions& options, bool soundsOn);

    // net: ipaddress, port, servername, runserver, allowvoicechat, table.
    void SaveNetSettings(const NetSettings& net);
    std::string LoadServerName() const;
    bool LoadAllowVoiceChat() const;

    // Voice: person, pitch, speed, volume.
    VoiceSettings LoadVoice() const;
    void SaveVoice(const VoiceSettings& voice);

  private:
    ProfileFile profile_;
};

}  // namespace tarvel
