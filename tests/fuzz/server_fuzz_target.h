// The fuzz target for the framing and the server's dispatcher. An input is a list of
// lines, each one event on one of four connections:
//   "c<n>"          connection n comes in
//   "d<n>"          connection n goes away
//   "r<n><bytes>"   connection n delivers the bytes (everything up to the line's end)
//   "x"             the connections the server asked to close go away
//   "t"             the set-up timer runs out, if it runs
//   "s<n>"          connection n stops reading: its unsent output passed the limit
// Any other line is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::server::fuzzing {

// Runs one input; traps on a broken invariant.
void RunInput(const std::uint8_t* data, std::size_t size);

// The scripted matches of the server tests written as inputs: a seed for every message.
std::vector<std::pair<std::string, std::string>> SeedsFromScripts();

}  // namespace tarvel::server::fuzzing
