// The card record and the tests every rule makes on a card's Czech name.
//
// A card is identified only by its name ("7 srdcová", "kluk kárový", "eso pikové"):
// rank and suit are never stored apart, so every rule asks the name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

// One card, or a suit marker laid over a queen on the pile.
struct typhodnoty {
    std::string Name;
    std::string Unused;  // kept for the record's shape; always empty
    std::int32_t Value = 0;
    std::uint8_t Picture = 0;

    friend bool operator==(const typhodnoty&, const typhodnoty&) = default;
};

inline constexpr int kDeckSize = 32;
inline constexpr int kSuitCount = 4;
inline constexpr int kRankCount = 8;

// Suits in deck order: hearts, diamonds, spades, clubs.
inline constexpr std::array<std::string_view, kSuitCount> kSuitKeys = {"srd", "kár", "pik", "kří"};
inline constexpr std::array<std::string_view, kSuitCount> kSuitMarkers = {" srdce", " kára", " piky",
                                                                          " kříže"};

// Number of UTF-8 characters in the text (continuation bytes are not counted).
std::size_t CharCount(std::string_view text);
// The first `count` characters of the text (fewer if the text is shorter).
std::string_view FirstChars(std::string_view text, std::size_t count);
// True when the text's first characters are exactly `prefix`.
bool StartsWith(std::string_view text, std::string_view prefix);

bool IsSeven(std::string_view name);
bool IsAce(std::string_view name);
bool IsQueen(std::string_view name);
bool IsEight(std::string_view name);
bool IsNine(std::string_view name);
bool IsTen(std::string_view name);
// "král pik…": the king of spades as the rules that look at the start of the name see it.
bool BeginsKingOfSpades(std::string_view name);
// The whole name "král pikový": used where an effect is applied.
bool IsKingOfSpades(std::string_view name);
bool IsSevenOfSpades(std::string_view name);
// A pile entry whose name begins with a blank is a suit marker, not a card.
bool IsSuitMarker(std::string_view name);

// The name up to and including the first blank; equal rank parts mean equal rank.
// A marker's rank part is a single blank and equals no card's.
std::string_view RankPart(std::string_view name);
// The three characters after the first blank: the suit key ("srd", "kár", "pik", "kří").
std::string_view SuitPart(std::string_view name);

// Index 0..3 of a suit key, or -1.
int SuitIndexOfKey(std::string_view key);
// The marker text (" srdce" …) of a suit key, or empty for an unknown key.
std::string_view MarkerOfSuitKey(std::string_view key);
// The marker at suit index 0..3.
std::string_view MarkerOfSuit(int suitIndex);

// A card fits the pile top when it is a queen, or shares the top's rank part or suit part.
bool FitsOn(std::string_view card, std::string_view top);

}  // namespace tarvel
