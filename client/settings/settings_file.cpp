#include "client/settings/settings_file.h"

#include "common/string_table.h"

namespace tarvel {

namespace {

constexpr const char* kGame = "game";
constexpr const char* kNet = "net";
constexpr const char* kEnvironment = "environment";
constexpr const char* kVoice = "Voice";

// The fields are 8 bits wide, so a larger number is taken modulo 256; the ranges of
// the rules then decide, so that a value the game could not use gives the default.
std::uint8_t ReadSmallCount(const ProfileFile& profile, const char* key, std::uint8_t fallback) {
    return static_cast<std::uint8_t>(profile.ReadInteger(kGame, key, fallback));
}

GameOptions ReadGameOptions(const ProfileFile& profile) {
    const GameOptions defaults;
    GameOptions o;
    o.pickupforseven = ReadSmallCount(profile, "pickupforseven", defaults.pickupforseven);
    o.kingofspades = profile.ReadBool(kGame, "kingofspades", defaults.kingofspades);
    o.returntogame = profile.ReadBool(kGame, "returntogame", defaults.returntogame);
    o.saypickedcards = profile.ReadBool(kGame, "saypickedcards", defaults.saypickedcards);
    o.usetable = profile.ReadBool(kGame, "usetable", defaults.usetable);
    o.movemouse = profile.ReadBool(kGame, "movemouse", defaults.movemouse);
    o.playforpoints = profile.ReadBool(kGame, "playforpoints", defaults.playforpoints);
    o.numberofgames = ReadSmallCount(profile, "numberofgames", defaults.numberofgames);
    o.compulsory = profile.ReadBool(kGame, "compulsory", defaults.compulsory);
    o.shufflecards = profile.ReadBool(kGame, "shufflecards", defaults.shufflecards);
    o.dealtcards = ReadSmallCount(profile, "dealtcards", defaults.dealtcards);
    o.playergender = profile.ReadString(kGame, "playergender", defaults.playergender);
    o.gamesounds = profile.ReadBool(kGame, "gamesounds", defaults.gamesounds);
    o.saycardsundermouse = profile.ReadBool(kGame, "saycardsundermouse", defaults.saycardsundermouse);
    o.computerlevel = ReadSmallCount(profile, "computerlevel", defaults.computerlevel);
    return WithCountsInRange(o);
}

}  // namespace

std::filesystem::path SettingsPathForProgram(const std::filesystem::path& program) {
    return std::filesystem::path(program).replace_extension(".ini");
}

std::int32_t SettingsFile::LoadLanguage() const {
    return profile_.ReadInteger(kEnvironment, "language", kCzechLanguageBase);
}

std::int32_t SettingsFile::LoadSpeechMode() const {
    const std::int32_t mode = profile_.ReadInteger(kEnvironment, "speech", 0);
    return mode >= 0 && mode <= 2 ? mode : 0;
}

void SettingsFile::SaveSpeechMode(std::int32_t mode) {
    profile_.WriteInteger(kEnvironment, "speech", mode);
}

bool SettingsFile::LoadScreenReader() const {
    return profile_.ReadInteger(kEnvironment, "screenreader", 0) == 1;
}

void SettingsFile::SaveScreenReader(bool on) {
    if (!on && profile_.ReadString(kEnvironment, "screenreader", "").empty()) return;
    profile_.WriteInteger(kEnvironment, "screenreader", on ? 1 : 0);
}

void SettingsFile::SaveLanguage(std::int32_t languageBase) {
    profile_.WriteInteger(kEnvironment, "language", languageBase);
}

bool SettingsFile::LoadSettings(const std::filesystem::path& currentFolder, GameOptions& options,
                                NetSettings& net, VoiceLetters& voices) const {
    std::error_code error;
    if (!std::filesystem::exists(currentFolder / kStartupSettingsName, error)) return false;
    options = ReadGameOptions(profile_);
    const NetSettings defaults;
    net.ipaddress = profile_.ReadString(kNet, "ipaddress", defaults.ipaddress);
    net.port = profile_.ReadInteger(kNet, "port", defaults.port);
    net.runserver = profile_.ReadBool(kNet, "runserver", defaults.runserver);
    net.table = profile_.ReadString(kNet, "table", defaults.table);
    net.allowvoicechat = profile_.ReadBool(kNet, "allowvoicechat", defaults.allowvoicechat);
    voices = VoiceLettersForGender(options.playergender);
    return true;
}

void SettingsFile::SaveGameSettings(const GameOptions& o, bool soundsOn) {
    profile_.WriteInteger(kGame, "pickupforseven", o.pickupforseven);
    profile_.WriteBool(kGame, "kingofspades", o.kingofspades);
    profile_.WriteBool(kGame, "returntogame", o.returntogame);
    profile_.WriteBool(kGame, "saypickedcards", o.saypickedcards);
    profile_.WriteBool(kGame, "usetable", o.usetable);
    profile_.WriteBool(kGame, "movemouse", o.movemouse);
    profile_.WriteBool(kGame, "playforpoints", o.playforpoints);
    profile_.WriteInteger(kGame, "numberofgames", o.numberofgames);
    profile_.WriteBool(kGame, "compulsory", o.compulsory);
    profile_.WriteBool(kGame, "shufflecards", o.shufflecards);
    profile_.WriteInteger(kGame, "dealtcards", o.dealtcards);
    profile_.WriteString(kGame, "playergender", o.playergender);
    profile_.WriteBool(kGame, "gamesounds", soundsOn);
    profile_.WriteBool(kGame, "saycardsundermouse", o.saycardsundermouse);
    // The level joined the settings later: a file gains its key only once the strong
    // computer is chosen, so the settings of a player who never chose it read as before.
    constexpr std::int32_t kAbsent = -1;
    if (o.computerlevel != kComputerFixed || profile_.ReadInteger(kGame, "computerlevel", kAbsent) != kAbsent)
        profile_.WriteInteger(kGame, "computerlevel", o.computerlevel);
}

void SettingsFile::SaveNetSettings(const NetSettings& net) {
    profile_.WriteString(kNet, "ipaddress", net.ipaddress);
    profile_.WriteInteger(kNet, "port", net.port);
    profile_.WriteString(kNet, "servername", net.servername);
    // A file of a player who never named a table stays as it was.
    if (!net.table.empty() || profile_.ReadString(kNet, "table", "-") != "-") {
        profile_.WriteString(kNet, "table", net.table);
    }
    profile_.WriteBool(kNet, "runserver", net.runserver);
    profile_.WriteBool(kNet, "allowvoicechat", net.allowvoicechat);
}

std::string SettingsFile::LoadServerName() const {
    return profile_.ReadString(kNet, "servername", "");
}

bool SettingsFile::LoadAllowVoiceChat() const {
    return profile_.ReadBool(kNet, "allowvoicechat", NetSettings{}.allowvoicechat);
}

VoiceSettings SettingsFile::LoadVoice() const {
    const VoiceSettings defaults;
    return {profile_.ReadString(kVoice, "person", defaults.person),
            profile_.ReadInteger(kVoice, "pitch", defaults.pitch),
            profile_.ReadInteger(kVoice, "speed", defaults.speed),
            profile_.ReadInteger(kVoice, "volume", defaults.volume)};
}

void SettingsFile::SaveVoice(const VoiceSettings& voice) {
    profile_.WriteString(kVoice, "person", voice.person);
    profile_.WriteInteger(kVoice, "pitch", voice.pitch);
    profile_.WriteInteger(kVoice, "speed", voice.speed);
    profile_.WriteInteger(kVoice, "volume", voice.volume);
}

}  // namespace tarvel
