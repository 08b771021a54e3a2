// A player's settings as its client reports them before each game: the eight rule
// settings that must agree between the two players, the gender of its voice and its
// user name.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel::server {

inline constexpr int kRuleSettingCount = 8;

// The wire names of the rule settings, in the order in which they are compared.
inline constexpr std::array<std::string_view, kRuleSettingCount> kRuleSettingNames = {
    "kolikbrat", "kralpikovy", "navratdohry", "hranabody",
    "donucen",   "zamichat",   "pocetkol",    "pocetrozdavanych"};

inline constexpr int kSevenDrawSetting = 0;      // "kolikbrat"
inline constexpr int kKingOfSpadesSetting = 1;   // "kralpikovy"
inline constexpr int kReturnToGameSetting = 2;   // "navratdohry"
inline constexpr int kPlayForPointsSetting = 3;  // "hranabody"
inline constexpr int kCompulsorySetting = 4;     // "donucen"
inline constexpr int kShuffleSetting = 5;        // "zamichat"
inline constexpr int kDealtCardsSetting = 7;     // "pocetrozdavanych"

struct PlayerSettings {
    std::array<std::uint8_t, kRuleSettingCount> rules{};
    std::string gender;
    std::string userName;
};

// A decimal number of ASCII digits, kept in 8 bits as the settings are (300 gives 44).
// Nothing for any other text: empty, signs, blanks, letters.
std::optional<std::uint8_t> ParseSettingValue(std::string_view text);

// A decimal count of ASCII digits; very large counts stop at a ceiling far above any
// number of cards. Nothing for any other text.
std::optional<std::uint32_t> ParseCount(std::string_view text);

// The refusal text naming every rule setting that differs, in comparison order, or
// empty when all eight agree. Gender and user name are not compared.
std::string DifferingSettingsMessage(const PlayerSettings& player0, const PlayerSettings& player1);

}  // namespace tarvel::server
