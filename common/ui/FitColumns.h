#pragma once

#include <QHeaderView>
#include <QTableView>

// Fits every column of `grid` to the texts of the rows in view (and its
// heading), not to the first thousand rows: a grid of many rows then fits
// at once, and rows that a model reads only when shown stay unread.
inline void fitColumnsToRowsInView(QTableView* grid)
{
    QHeaderView* header = grid->horizontalHeader();
    const int precision = header->resizeContentsPrecision();
    header->setResizeContentsPrecision(0);
    grid->resizeColumnsToContents();
    header->setResizeContentsPrecision(precision);
}
