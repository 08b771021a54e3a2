#include "web/server/web_settings.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "common/command_line.h"
#include "common/profile_file.h"
#include "common/version.h"

namespace tarvel::web {
namespace {

std::optional<int> PortOf(const std::string& text) {
    int port = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (failure != std::errc{} || end != text.data() + text.size() || port < 1 || port > 65535) return std::nullopt;
    return port;
}

std::optional<int> TabsOf(const std::string& text) {
    int tabs = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), tabs);
    if (failure != std::errc{} || end != text.data() + text.size() || tabs < 1 || tabs > kMostTabsPerAddress) {
        return std::nullopt;
    }
    return tabs;
}

// "HOST:PORT", "[v6]:PORT": the host without blanks or brackets, and the port.
bool ReadGameServer(const std::string& text, WebSettings& settings) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos) return false;
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    const auto port = PortOf(text.substr(colon + 1));
    const bool plain = !host.empty() && host.size() <= 253 && std::none_of(host.begin(), host.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '[' || c == ']' || c == '/' || c == '\\';
    });
    // A bare IPv6 address must be bracketed: its last colon is no port's.
    if (!port || !plain || (host.find(':') != std::string::npos && text.front() != '[')) return false;
    settings.serverHost = host;
    settings.serverPort = *port;
    return true;
}

}  // namespace

std::optional<WebSettings> ReadWebSettings(const std::string& defaultSettingsFile,
                                           const std::vector<std::string>& arguments, std::string& error) {
    WebSettings settings;
    settings.settingsFile = defaultSettingsFile;
    std::optional<int> portArgument;
    std::optional<int> tabsArgument;
    bool settingsGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            settings.help = true;
        } else if (argument == "--version") {
            settings.version = true;
        } else if (const auto port = OptionValue("--port", arguments, i)) {
            portArgument = PortOf(*port);
            if (!portArgument) {
                error = "--port needs a port number from 1 to 65535, not \"" + *port + "\"";
                return std::nullopt;
            }
        } else if (const auto tabs = OptionValue("--tabs-per-address", arguments, i)) {
            tabsArgument = TabsOf(*tabs);
            if (!tabsArgument) {
                error = "--tabs-per-address needs a number from 1 to " + std::to_string(kMostTabsPerAddress) +
                        ", not \"" + *tabs + "\"";
                return std::nullopt;
            }
        } else if (const auto seed = OptionValue("--seed", arguments, i)) {
            std::uint64_t value = 0;
            const auto [end, failure] = std::from_chars(seed->data(), seed->data() + seed->size(), value);
            if (seed->empty() || failure != std::errc{} || end != seed->data() + seed->size()) {
                error = "--seed needs a whole number, not \"" + *seed + "\"";
                return std::nullopt;
            }
            settings.seed = value;
        } else if (const auto file = OptionValue("--settings", arguments, i)) {
            if (!TakeSettingsFile(*file, settingsGiven, settings.settingsFile, error)) return std::nullopt;
        } else {
            error = "unknown argument \"" + argument + "\"";
            return std::nullopt;
        }
    }
    // A file the administrator named must be there: a mistyped path would otherwise serve
    // silently on the defaults.
    if (settingsGiven && !std::ifstream(settings.settingsFile)) {
        error = "cannot read the settings file " + settings.settingsFile;
        return std::nullopt;
    }
    const ProfileFile file(settings.settingsFile);
    const std::string port = file.ReadString("web", "port", std::to_string(kDefaultPort));
    if (const auto parsed = PortOf(port)) {
        settings.port = *parsed;
    } else {
        error = settings.settingsFile + ": port=" + port + " is no port number from 1 to 65535";
        return std::nullopt;
    }
    if (portArgument) settings.port = *portArgument;
    settings.origins = file.ReadString("web", "origins", "");
    const std::string tabs = file.ReadString("web", "tabsperaddress", std::to_string(kDefaultTabsPerAddress));
    if (const auto parsed = TabsOf(tabs)) {
        settings.tabsPerAddress = *parsed;
    } else {
        error = settings.settingsFile + ": tabsperaddress=" + tabs + " is no number from 1 to " +
                std::to_string(kMostTabsPerAddress);
        return std::nullopt;
    }
    if (tabsArgument) settings.tabsPerAddress = *tabsArgument;
    const std::string proxy = file.ReadString("web", "proxy", "0");
    if (proxy != "0" && proxy != "1") {
        error = settings.settingsFile + ": proxy=" + proxy + " is neither 0 nor 1";
        return std::nullopt;
    }
    settings.behindProxy = proxy == "1";
    const std::string server = file.ReadString("web", "server", kDefaultGameServer);
    if (!ReadGameServer(server, settings)) {
        error = settings.settingsFile + ": server=" + server + " is no HOST:PORT (such as 127.0.0.1:1412)";
        return std::nullopt;
    }
    return settings;
}

std::string WebUsage() {
    return "Usage: tarvelweb [--port N] [--settings FILE] [--tabs-per-address N] [--seed N]\n"
           "Serves Tarvel " + std::string(ProgramVersion()) + " to web browsers: open the address it prints.\n"
           "\n"
           "  --port N         serve on port N instead of the settings' ([web] port=, default 8412)\n"
           "  --settings FILE  read the settings from FILE instead of tarvelweb.ini in the\n"
           "                   folder it is started from\n"
           "  --tabs-per-address N  let one address have N tabs open ([web] tabsperaddress=, default 8)\n"
           "  --seed N         deal every tab's games from seed N (the same games each time: for tests)\n"
           "  -h, --help       print this help and exit\n"
           "  --version        print the version and the licence and exit\n";
}

}  // namespace tarvel::web
