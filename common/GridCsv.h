#pragma once

#include <QString>
#include <QStringList>

// The comma-separated form in which grids are saved: a cell reading "True"
// or "False" (any case) becomes "Yes" / "No"; a cell that is numeric once
// its commas are gone is written as that number (no grouping, up to 15
// significant digits, the locale's decimal point); any other is quoted with
// its double quotes doubled. A line is its fields joined by "," and ends
// with CR LF; files are written in Windows-1252.
namespace GridCsv {

QString field(QString cell);
QString line(const QStringList& cells);

} // namespace GridCsv
