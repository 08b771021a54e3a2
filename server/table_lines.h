// The server window's list of tables: one line per taken table, what it is doing and
// who sits there, in the window's language.
#pragma once

#include <QStringList>

#include "server/core/table_hall.h"

namespace tarvel::server {

QStringList TableLines(const TableHall& hall, int language);

}  // namespace tarvel::server
