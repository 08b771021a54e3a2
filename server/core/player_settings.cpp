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

}  // namespace

std::string DifferingSettingsMessage(const PlayerSettings& player0, const PlayerSettings& player1) {
    std::string items;
    for (int i = 0; i < kRuleSettingCount; ++i) {
        if (player0.rules[i] != player1.rules[i]) items += kDifferItems[i];
    }
    return items.empty() ? std::string{} : std::string(kDifferIntro) + items;
}

}  // namespace tarvel::server
