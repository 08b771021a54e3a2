#include "server/core/player_settings.h"

namespace tarvel::server {
namespace {

constexpr std::string_view kDifferIntro =
    "Nelze spustit hru, protože ve vašem nastavení se neshodují následující položky: ";

constexpr std::array<std::string_view, kRuleSettingCount> kDifferItems = {
    "kolik brát na sedmičku, ",
    "pět karet na pikového krále, ",
    "vracení do hry, ",
    "hrát na body, ",
    "povinné vyhazování es a sedmiček, ",
    "zamíchat karty po otočení hromádky, ",
    "počet her, ",
    "počet rozdávaných karet, "};

constexpr std::uint32_t kCountCeiling = 1'000'000;

bool IsDecimal(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::optional<std::uint8_t> ParseSettingValue(std::string_view text) {
    if (!IsDecimal(text)) return std::nullopt;
    unsigned value = 0;
    for (char c : text) value = (value * 10 + static_cast<unsigned>(c - '0')) % 256;
    return static_cast<std::uint8_t>(value);
}

std::optional<std::uint32_t> ParseCount(std::string_view text) {
    if (!IsDecimal(text)) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value >= kCountCeiling) return kCountCeiling;
    }
    return value;
}

std::string DifferingSettingsMessage(const PlayerSettings& player0, const PlayerSettings& player1) {
    std::string items;
    for (int i = 0; i < kRuleSettingCount; ++i) {
        if (player0.rules[i] != player1.rules[i]) items += kDifferItems[i];
    }
    return items.empty() ? std::string{} : std::string(kDifferIntro) + items;
}

}  // namespace tarvel::server
