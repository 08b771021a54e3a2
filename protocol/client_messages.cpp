#include "protocol/client_messages.h"

#include <charconv>

#include "protocol/framing.h"

namespace tarvel::protocol {
namespace {

using Kind = ClientKind;

// How the server matches a numbered message: the digit after the keyword, on the key of
// a message with a value or on the whole of one without; a few take any character as
// the digit (the draw and the two ends), and "infosettings" has text after its digit.
enum class Match : std::uint8_t { Opening, OnKey, Whole, KeyAnyChar, WholeAnyChar, Info, SettingsDone };

struct Row {
    Kind kind;
    std::string_view keyword;
    Match match;
};

// One row per kind, in ClientKind's order. The numbered rows after the settings are
// also the server's dispatch order: the first that matches wins.
constexpr std::array<Row, 21> kRows = {{
    {Kind::Join, "join", Match::Opening},
    {Kind::CanReturn, "canreconnect", Match::Opening},
    {Kind::Reconnect, "reconnect", Match::Opening},
    {Kind::RuleSetting, "info ", Match::Info},
    {Kind::Gender, "info pohlhrac", Match::Info},
    {Kind::UserName, "info uzivatel", Match::Info},
    {Kind::SettingsDone, "infosettings", Match::SettingsDone},
    {Kind::ReadyForDeal, "req startcard", Match::Whole},
    {Kind::SendCard, "sendcard", Match::OnKey},
    {Kind::SendColor, "sendcolor", Match::OnKey},
    {Kind::RequestCards, "req card", Match::KeyAnyChar},
    {Kind::Standing, "standing", Match::Whole},
    {Kind::NoCardsLeft, "i have no cards", Match::Whole},
    {Kind::AceCannotReturn, "acecannotreturn", Match::Whole},
    {Kind::EndOfOneGame, "end of one game", Match::WholeAnyChar},
    {Kind::GiveUp, "i give it up", Match::Whole},
    {Kind::Points, "points", Match::OnKey},
    {Kind::EndOfMatch, "end of game", Match::WholeAnyChar},
    {Kind::TerminateGame, "terminategame", Match::Whole},
    {Kind::Say, "iwanttosay", Match::OnKey},
    {Kind::ReturnReady, "reconnectready", Match::Whole},
}};

constexpr bool RowsInKindOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].kind) != i) return false;
    }
    return true;
}
static_assert(RowsInKindOrder(), "one row per ClientKind, in its order");

const Row& RowOf(Kind kind) {
    return kRows[static_cast<std::size_t>(kind)];
}

bool HasValue(Match match) {
    return match == Match::OnKey || match == Match::KeyAnyChar || match == Match::Info;
}

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

// The message read once: its key and value, split where the first "=" is.
struct Split {
    std::string_view whole;
    std::string_view key;
    std::string_view value;
};

std::optional<ClientMessage> MatchRow(const Row& row, const Split& split) {
    const std::string_view message = split.whole;
    const std::string_view key = split.key;
    const std::string_view value = split.value;
    std::optional<std::string_view> digit;
    switch (row.match) {
        case Match::OnKey:
            digit = PlayerDigitAfter(key, row.keyword);
            break;
        case Match::Whole:
            digit = PlayerDigitAfter(message, row.keyword);
            break;
        case Match::KeyAnyChar:
            digit = AnyCharAfter(key, row.keyword);
            break;
        case Match::WholeAnyChar:
            digit = AnyCharAfter(message, row.keyword);
            break;
        case Match::SettingsDone:
            if (message == "infosettings0 done") digit = "0";
            if (message == "infosettings1 done") digit = "1";
            break;
        case Match::Opening:
        case Match::Info:
            return std::nullopt;  // matched apart
    }
    if (!digit) return std::nullopt;
    return ClientMessage{row.kind, *digit, HasValue(row.match) ? value : std::string_view{}};
}

std::optional<ClientMessage> MatchInfo(const Split& split) {
    const std::string_view key = split.key;
    constexpr std::string_view kInfo = "info ";
    if (!key.starts_with(kInfo)) return std::nullopt;
    const std::string_view name = key.substr(kInfo.size());
    for (int i = 0; i < kRuleSettingCount; ++i) {
        if (auto digit = PlayerDigitAfter(name, kRuleSettingNames[static_cast<std::size_t>(i)])) {
            return ClientMessage{Kind::RuleSetting, *digit, split.value, i};
        }
    }
    for (const Kind kind : {Kind::Gender, Kind::UserName}) {
        if (auto digit = PlayerDigitAfter(key, RowOf(kind).keyword)) {
            return ClientMessage{kind, *digit, split.value};
        }
    }
    return std::nullopt;
}

std::optional<ClientMessage> MatchOpening(const Split& split) {
    // A message without "=" has no key.
    if (split.key == RowOf(Kind::Join).keyword) return ClientMessage{Kind::Join, {}, split.value};
    if (split.key == RowOf(Kind::Reconnect).keyword) return ClientMessage{Kind::Reconnect, {}, split.value};
    if (split.whole == RowOf(Kind::CanReturn).keyword) return ClientMessage{Kind::CanReturn, {}, {}};
    return std::nullopt;
}

bool IsDecimal(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::string_view KeywordOf(ClientKind kind) {
    return RowOf(kind).keyword;
}

std::string FormatPlayerMessage(ClientKind kind, char playerDigit, std::optional<std::string_view> value) {
    const Row& row = RowOf(kind);
    std::string message(row.keyword);
    message += playerDigit;
    if (row.match == Match::SettingsDone) message += " done";
    if (value && HasValue(row.match)) {
        message += '=';
        message += *value;
    }
    return message;
}

std::string FormatRuleSetting(int setting, char playerDigit, std::string_view value) {
    std::string message(RowOf(Kind::RuleSetting).keyword);
    message += kRuleSettingNames[static_cast<std::size_t>(setting)];
    message += playerDigit;
    message += '=';
    message += value;
    return message;
}

std::string FormatJoin(std::string_view tableName) {
    return std::string(RowOf(Kind::Join).keyword) + "=" + std::string(tableName);
}

std::string FormatCanReturn() {
    return std::string(RowOf(Kind::CanReturn).keyword);
}

std::string FormatReconnect(std::string_view secret, std::uint64_t received) {
    return std::string(RowOf(Kind::Reconnect).keyword) + "=" + std::string(secret) + ";" +
           std::to_string(received);
}

ReturnTicket ParseReturnTicket(std::string_view value) {
    ReturnTicket ticket;
    const std::size_t semicolon = value.find(';');
    ticket.secret = value.substr(0, semicolon);
    if (semicolon != std::string_view::npos) {
        const std::string_view count = value.substr(semicolon + 1);
        const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), ticket.received);
        if (error != std::errc{} || end != count.data() + count.size()) ticket.received = 0;
    }
    return ticket;
}

std::optional<ClientMessage> ParseClientMessage(std::string_view message) {
    // Every message a client sends comes through here: it is split once, not once a row.
    const std::size_t eq = message.find('=');
    const Split split = eq == std::string_view::npos
                            ? Split{message, {}, {}}
                            : Split{message, message.substr(0, eq), message.substr(eq + 1)};
    if (auto opening = MatchOpening(split)) return opening;
    if (auto info = MatchInfo(split)) return info;
    for (const Row& row : kRows) {
        if (auto matched = MatchRow(row, split)) return matched;
    }
    return std::nullopt;
}

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

}  // namespace tarvel::protocol
