#include "common/version.h"

namespace tarvel {

// TARVEL_VERSION comes from the build, on this one file, so that a new version
// recompiles nothing else.
std::string_view ProgramVersion() { return TARVEL_VERSION; }

std::string VersionText(std::string_view program) {
    return std::string(program) + " (Tarvel) " + TARVEL_VERSION +
           "\n"
           "Free software under the GNU General Public License, version 3 or later;\n"
           "there is no warranty.\n";
}

}  // namespace tarvel
