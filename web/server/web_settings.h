// tarvelweb's settings: tarvelweb.ini beside the program, section [web]. A missing file or
// key means the default; the command line's --port wins over the file.
//   [web]
//   port=8412                                   the port the page is served on
//   origins=https://cards.example.org           further pages that may play (a proxy's)
//   tabsperaddress=8                            tabs one address may have open (raise it
//                                               behind a proxy, where all come from one)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvel::web {

inline constexpr int kDefaultPort = 8412;
inline constexpr int kDefaultTabsPerAddress = 8;
inline constexpr int kMostTabsPerAddress = 400;  // every session the server holds

struct WebSettings {
    int port = kDefaultPort;
    std::string origins;
    int tabsPerAddress = kDefaultTabsPerAddress;
    bool help = false;
    // Every tab deals from this seed: the same games each time, for tests and benchmarks.
    std::optional<std::uint64_t> seed;
};

// Reads the file, then the arguments after the program's name. Nothing, with the reason
// in `error`, for an argument it does not know, or a port that is no number from 1 to
// 65535 in the file or on the command line.
std::optional<WebSettings> ReadWebSettings(const std::string& settingsFile, const std::vector<std::string>& arguments,
                                           std::string& error);

std::string WebUsage();

}  // namespace tarvel::web
