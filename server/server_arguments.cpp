#include "server/server_arguments.h"

#include <string_view>

#include "common/command_line.h"
#include "common/version.h"

namespace tarvel::server {

std::optional<ServerArguments> ParseServerArguments(const std::vector<std::string>& arguments,
                                                    std::string& error) {
    ServerArguments parsed;
    bool settingsGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
            continue;
        }
        if (argument == "--version") {
            parsed.version = true;
            continue;
        }
        const std::optional<std::string> file = OptionValue("--settings", arguments, i);
        if (!file) {
            error = "unknown argument \"" + std::string(argument) + "\"";
            return std::nullopt;
        }
        if (!TakeSettingsFile(*file, settingsGiven, parsed.settingsFile, error)) return std::nullopt;
    }
    return parsed;
}

std::string ServerUsage() {
    return "Usage: tarvelsvr [--settings FILE]\n"
           "The server of network games of Tarvel " + std::string(ProgramVersion()) + ".\n"
           "\n"
           "  --settings FILE  read the settings from FILE (and write them there) instead of\n"
           "                   tarvelsvr.ini beside the program; a missing file means the defaults\n"
           "  -h, --help       print this help and exit\n"
           "  --version        print the version and the licence and exit\n"
           "\n"
           "With no display it runs on Qt's offscreen platform and every log line goes to\n"
           "standard output.\n";
}

}  // namespace tarvel::server
