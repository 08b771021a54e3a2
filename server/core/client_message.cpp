#include "server/core/client_message.h"

#include <array>

#include "server/core/player_settings.h"
#include "common/wire.h"

namespace tarvel::server {
namespace {

using Kind = ClientMessageKind;

// "base0" or "base1": the digit; nothing for any other text.
std::optional<std::string_view> PlayerDigitAfter(std::string_view text, std::string_view base) {
    if (text.size() != base.size() + 1 || !text.starts_with(base)) return std::nullopt;
    const std::string_view digit = text.substr(base.size());
    if (digit != "0" && digit != "1") return std::nullopt;
    return digit;
}

// "base" followed by any one character: that character.
std::optional<std::string_view> AnyCharAfter(std::string_view text, std::string_view base) {
    if (text.empty() || WithoutLastChar(text) != base) return std::nullopt;
    return LastChar(text);
}

struct FixedRule {
    Kind kind;
    bool onKey;  // matched on the key (the message has a value) or on the whole message
    std::string_view base;
};

// After the settings, in dispatch order; "req card", "end of one game" and "end of game"
// accept any character as the digit and are handled apart, at their places.
constexpr std::array<FixedRule, 3> kBeforeDraw = {{
    {Kind::ReadyForDeal, false, "req startcard"},
    {Kind::SendCard, true, "sendcard"},
    {Kind::SendColor, true, "sendcolor"},
}};
constexpr std::array<FixedRule, 3> kBeforeNextGame = {{
    {Kind::Standing, false, "standing"},
    {Kind::NoCardsLeft, false, "i have no cards"},
    {Kind::AceCannotReturn, false, "acecannotreturn"},
}};
constexpr std::array<FixedRule, 2> kBeforeEndOfMatch = {{
    {Kind::GiveUp, false, "i give it up"},
    {Kind::Points, true, "points"},
}};
constexpr std::array<FixedRule, 3> kLast = {{
    {Kind::TerminateGame, false, "terminategame"},
    {Kind::Say, true, "iwanttosay"},
    {Kind::ReturnReady, false, "reconnectready"},
}};

template <std::size_t N>
std::optional<ClientMessage> MatchFixed(const std::array<FixedRule, N>& rules, std::string_view message) {
    const std::string_view key = MessageKey(message);
    for (const auto& rule : rules) {
        if (auto digit = PlayerDigitAfter(rule.onKey ? key : message, rule.base)) {
            return ClientMessage{rule.kind, *digit, rule.onKey ? MessageValue(message) : std::string_view{}};
        }
    }
    return std::nullopt;
}

std::optional<ClientMessage> MatchInfo(std::string_view message) {
    const std::string_view key = MessageKey(message);
    if (!key.starts_with("info ")) return std::nullopt;
    const std::string_view name = key.substr(5);
    for (int i = 0; i < kRuleSettingCount; ++i) {
        if (auto digit = PlayerDigitAfter(name, kRuleSettingNames[i])) {
            return ClientMessage{Kind::RuleSetting, *digit, MessageValue(message), i};
        }
    }
    if (auto digit = PlayerDigitAfter(name, "pohlhrac")) {
        return ClientMessage{Kind::Gender, *digit, MessageValue(message)};
    }
    if (auto digit = PlayerDigitAfter(name, "uzivatel")) {
        return ClientMessage{Kind::UserName, *digit, MessageValue(message)};
    }
    return std::nullopt;
}

// "infosettings0 done": the only message whose digit stands inside it.
std::optional<ClientMessage> MatchSettingsDone(std::string_view message) {
    if (message == "infosettings0 done") return ClientMessage{Kind::SettingsDone, "0", {}};
    if (message == "infosettings1 done") return ClientMessage{Kind::SettingsDone, "1", {}};
    return std::nullopt;
}

}  // namespace

std::optional<ClientMessage> RecogniseClientMessage(std::string_view message) {
    if (auto info = MatchInfo(message)) return info;
    if (auto done = MatchSettingsDone(message)) return done;
    if (auto m = MatchFixed(kBeforeDraw, message)) return m;
    if (auto digit = AnyCharAfter(MessageKey(message), "req card")) {
        return ClientMessage{Kind::RequestCards, *digit, MessageValue(message)};
    }
    if (auto m = MatchFixed(kBeforeNextGame, message)) return m;
    if (auto digit = AnyCharAfter(message, "end of one game")) {
        return ClientMessage{Kind::EndOfOneGame, *digit, {}};
    }
    if (auto m = MatchFixed(kBeforeEndOfMatch, message)) return m;
    if (auto digit = AnyCharAfter(message, "end of game")) {
        return ClientMessage{Kind::EndOfMatch, *digit, {}};
    }
    return MatchFixed(kLast, message);
}

}  // namespace tarvel::server
