#include "common/deck.h"

namespace tarvel {
namespace {

struct RankInfo {
    std::string_view word;
    std::int32_t value;
    int gender;  // 0 feminine, 1 masculine, 2 neuter
};

constexpr std::array<RankInfo, kRankCount> kRanks = {{{"7", 7, 0},
                                                      {"8", 8, 0},
                                                      {"9", 9, 0},
                                                      {"10", 10, 0},
                                                      {"kluk", 1, 1},
                                                      {"dáma", 20, 0},
                                                      {"král", 2, 1},
                                                      {"eso", 11, 2}}};

constexpr std::array<std::array<std::string_view, 3>, kSuitCount> kAdjectives = {{
    {"srdcová", "srdcový", "srdcové"},
    {"kárová", "kárový", "kárové"},
    {"piková", "pikový", "pikové"},
    {"křížová", "křížový", "křížové"},
}};

CardTableArray BuildTable() {
    CardTableArray table;
    const auto deck = MakeDeck();
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = deck[i];
    return table;
}

}  // namespace

std::vector<typhodnoty> MakeDeck() {
    std::vector<typhodnoty> deck;
    deck.reserve(kDeckSize);
    for (const auto& rank : kRanks) {
        for (const auto& adjectives : kAdjectives) {
            typhodnoty card;
            card.Name = std::string(rank.word) + " " + std::string(adjectives[rank.gender]);
            card.Value = card.Name == "dáma srdcová" ? 40 : rank.value;
            card.Picture = static_cast<std::uint8_t>(deck.size() + 1);
            deck.push_back(std::move(card));
        }
    }
    return deck;
}

const CardTableArray& StandardCardTable() {
    static const CardTableArray table = BuildTable();
    return table;
}

std::optional<typhodnoty> FindCard(const CardTableArray& table, std::string_view name) {
    for (const auto& card : table) {
        if (card.Name == name) return card;
    }
    return std::nullopt;
}

std::optional<typhodnoty> FindCard(std::string_view name) {
    return FindCard(StandardCardTable(), name);
}

void ShuffleIntoStock(std::vector<typhodnoty> ring, std::size_t start, CardStack& stock,
                      RandomSource& random) {
    if (ring.empty()) return;
    std::size_t p = start % ring.size();
    while (ring.size() > 1) {
        const auto n = static_cast<std::uint32_t>(ring.size());
        p = (p + random.Random(n)) % ring.size();
        stock.PushCard(ring[p]);
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(p));
        // The walk goes on from the card that followed; past the end the ring closes.
        if (p == ring.size()) p = 0;
    }
    stock.PushCard(ring.front());
}

}  // namespace tarvel
