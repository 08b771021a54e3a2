// The version of Tarvel. It is set in one place, the project's version in the top
// CMakeLists.txt, so that --help, --version and the about boxes cannot disagree.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

std::string_view ProgramVersion();

// What `PROGRAM --version` prints: the program, the version and the licence.
std::string VersionText(std::string_view program);

}  // namespace tarvel
