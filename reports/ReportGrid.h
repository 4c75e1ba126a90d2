#pragma once

#include "common/Progress.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// The output of one report run: a heading per column, one whole number kept
// with each column (the catalogue identifier of a data column, -1000 for the
// row number column) and with each row (the identifier of the customer or
// issue it shows), and the cell texts. Rows are counted from 0 and hold no
// heading row; a model for the grid window reads it as it stands.
//
// The texts of all cells share large blocks, so a row costs its texts and a
// few bytes more, and the blocks are never moved as rows are added. A cell
// keeps at most kMaxCellLength characters. Sorting reorders a list of row
// positions only; the row numbers, given once after the first sort, travel
// with their rows.
class ReportGrid {
public:
    static constexpr qint32 kRowColumnData = -1000;
    static constexpr quint32 kMaxCellLength = 1u << 20;

    struct Column {
        QString heading;
        qint32 data = 0;
        // How the column sorts: "R" row numbers, "I" whole numbers, "D"
        // dates, anything else text in any letter case.
        QString sortType;
    };

    // Empties the grid and gives it these columns (a first column with the
    // data kRowColumnData is the row number column).
    void reset(const QList<Column>& columns);

    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return int(m_rowData.size()); }
    const Column& column(int c) const { return m_columns.at(c); }
    qint32 rowData(int row) const { return m_rowData[size_t(m_order[size_t(row)])]; }
    // The text of a cell ("" for a blanked or never filled cell).
    QString text(int row, int column) const;
    bool hasRowNumbers() const { return m_rowNumberColumn; }
    int firstDataColumn() const { return m_rowNumberColumn ? 1 : 0; }

    // Appends a row; its data cells are filled by addCell, in column order,
    // until the next row starts. Missing cells stay empty.
    void addRow(qint32 rowData);
    void addCell(QStringView text);

    // Orders the rows ascending by the column (stable: equal rows keep their
    // order). Row numbers compare as whole numbers, as do "I" columns (a text
    // that is no number counts as 0); "D" columns compare as dates (a text
    // that is no date first); all others as text in any letter case.
    //
    // This and the other whole-grid steps below report to `progress`
    // (report(-1)) at least every kPauseMs while they work, so that a window
    // can serve its events; the grid must not be read or changed meanwhile.
    // The answer is not heeded: a step once begun finishes.
    void sortBy(int column, Progress* progress = nullptr);
    // Numbers the rows 1..n in their present order.
    void numberRows();
    // Blanks each value of the column that repeats the one shown above it
    // (exact comparison; after the first sort a run of equal values shows
    // its value once).
    void blankRepeats(int column, Progress* progress = nullptr);

    static constexpr qint64 kPauseMs = 50;

    // Memory held by the rows: texts, cell ends, row data, order, numbers.
    qint64 bytesUsed() const;
    // Releases spare capacity once the last row is in.
    void squeeze(Progress* progress = nullptr);

private:
    QStringView cell(int physicalRow, int dataColumn) const;
    // Each row's rank among the column's texts in any letter case.
    class Pacer;
    void textRanks(int dataColumn, std::vector<qint64>& keys, Pacer& pacer) const;
    void completeRow();

    QList<Column> m_columns;
    bool m_rowNumberColumn = false;
    int m_dataColumns = 0;
    // Cell texts in blocks of kMaxCellLength characters; a cell never spans
    // two blocks (one that would is put at the start of the next). Cells are
    // addressed by their end in the blocks laid end to end.
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    quint32 m_textEnd = 0;
    std::vector<quint32> m_cellEnd;       // m_dataColumns per row
    std::vector<qint32> m_rowData;
    std::vector<qint32> m_order;          // shown position -> row as added
    std::vector<qint32> m_rowNumber;      // by row as added; empty until numbered
    std::vector<bool> m_blanked;          // by row as added: first data column blanked
    int m_blankedColumn = -1;
};
