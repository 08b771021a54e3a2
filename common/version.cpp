#include "common/version.h"

namespace tarvel {

// TARVEL_VERSION comes from the build, on this one file, so that a new version
// recompiles nothing else.
std::string_view ProgramVersion() { return TARVEL_VERSION; }

}  // namespace tarvel
