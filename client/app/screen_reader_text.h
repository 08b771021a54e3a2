// What the game said in answer to one command, as one line of text for a screen reader
// and a braille display: the announcements as the history shows them ("Soupeř: lížu"),
// and a card or suit named for a key, the edge and the switches as their bare words.
#pragma once

#include <QString>
#include <cstddef>

#include "client/history/announcement_history.h"
#include "common/string_table.h"

namespace tarvel {

// Everything said from entry `first` of the history on, in the order it was said; an
// announcement that began before `first` is left to the line that told it.
QString ScreenReaderText(const AnnouncementHistory& history, std::size_t first, const Localizer& texts);

}  // namespace tarvel
