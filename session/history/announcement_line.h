// The history in words: one line for an announcement ("Soupeř: lížu, lízání"), and what
// one command said as one line for a screen reader or a braille display.
#pragma once

#include <cstddef>
#include <string>

#include "common/string_table.h"
#include "session/history/announcement_history.h"

namespace tarvel {

// The speaker named in the language of `texts`, then the announcement's words.
std::string AnnouncementLine(const Announcement& announcement, const Localizer& texts);

// Everything said from entry `first` of the history on, in the order it was said: the
// announcements as lines, and a card or suit named for a key, the edge and the switches
// as their bare words, ". " between them. An announcement that began before `first` is
// left to the line that told it.
std::string ScreenReaderText(const AnnouncementHistory& history, std::size_t first, const Localizer& texts);

}  // namespace tarvel
