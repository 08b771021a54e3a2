// What the game said in answer to one command, as one line of text for a screen reader
// and a braille display (the session makes the words; this only hands them to Qt).
#pragma once

#include <QString>
#include <cstddef>

#include "common/string_table.h"
#include "session/history/announcement_history.h"

namespace tarvel {

QString ScreenReaderText(const AnnouncementHistory& history, std::size_t first, const Localizer& texts);

}  // namespace tarvel
