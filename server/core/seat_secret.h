// The secret that lets a player take its seat back after losing its connection: drawn
// from the system's random source, never from the game's seeded shuffle, so nobody can
// guess it from the cards or the clock.
#pragma once

#include <string>
#include <string_view>

namespace tarvel::server {

// 128 random bits as 32 lower-case hexadecimal digits.
std::string NewSeatSecret();

// Compares every character whatever the first difference, so the time a refusal
// takes tells nothing about how much of a guess was right.
bool SecretsEqual(std::string_view a, std::string_view b);

}  // namespace tarvel::server
