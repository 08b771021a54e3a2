// Whether a window can be shown at all, asked before Qt starts: without a display Qt
// would abort the program with a message a player cannot act on.
#pragma once

#include <string>

namespace tarvel {

// Empty when a display (or a platform chosen by QT_QPA_PLATFORM) is there; otherwise
// one plain line saying what is missing.
std::string MissingDisplay();

}  // namespace tarvel
