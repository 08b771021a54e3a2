// The server window's list of tables: one line per taken table, what it is doing and
// who sits there, in the window's language.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "server/core/table_hall.h"

namespace tarvel::server {

QStringList TableLines(const TableHall& hall, int language);
// The line of one table (index from 0); nothing while nobody sits there.
std::optional<QString> TableLine(const TableHall& hall, int index, int language);
// What the list shows while every table is free.
QString NoTablesLine(int language);

}  // namespace tarvel::server
