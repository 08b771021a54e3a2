#include "settings_file.h"

#include "string_table.h"

namespace tarvel {

namespace {

constexpr const char* kGame = "game";
constexpr const char* kNet = "net";
constexpr const char* kEnvironment = "environment";
constexpr const char* kVoice = "Voice";

// The fields are 8 bits wide, so a larger number is taken modulo 256. A value the
// game could not use (such as more cards dealt than the deck holds) gives the default,
// as a value that is not a number does; the dialogs never write one.
std::uint8_t ReadSmallCount(const ProfileFile& profile, const char* key, std::uint8_t fallback,
                            std::uint8_t lowest, std::uint8_t highest) {
    const auto value = static_cast<std::uint8_t>(profile.ReadInteger(kGame, key, fallback));
    return (value < lowest || value > highest) ? fallback : value;
}

GameOptions ReadGameOptions(const ProfileFile& profile) {
    const GameOptions defaults;
    GameOptions o;
    o.pickupforseven = ReadSmallCount(profile, "pickupforseven", defaults.pickupforseven, 2, 3);
    o.kingofspades = profile.ReadBool(kGame, "kingofspades", defaults.kingofspades);
    o.returntogame = profile.ReadBool(kGame, "returntogame", defaults.returntogame);
    o.saypickedcards = profile.ReadBool(kGame, "saypickedcards", defaults.saypickedcards);
    o.usetable = profile.ReadBool(kGame, "usetable", defaults.usetable);
    o.movemouse = profile.ReadBool(kGame, "movemouse", defaults.movemouse);
    o.playforpoints = profile.ReadBool(kGame, "playforpoints", defaults.playforpoints);
    o.numberofgames = ReadSmallCount(profile, "numberofgames", defaults.numberofgames, 0, 99);
    o.compulsory = profile.ReadBool(kGame, "compulsory", defaults.compulsory);
    o.shufflecards = profile.ReadBool(kGame, "shufflecards", defaults.shufflecards);
    o.dealtcards = ReadSmallCount(profile, "dealtcards", defaults.dealtcards, 4, 10);
    o.playergender = profile.ReadString(kGame, "playergender", defaults.playergender);
    o.gamesounds = profile.ReadBool(kGame, "gamesounds", defaults.gamesounds);
    o.saycardsundermouse = profile.ReadBool(kGame, "saycardsundermouse", defaults.saycardsundermouse);
    return o;
}

}  // namespace

std::filesystem::path SettingsPathForProgram(const std::filesystem::path& program) {
    return std::filesystem::path(program).replace_extension(".ini");
}

std::int32_t SettingsFile::LoadLanguage() const {
    return m_profile.ReadInteger(kEnvironment, "language", kCzechLanguageBase);
}

void SettingsFile::SaveLanguage(std::int32_t languageBase) {
    m_profile.WriteInteger(kEnvironment, "language", languageBase);
}

bool SettingsFile::LoadSettings(const std::filesystem::path& currentFolder, GameOptions& options,
                                NetSettings& net, VoiceLetters& voices) const {
    std::error_code error;
    if (!std::filesystem::exists(currentFolder / kStartupSettingsName, error)) return false;
    options = ReadGameOptions(m_profile);
    const NetSettings defaults;
    net.ipaddress = m_profile.ReadString(kNet, "ipaddress", defaults.ipaddress);
    net.port = m_profile.ReadInteger(kNet, "port", defaults.port);
    net.runserver = m_profile.ReadBool(kNet, "runserver", defaults.runserver);
    net.allowvoicechat = m_profile.ReadBool(kNet, "allowvoicechat", defaults.allowvoicechat);
    voices = VoiceLettersForGender(options.playergender);
    return true;
}

void SettingsFile::SaveGameSettings(const GameOptions& o, bool soundsOn) {
    m_profile.WriteInteger(kGame, "pickupforseven", o.pickupforseven);
    m_profile.WriteBool(kGame, "kingofspades", o.kingofspades);
    m_profile.WriteBool(kGame, "returntogame", o.returntogame);
    m_profile.WriteBool(kGame, "saypickedcards", o.saypickedcards);
    m_profile.WriteBool(kGame, "usetable", o.usetable);
    m_profile.WriteBool(kGame, "movemouse", o.movemouse);
    m_profile.WriteBool(kGame, "playforpoints", o.playforpoints);
    m_profile.WriteInteger(kGame, "numberofgames", o.numberofgames);
    m_profile.WriteBool(kGame, "compulsory", o.compulsory);
    m_profile.WriteBool(kGame, "shufflecards", o.shufflecards);
    m_profile.WriteInteger(kGame, "dealtcards", o.dealtcards);
    m_profile.WriteString(kGame, "playergender", o.playergender);
    m_profile.WriteBool(kGame, "gamesounds", soundsOn);
    m_profile.WriteBool(kGame, "saycardsundermouse", o.saycardsundermouse);
}

void SettingsFile::SaveNetSettings(const NetSettings& net) {
    m_profile.WriteString(kNet, "ipaddress", net.ipaddress);
    m_profile.WriteInteger(kNet, "port", net.port);
    m_profile.WriteString(kNet, "servername", net.servername);
    m_profile.WriteBool(kNet, "runserver", net.runserver);
    m_profile.WriteBool(kNet, "allowvoicechat", net.allowvoicechat);
}

std::string SettingsFile::LoadServerName() const {
    return m_profile.ReadString(kNet, "servername", "");
}

bool SettingsFile::LoadAllowVoiceChat() const {
    return m_profile.ReadBool(kNet, "allowvoicechat", NetSettings{}.allowvoicechat);
}

VoiceSettings SettingsFile::LoadVoice() const {
    const VoiceSettings defaults;
    return {m_profile.ReadString(kVoice, "person", defaults.person),
            m_profile.ReadInteger(kVoice, "pitch", defaults.pitch),
            m_profile.ReadInteger(kVoice, "speed", defaults.speed),
            m_profile.ReadInteger(kVoice, "volume", defaults.volume)};
}

void SettingsFile::SaveVoice(const VoiceSettings& voice) {
    m_profile.WriteString(kVoice, "person", voice.person);
    m_profile.WriteInteger(kVoice, "pitch", voice.pitch);
    m_profile.WriteInteger(kVoice, "speed", voice.speed);
    m_profile.WriteInteger(kVoice, "volume", voice.volume);
}

}  // namespace tarvel
