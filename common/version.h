// The version of Tarvel. It is set in one place, the project's version in the top
// CMakeLists.txt, so that --help, --version and the about boxes cannot disagree.
#pragma once

#include <string_view>

namespace tarvel {

std::string_view ProgramVersion();

}  // namespace tarvel
