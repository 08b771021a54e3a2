#include "session/scores/score_table.h"

#include <algorithm>

namespace tarvel {

ScoreTable StartingScoreTable() {
    return ScoreTable{};
}

int FindTablePlace(const ScoreTable& table, std::int32_t score) {
    for (int place = 1; place <= kTablePlaces; ++place) {
        if (table[place - 1].score < score) return place;
    }
    return 0;
}

bool StoreScoreEntry(ScoreTable& table, int place, const ScoreEntry& entry) {
    if (place < 1 || place > kTablePlaces) return false;
    const auto at = table.begin() + (place - 1);
    std::move_backward(at, table.end() - 1, table.end());
    *at = entry;
    return true;
}

std::string ScoreTableBytes(const ScoreTable& table) {
    std::string bytes;
    bytes.reserve(kScoreTableBytes);
    for (const ScoreEntry& entry : table) bytes += ScoreEntryBytes(entry);
    return bytes;
}

std::optional<ScoreTable> ScoreTableFromBytes(std::string_view bytes) {
    if (bytes.size() < kScoreTableBytes) return std::nullopt;
    ScoreTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = ScoreEntryFromBytes(bytes.substr(i * kScoreEntrySize, kScoreEntrySize));
    }
    return table;
}

}  // namespace tarvel
