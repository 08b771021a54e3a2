// The table of the ten best results, place 1 (the highest score) first, and what
// happens to it: finding the place of a new score and putting a result into it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "session/scores/score_entry.h"

namespace tarvel {

inline constexpr int kTablePlaces = 10;
inline constexpr std::size_t kScoreTableBytes = kTablePlaces * kScoreEntrySize;  // 320

// Index 0 is place 1.
using ScoreTable = std::array<ScoreEntry, kTablePlaces>;

// Ten empty names with score 0 at moment 0: the table a new game folder starts with.
ScoreTable StartingScoreTable();

// The place 1..10 that `score` reaches, below every entry with the same score or a
// higher one (walking down from place 1 to the first lower score); 0 when it reaches
// none, which is the case for a score equal to the tenth.
int FindTablePlace(const ScoreTable& table, std::int32_t score);

// Puts the entry at `place` (1..10): the entries from there on move one place down
// and the tenth is lost. False, with nothing changed, for a place outside 1..10.
bool StoreScoreEntry(ScoreTable& table, int place, const ScoreEntry& entry);

// The ten entries back to back, place 1 first: exactly 320 bytes.
std::string ScoreTableBytes(const ScoreTable& table);
// The first ten entries of the bytes, anything after them ignored; none when there
// are fewer than 320 bytes.
std::optional<ScoreTable> ScoreTableFromBytes(std::string_view bytes);

}  // namespace tarvel
