#include "client/app/display_check.h"

#include <cstdlib>
#include <filesystem>

namespace tarvel {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string MissingDisplay() {
    if (!Environment("QT_QPA_PLATFORM").empty() || !Environment("WAYLAND_DISPLAY").empty()) return {};
    const std::string display = Environment("DISPLAY");
    if (display.empty()) {
        return "tarvel: there is no display to open the game window on (DISPLAY is not set)";
    }
    // A local display ":N" or ":N.S" listens on its socket; a remote one is trusted.
    if (display.front() == ':') {
        const std::string number = display.substr(1, display.find('.') == std::string::npos
                                                        ? std::string::npos
                                                        : display.find('.') - 1);
        std::error_code error;
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + number, error)) {
            return "tarvel: the display " + display + " is not running";
        }
    }
    return {};
}

}  // namespace tarvel
