#pragma once

#include <QString>

#include <functional>

class PrintSurface;
class QTableView;

// How a grid is printed: the shown rows under a bold heading row, the
// columns at their on-screen widths (narrowed together when wider than the
// page), as many rows as fit on each page.
struct GridPrintJob {
    QString documentName;
    bool landscape = false;
    int margin = 360;  // twips from each paper edge
    // Prints the page's own heading from `y` on and returns the y below it
    // (report windows print their report heading through it).
    std::function<int(PrintSurface& surface, int page, int y)> pageHeader;
};

// Asks for the printer and prints the grid once per copy, each a job of its
// own. False when cancelled or when printing failed (the error is shown and
// the job aborted).
bool printGrid(QTableView* grid, const GridPrintJob& job);
// One copy on `surface`; false when it failed (shown, aborted).
bool printGrid(PrintSurface& surface, QTableView* grid, const GridPrintJob& job);
