// The client's captions and messages, Czech at base 1000 and English at base 2000.
// Texts are exactly as the windows show them, with their '&' accelerator marks and
// any trailing blanks. The recorded phrases are Czech in both languages and are not here.
#pragma once

#include "common/string_table.h"

namespace tarvel {

StringTable ClientStrings();

}  // namespace tarvel
