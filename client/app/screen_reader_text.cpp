#include "client/app/screen_reader_text.h"

#include "session/history/announcement_line.h"

namespace tarvel {

QString ScreenReaderText(const AnnouncementHistory& history, std::size_t first, const Localizer& texts) {
    return QString::fromStdString(tarvel::ScreenReaderText(history, first, texts) );
}

}  // namespace tarvel
