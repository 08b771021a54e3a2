#include "client/app/help_text.h"

namespace tarvel {
namespace {

// Where the line that is only the heading begins; npos when there is none.
std::size_t HeadingLine(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == kEnglishHelpHeading) return start;
        start = end + 1;
    }
    return std::string_view::npos;
}

}  // namespace

std::string HelpTextInLanguage(std::string_view text, bool english) {
    const std::size_t heading = HeadingLine(text);
    if (heading == std::string_view::npos) return std::string(text);
    return std::string(english ? text.substr(heading) : text.substr(0, heading));
}

}  // namespace tarvel
