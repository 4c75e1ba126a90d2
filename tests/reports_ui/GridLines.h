#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// A report grid as its view shows it: the headings, then "cell|cell|..." a row.
inline QStringList gridLines(const QAbstractItemModel* model)
{
    QStringList lines, cells;
    for (int c = 0; c < model->columnCount(); ++c)
        cells.append(model->headerData(c, Qt::Horizontal).toString());
    lines.append(cells.join(QLatin1Char('|')));
    for (int r = 0; r < model->rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        lines.append(cells.join(QLatin1Char('|')));
    }
    return lines;
}
