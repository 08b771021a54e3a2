#include "common/command_line.h"

namespace tarvel {

std::optional<std::string> OptionValue(std::string_view name, const std::vector<std::string>& arguments,
                                       std::size_t& i) {
    const std::string& argument = arguments[i];
    if (argument == name) return i + 1 < arguments.size() ? arguments[++i] : std::string{};
    if (argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=') {
        return argument.substr(name.size() + 1);
    }
    return std::nullopt;
}

bool TakeSettingsFile(const std::string& value, bool& given, std::string& file, std::string& error) {
    if (value.empty()) {
        error = "--settings needs the path of the settings file";
        return false;
    }
    if (given) {
        error = "--settings is given more than once";
        return false;
    }
    given = true;
    file = value;
    return true;
}

}  // namespace tarvel
