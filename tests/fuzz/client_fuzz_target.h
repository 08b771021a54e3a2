// The client's handling of server messages under arbitrary input: a fresh client that
// has just agreed a match and been dealt, then the input as what the server sends,
// cut into reads; the player's moves are made between the reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tarvel::client_fuzzing {

void RunInput(const std::uint8_t* data, std::size_t size);

// Inputs to start from: whole games as the server would send them.
std::vector<std::pair<std::string, std::string>> Seeds();

}  // namespace tarvel::client_fuzzing
