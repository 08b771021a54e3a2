// What the window says in its message box when the table's file fails. Every text
// of these failures is made here, in Czech for the Czech language and in English
// otherwise, naming the file and what was kept.
#pragma once

#include <cstdint>
#include <string>

#include "session/scores/score_file.h"

namespace tarvel {

std::string ScoreFileMessage(const ScoreFileError& error, std::int32_t languageBase);

}  // namespace tarvel
