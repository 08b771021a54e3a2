// The server's command line. Without arguments it reads tarvelsvr.ini beside the
// program, as always; a server installed for the whole machine is told where its
// settings file is instead.
//   tarvelsvr [--settings FILE] [--help] [--version]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvel::server {

struct ServerArguments {
    std::string settingsFile;  // empty: tarvelsvr.ini beside the program
    bool help = false;
    bool version = false;
};

// Reads the arguments after the program's name (Qt's own, such as -platform, already
// taken out). Nothing, with the reason in `error`, for an argument it does not know, a
// settings option without a file name, or the option given twice.
std::optional<ServerArguments> ParseServerArguments(const std::vector<std::string>& arguments,
                                                    std::string& error);

// The text of --help.
std::string ServerUsage();

}  // namespace tarvel::server
