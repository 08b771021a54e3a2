#include "rules/card_names.h"

#include <array>

namespace tarvel::rules {
namespace {

// The rank words in rank order, and the grammatical gender each takes its suit in.
enum Gender : std::uint8_t { kFeminine, kMasculine, kNeuter };
constexpr std::array<std::string_view, 8> kRankWords = {"7", "8", "9", "10", "kluk", "dáma", "král", "eso"};
constexpr std::array<Gender, 8> kRankGenders = {kFeminine, kFeminine,  kFeminine,  kFeminine,
                                                kMasculine, kFeminine, kMasculine, kNeuter};
constexpr std::array<std::array<std::string_view, 3>, 4> kSuitAdjectives = {{
    {"srdcová", "srdcový", "srdcové"},
    {"kárová", "kárový", "kárové"},
    {"piková", "pikový", "pikové"},
    {"křížová", "křížový", "křížové"},
}};
const std::array<std::string, 4> kSuitWords = {"srdce", "kára", "piky", "kříže"};

std::array<std::string, kCards> MakeNames() {
    std::array<std::string, kCards> names;
    for (CardId card = 0; card < kCards; ++card) {
        const std::uint8_t rank = RankOf(card);
        names[card] = std::string(kRankWords[rank]) + " " +
                      std::string(kSuitAdjectives[SuitOf(card)][kRankGenders[rank]]);
    }
    return names;
}

std::array<std::string, 4> MakeMarkers() {
    std::array<std::string, 4> markers;
    for (std::size_t suit = 0; suit < markers.size(); ++suit) markers[suit] = " " + kSuitWords[suit];
    return markers;
}

// Made once and never changed: constant tables every session may read.
const std::array<std::string, kCards> kNames = MakeNames();
const std::array<std::string, 4> kMarkers = MakeMarkers();
const std::string kNothing;

}  // namespace

const std::string& CardName(CardId card) {
    return card < kCards ? kNames[card] : kNothing;
}

CardId IdOfName(std::string_view name) {
    for (CardId card = 0; card < kCards; ++card) {
        if (kNames[card] == name) return card;
    }
    return kNoCard;
}

const std::string& SuitWord(std::uint8_t suit) {
    return suit < kSuitWords.size() ? kSuitWords[suit] : kNothing;
}

const std::string& SuitMarker(std::uint8_t suit) {
    return suit < kMarkers.size() ? kMarkers[suit] : kNothing;
}

std::uint8_t SuitOfMarker(std::string_view marker) {
    for (std::uint8_t suit = 0; suit < kMarkers.size(); ++suit) {
        if (kMarkers[suit] == marker) return suit;
    }
    return kNoSuit;
}

}  // namespace tarvel::rules
