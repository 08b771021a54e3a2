// The command line the two servers read alike: `--name VALUE` or `--name=VALUE`, and the
// settings file named at most once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The value of `--name VALUE` or `--name=VALUE` at arguments[i], moving i past VALUE (an
// empty value when VALUE is missing), or nothing when arguments[i] is another argument.
std::optional<std::string> OptionValue(std::string_view name, const std::vector<std::string>& arguments,
                                       std::size_t& i);

// Takes the value of --settings into `file`: false, with `error` saying why, when it is
// empty or a settings file was named before (`given`).
bool TakeSettingsFile(const std::string& value, bool& given, std::string& file, std::string& error);

}  // namespace tarvel
