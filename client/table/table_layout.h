// The fixed places of the table, in pixels of the table area (origin top left, y
// down). The client draws, places the selection marker and hit-tests with them, so
// every number of the layout is written once, here.
#pragma once

#include <cstddef>
#include <string_view>

#include "rules/cards.h"

namespace tarvel::layout {

struct Point {
    int x = 0;
    int y = 0;
};

// Cards of a hand overlap: each lies this far right of the one before.
inline constexpr int kCardStep = 20;

// The selection marker stands just above the selected card or suit symbol.
inline constexpr int kHandMarkerY = 225;
inline constexpr int kMarkerOffsetX = 5;
inline constexpr int kSuitMarkerY = 115;
inline constexpr int kFirstSuitMarkerX = 310;  // hearts
inline constexpr int kLastSuitMarkerX = 370;   // clubs
inline constexpr Point kStartMarker{kCardStep + kMarkerOffsetX, kHandMarkerY};

// The pointer sent to the selection lands this far below the marker, on the card's face.
inline constexpr int kPointerBelowMarker = 90;
// Where the pointer rests after a move onto the pile.
inline constexpr Point kPilePointer{400, 210};

// The rows and places the pictures are drawn at.
inline constexpr int kOpponentRowY = 5;
inline constexpr int kPlayerRowY = 230;
inline constexpr Point kStock{200, 120};
inline constexpr Point kPile{400, 120};
inline constexpr int kSuitRowY = 120;
inline constexpr int kSuitRowLeft = 300;  // hearts; each further suit one step right
inline constexpr int kSuitSymbolStep = 20;
inline constexpr Point kRequestedSuit{360, 120};
// The blank right of the opponent's backs: the card blank's width less 6.
inline constexpr int kOpponentBlankOffset = 64;

// The sizes the pictures are made to.
inline constexpr int kCardWidth = 67;
inline constexpr int kCardHeight = 103;
inline constexpr int kCardBlankWidth = 70;
inline constexpr int kCardBlankHeight = 105;
inline constexpr int kSuitBlankWidth = 21;
inline constexpr int kSuitBlankHeight = 31;

// Areas the pointer acts on, bounds inclusive.
inline constexpr int kHandAreaTop = 230;
inline constexpr int kHandAreaBottom = 332;
inline constexpr int kHandAreaRightPastLast = 66;  // right edge: kCardStep * count + this
inline constexpr int kCardAreaWidth = 66;          // stock and pile: left .. left + this
inline constexpr int kCardAreaHeight = 102;
inline constexpr int kSuitRowRight = 379;
inline constexpr int kSuitRowBottom = 151;

// The marker x of card `position` (1-based) of the player's hand.
constexpr int HandMarkerX(std::size_t position) {
    return kCardStep * static_cast<int>(position) + kMarkerOffsetX;
}

// The marker x of a suit (hearts 0 … clubs 3) of the suit row.
constexpr int SuitMarkerX(std::uint8_t suit) {
    return kFirstSuitMarkerX + kSuitSymbolStep * suit;
}

// The hand position a marker x stands for, before it is kept within the hand.
constexpr std::size_t HandPositionAt(int x) {
    return x < 0 ? 0 : static_cast<std::size_t>(x / kCardStep);
}

// The suit under an x of the suit row, or kNoSuit outside it.
constexpr std::uint8_t SuitAtX(int x) {
    if (x < kSuitRowLeft || x > kSuitRowRight) return rules::kNoSuit;
    return static_cast<std::uint8_t>((x - kSuitRowLeft) / kSuitSymbolStep);
}

}  // namespace tarvel::layout
