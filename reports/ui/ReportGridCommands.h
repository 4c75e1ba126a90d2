#pragma once

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

// The grid and the commands that the report output windows share.
namespace ReportGridCommands {

// The grid "grd" of a report window over `model`: one cell selected at a
// time, read only, no row headings, headings that take clicks.
QTableView* newGrid(QWidget* window, QAbstractItemModel* model, const QString& accessibleName);

// Makes `cell` (row, column of the model) current and scrolls it into view.
void selectCell(QTableView* grid, int row, int column);

// Hands the shared find dialog to `window` (a FindTarget), captioned
// "Find in " and the window's caption, and shows it.
void showFind(QWidget* window);

// Hides the find dialog when `window` is still its owner; with `release`
// the dialog also lets go of it.
void hideFind(QWidget* window, bool release);

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
