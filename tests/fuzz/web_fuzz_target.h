// What a browser or any peer sends tarvelweb, under arbitrary input: the same bytes read
// as a page's WebSocket message and as an HTTP request head.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tarvel::web_fuzzing {

void RunInput(const std::uint8_t* data, std::size_t size);

// Inputs to start from: every message a page sends, and the requests a browser makes.
std::vector<std::pair<std::string, std::string>> Seeds();

}  // namespace tarvel::web_fuzzing
