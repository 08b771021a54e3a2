#include "web/server/web_settings.h"

#include <charconv>

#include "common/profile_file.h"

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

// "--name value" or "--name=value"; empty when the value is missing.
std::string ValueOf(const std::vector<std::string>& arguments, std::size_t& i, std::string_view name) {
    const std::string& argument = arguments[i];
    if (argument == name) return i + 1 < arguments.size() ? arguments[++i] : std::string{};
    return argument.substr(name.size() + 1);
}

bool Names(const std::string& argument, std::string_view name) {
    return argument == name || (argument.starts_with(name) && argument.size() > name.size() && argument[name.size()] == '=');
}

}  // namespace

std::optional<WebSettings> ReadWebSettings(const std::string& settingsFile, const std::vector<std::string>& arguments,
                                           std::string& error) {
    WebSettings settings;
    const ProfileFile file(settingsFile);
    const std::string port = file.ReadString("web", "port", std::to_string(kDefaultPort));
    if (const auto parsed = PortOf(port)) {
        settings.port = *parsed;
    } else {
        error = settingsFile + ": port=" + port + " is no port number from 1 to 65535";
        return std::nullopt;
    }
    settings.origins = file.ReadString("web", "origins", "");
    const std::string tabs = file.ReadString("web", "tabsperaddress", std::to_string(kDefaultTabsPerAddress));
    if (const auto parsed = TabsOf(tabs)) {
        settings.tabsPerAddress = *parsed;
    } else {
        error = settingsFile + ": tabsperaddress=" + tabs + " is no number from 1 to " + std::to_string(kMostTabsPerAddress);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            settings.help = true;
        } else if (argument == "--port" || argument.starts_with("--port=")) {
            const std::string value = argument == "--port" ? (i + 1 < arguments.size() ? arguments[++i] : std::string{})
                                                           : argument.substr(7);
            const auto parsed = PortOf(value);
            if (!parsed) {
                error = "--port needs a port number from 1 to 65535, not \"" + value + "\"";
                return std::nullopt;
            }
            settings.port = *parsed;
        } else if (Names(argument, "--tabs-per-address")) {
            const std::string value = ValueOf(arguments, i, "--tabs-per-address");
            const auto parsed = TabsOf(value);
            if (!parsed) {
                error = "--tabs-per-address needs a number from 1 to " + std::to_string(kMostTabsPerAddress) + ", not \"" +
                        value + "\"";
                return std::nullopt;
            }
            settings.tabsPerAddress = *parsed;
        } else if (argument == "--seed" || argument.starts_with("--seed=")) {
            const std::string value = argument == "--seed" ? (i + 1 < arguments.size() ? arguments[++i] : std::string{})
                                                           : argument.substr(7);
            std::uint64_t seed = 0;
            const auto [end, failure] = std::from_chars(value.data(), value.data() + value.size(), seed);
            if (value.empty() || failure != std::errc{} || end != value.data() + value.size()) {
                error = "--seed needs a whole number, not \"" + value + "\"";
                return std::nullopt;
            }
            settings.seed = seed;
        } else {
            error = "unknown argument \"" + argument + "\"";
            return std::nullopt;
        }
    }
    return settings;
}

std::string WebUsage() {
    return "Usage: tarvelweb [--port N] [--tabs-per-address N] [--seed N]\n"
           "Serves Tarvel to a web browser: open the address it prints.\n"
           "\n"
           "  --port N    serve on port N instead of the settings' (tarvelweb.ini, [web] port=, default 8412)\n"
           "  --tabs-per-address N  let one address have N tabs open (settings: tabsperaddress=, default 8)\n"
           "  --seed N    deal every tab's games from seed N (the same games each time: for tests)\n"
           "  -h, --help  print this help and exit\n";
}

}  // namespace tarvel::web
