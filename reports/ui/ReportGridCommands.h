#pragma once

#include <QString>

class QTableView;

// The commands that the report output windows share over their grids.
namespace ReportGridCommands {

// Finds the text downwards from the row after the current one. Without a
// hit from the heading row or data row 1 it says "No occurences of '...'
// found!"; from a later row it first offers to search from the top, and on
// Yes searches again from the heading row down, data row 1 included. A hit
// in the row the search started from counts as none.
void find(QTableView* grid, const QString& text, bool wholeCell, bool matchCase);

// Asks for the printer and prints the whole grid within margins of 720
// twips, `title` at the top of every page, the document named by the current
// date and time.
void print(QTableView* grid, const QString& title, bool landscape);

} // namespace ReportGridCommands
