// tarvelweb's settings: tarvelweb.ini in the folder it is started from (or the file given
// by --settings), section [web]. A missing key, or a missing tarvelweb.ini, means the
// default; a file named by --settings must exist. The command line's --port wins over the
// file.
//   [web]
//   port=8412                                   the port the page is served on
//   origins=https://cards.example.org           further pages that may play (a proxy's)
//   tabsperaddress=8                            tabs one address may have open (raise it
//                                               where many players share one address)
//   proxy=0                                     1: a reverse proxy on this machine names
//                                               each player's address (X-Forwarded-For)
//   server=127.0.0.1:1412                       the one tarvelsvr the tabs' network matches
//                                               are played on; a page never names one
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvel::web {

inline constexpr int kDefaultPort = 8412;
inline constexpr int kDefaultTabsPerAddress = 8;
inline constexpr int kMostTabsPerAddress = 400;  // every session the server holds
inline constexpr const char* kDefaultGameServer = "127.0.0.1:1412";

struct WebSettings {
    int port = kDefaultPort;
    std::string origins;
    int tabsPerAddress = kDefaultTabsPerAddress;
    bool behindProxy = false;
    // The game server of every network match: a host name or an address, and its port.
    std::string serverHost = "127.0.0.1";
    int serverPort = 1412;
    std::string settingsFile;  // the file read
    bool help = false;
    bool version = false;
    // Every tab deals from this seed: the same games each time, for tests and benchmarks.
    std::optional<std::uint64_t> seed;
};

// Reads the arguments after the program's name, then the settings file they name (or
// `defaultSettingsFile`). Nothing, with the reason in `error`, for an argument it does not
// know, a --settings file that cannot be read, a port that is no number from 1 to 65535
// in the file or on the command line, a proxy= that is neither 0 nor 1, or a server= that is
// no HOST:PORT.
std::optional<WebSettings> ReadWebSettings(const std::string& defaultSettingsFile, const std::vector<std::string>& arguments,
                                           std::string& error);

std::string WebUsage();

}  // namespace tarvel::web
