#include "protocol/seat_position.h"

#include <charconv>
#include <map>

namespace tarvel::protocol {
namespace {

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "a,b": both numbers.
bool Pair(std::string_view text, int& first, int& second) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return false;
    const auto a = Number(text.substr(0, comma));
    const auto b = Number(text.substr(comma + 1));
    if (!a || !b) return false;
    first = *a;
    second = *b;
    return true;
}

std::string Flag(bool on) {
    return on ? "1" : "0";
}

}  // namespace

std::string EncodeSeatPosition(const SeatPosition& p) {
    std::string text = "hand:";
    for (std::size_t i = 0; i < p.hand.size(); ++i) {
        if (i > 0) text += ',';
        text += p.hand[i];
    }
    text += ";top:" + p.top;
    text += ";suit:" + p.namedSuit;
    text += ";opponent:" + std::to_string(p.opponentCards);
    text += ";turn:" + Flag(p.yourTurn);
    text += ";draw:" + std::to_string(p.pendingDraw);
    text += ";ace:" + Flag(p.acePending);
    text += ";name:" + Flag(p.suitToName);
    text += ";game:" + std::to_string(p.gameNumber);
    text += ";wins:" + std::to_string(p.yourWins) + "," + std::to_string(p.opponentWins);
    text += ";points:" + std::to_string(p.yourPoints) + "," + std::to_string(p.opponentPoints);
    return text;
}

std::optional<SeatPosition> DecodeSeatPosition(std::string_view text) {
    std::map<std::string_view, std::string_view> fields;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view field = text.substr(0, end);
        const std::size_t colon = field.find(':');
        if (colon != std::string_view::npos) fields.emplace(field.substr(0, colon), field.substr(colon + 1));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    for (const char* needed :
         {"hand", "top", "suit", "opponent", "turn", "draw", "ace", "name", "game", "wins", "points"}) {
        if (!fields.contains(needed)) return std::nullopt;
    }
    SeatPosition p;
    std::string_view hand = fields["hand"];
    while (!hand.empty()) {
        const std::size_t comma = hand.find(',');
        p.hand.emplace_back(hand.substr(0, comma));
        if (comma == std::string_view::npos) break;
        hand.remove_prefix(comma + 1);
    }
    p.top = std::string(fields["top"]);
    p.namedSuit = std::string(fields["suit"]);
    const auto opponent = Number(fields["opponent"]);
    const auto turn = Number(fields["turn"]);
    const auto draw = Number(fields["draw"]);
    const auto ace = Number(fields["ace"]);
    const auto name = Number(fields["name"]);
    const auto game = Number(fields["game"]);
    if (!opponent || !turn || !draw || !ace || !name || !game) return std::nullopt;
    if (!Pair(fields["wins"], p.yourWins, p.opponentWins)) return std::nullopt;
    if (!Pair(fields["points"], p.yourPoints, p.opponentPoints)) return std::nullopt;
    p.opponentCards = *opponent;
    p.yourTurn = *turn != 0;
    p.pendingDraw = *draw;
    p.acePending = *ace != 0;
    p.suitToName = *name != 0;
    p.gameNumber = *game;
    return p;
}

}  // namespace tarvel::protocol
