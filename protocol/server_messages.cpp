#include "protocol/server_messages.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "protocol/framing.h"

namespace tarvel::protocol {
namespace {

using Kind = ServerKind;

struct Row {
    Kind kind;
    std::string_view keyword;
};

// One row per kind, in ServerKind's order; the bare ones come first.
constexpr Kind kFirstKeyed = Kind::YourNumber;
constexpr std::array<Row, 33> kRows = {{
    {Kind::Busy, "busy"},
    {Kind::SettingsRequest, "req settings"},
    {Kind::SameName, "samename"},
    {Kind::SettingsAgreed, "oksettings"},
    {Kind::StartCardsDone, "startcard done"},
    {Kind::OpponentDraws, "opponentpickup"},
    {Kind::OpponentTakesCard, "opptakescard"},
    {Kind::NothingToDraw, "nocardforpickup"},
    {Kind::TurningPile, "turningthedeck"},
    {Kind::DrawDone, "pickup done"},
    {Kind::OpponentStands, "i stand"},
    {Kind::OpponentOut, "opp has no cards"},
    {Kind::AceCannotReturn, "ace you cannot return me"},
    {Kind::OpponentGivesUp, "opp gives it up"},
    {Kind::ForcedEnd, "forcedendofgame"},
    {Kind::OpponentBack, "opponentback"},
    {Kind::MatchOver, "matchover"},
    {Kind::YourNumber, "yournumber"},
    {Kind::DifferentSettings, "diffsettings"},
    {Kind::OpponentGender, "opponentgender"},
    {Kind::FirstPlayer, "firstplayer"},
    {Kind::YourStartCard, "yourstartcard"},
    {Kind::PileStartCard, "deckstartcard"},
    {Kind::PileStartSuit, "deckstartcolorcard"},
    {Kind::OpponentCard, "deckcard"},
    {Kind::OpponentSuit, "deckcolorcard"},
    {Kind::YourCard, "yourcard"},
    {Kind::OpponentPoints, "opp points"},
    {Kind::Said, "sayit"},
    {Kind::ReturnKey, "reconnectkey"},
    {Kind::OpponentLost, "opponentlost"},
    {Kind::Reconnected, "reconnected"},
    {Kind::Position, "position"},
}};

constexpr bool RowsInKindOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].kind) != i) return false;
    }
    return true;
}
static_assert(RowsInKindOrder(), "one row per ServerKind, in its order");

bool Keyed(Kind kind) {
    return kind >= kFirstKeyed;
}

}  // namespace

std::string_view KeywordOf(ServerKind kind) {
    return kRows[static_cast<std::size_t>(kind)].keyword;
}

std::string FormatServerMessage(ServerKind kind, std::string_view value) {
    std::string message;
    FormatServerMessage(kind, value, message);
    return message;
}

void FormatServerMessage(ServerKind kind, std::string_view value, std::string& message) {
    message.assign(KeywordOf(kind));
    if (Keyed(kind)) {
        message += '=';
        message += value;
    }
}

std::optional<ServerMessage> ParseServerMessage(std::string_view message) {
    const bool keyed = message.find('=') != std::string_view::npos;
    const std::string_view name = keyed ? MessageKey(message) : message;
    const auto row = std::find_if(kRows.begin(), kRows.end(),
                                  [&](const Row& r) { return Keyed(r.kind) == keyed && r.keyword == name; });
    if (row == kRows.end()) return std::nullopt;
    return ServerMessage{row->kind, keyed ? MessageValue(message) : std::string_view{}};
}

std::string FormatReturnKey(std::string_view secret, int waitSeconds) {
    return FormatServerMessage(Kind::ReturnKey, std::string(secret) + ";" + std::to_string(waitSeconds));
}

ReturnKey ParseReturnKey(std::string_view value) {
    ReturnKey key;
    const std::size_t semicolon = value.find(';');
    key.secret = value.substr(0, semicolon);
    if (semicolon != std::string_view::npos) {
        if (const auto wait = ParseNumber(value.substr(semicolon + 1))) key.waitSeconds = std::max(*wait, 0);
    }
    return key;
}

std::optional<std::int32_t> ParseNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace tarvel::protocol
