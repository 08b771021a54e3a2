// The client's command line. The game takes no arguments of its own beyond asking for
// its help or version, which work without a display:
//   tarvel [--help] [--version]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvel {

struct ClientArguments {
    bool help = false;
    bool version = false;
    std::optional<std::string> unknown;  // the first argument it does not know
};

// Reads the arguments after the program's name. Read once before Qt starts (Qt's own
// options, such as -platform, are still there and land in `unknown`, so only help and
// version count then) and once after Qt took its own out.
ClientArguments ParseClientArguments(const std::vector<std::string>& arguments);

// The text of --help.
std::string ClientUsage();

}  // namespace tarvel
