// A player's settings as its client reports them before each game: the eight rule
// settings that must agree between the two players, the gender of its voice and its
// user name.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "protocol/client_messages.h"

namespace tarvel::server {

using protocol::kRuleSettingCount;

struct PlayerSettings {
    std::array<std::uint8_t, kRuleSettingCount> rules{};
    std::string gender;
    std::string userName;
};

// The refusal text naming every rule setting that differs, in comparison order, or
// empty when all eight agree. Gender and user name are not compared.
std::string DifferingSettingsMessage(const PlayerSettings& player0, const PlayerSettings& player1);

}  // namespace tarvel::server
