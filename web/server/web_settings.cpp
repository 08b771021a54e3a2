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
        } else {
            error = "unknown argument \"" + argument + "\"";
            return std::nullopt;
        }
    }
    return settings;
}

std::string WebUsage() {
    return "Usage: tarvelweb [--port N]\n"
           "Serves Tarvel to a web browser: open the address it prints.\n"
           "\n"
           "  --port N    serve on port N instead of the settings' (tarvelweb.ini, [web] port=, default 8412)\n"
           "  -h, --help  print this help and exit\n";
}

}  // namespace tarvel::web
