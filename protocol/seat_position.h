// A game as one player knows it, in the text the server sends a player who comes back
// after a lost connection: "name:value" fields separated by ";", for example
//   hand:7 srdcová,eso pikové;top:dáma kárová;suit: kříže;opponent:5;turn:1;draw:0;
//   ace:0;name:0;game:2;wins:1,0;points:0,12
// Card names and suit markers are those of the wire; "wins" and "points" give the
// player's first, then the opponent's. Unknown fields are skipped, so more can be added.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::protocol {

struct SeatPosition {
    std::vector<std::string> hand;  // the player's cards
    std::string top;                // the card on the pile; empty before a deal
    std::string namedSuit;          // the marker over a queen on top (" srdce"), or empty
    int opponentCards = 0;
    bool yourTurn = false;
    int pendingDraw = 0;      // cards the player on turn draws unless he answers
    bool acePending = false;  // an ace to answer, or stand
    bool suitToName = false;  // the player on turn laid a queen and names the suit
    int gameNumber = 0;
    int yourWins = 0;
    int opponentWins = 0;
    int yourPoints = 0;
    int opponentPoints = 0;

    friend bool operator==(const SeatPosition&, const SeatPosition&) = default;
};

std::string EncodeSeatPosition(const SeatPosition& position);
// Nothing when a field the position needs is missing or not a number.
std::optional<SeatPosition> DecodeSeatPosition(std::string_view text);

}  // namespace tarvel::protocol
