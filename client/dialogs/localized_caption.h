// Captions come from the string table as UTF-8; the widgets take QString.
#pragma once

#include <QString>
#include <cstdint>

#include "common/string_table.h"

namespace tarvel {

inline QString LocalizedCaption(const Localizer& localizer, std::int32_t index) {
    return QString::fromStdString(localizer.LocalizedText(index));
}

}  // namespace tarvel
