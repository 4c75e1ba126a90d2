#pragma once

#include "import/clsImportColDef.h"

#include <QString>
#include <QStringList>

class ImportFileReader;

// Splitting of the import file's data lines: the fields of `line`, split at
// every comma outside double quotes (a double quote switches between inside
// and outside; the quotes stay), each trimmed of blanks, at 1..n; element 0
// is an unused "". A line ending in a separator has a last, empty field.
QStringList importLineFields(const QString& line);

// The checks run over an import file before anything is written. Every
// fault is appended to one error text, which the wizard shows. Row numbers
// count file lines; the heading line is row 1, and a record whose quoted
// value runs over several lines takes the number of its first.
class clsImportData {
public:
    // Reads row 1 into `headings` (trimmed, upper-cased, at 1..n; never
    // unquoted) and checks them against `defs`: every required column present,
    // every heading known.
    bool ValidateCols(const QString& fileName, const ImportColDefs& defs, QStringList& headings,
                      QString& errorText);
    // Checks every data row under the wait window (which can be cancelled).
    // `rowCount` receives the number of lines after row 1 read, empty ones
    // included. Stops after 51 faulty rows. False on any fault or a cancel.
    bool ValidateRows(const QString& fileName, const ImportColDefs& defs, const QStringList& headings,
                      QString& errorText, qint32& rowCount);
    // Checks one trimmed line, row number `rowNumber`.
    bool ValidateARow(qint32 rowNumber, const QString& line, const ImportColDefs& defs,
                      const QStringList& headings, QString& errorText);
    // True when a definition stands for `heading` (exact comparison).
    bool IsImportRelevant(const QString& heading, const ImportColDefs& defs) const;
    // Shows the file in the preview window over the main window; `goOn`
    // tells whether the user pressed Continue. True once it was shown.
    bool PreviewData(const QString& fileName, const ImportColDefs& defs, const QStringList& headings,
                     qint32 rowCount, bool& goOn);
    // "Row " and the number.
    QString FmtRowNum(qint32 rowNumber) const;

private:
    // Checks the record just read, numbered by the line it began on; a
    // quoted value the file never closed is a fault of its own.
    bool checkRecord(const ImportFileReader& reader, const QString& record, const ImportColDefs& defs,
                     const QStringList& headings, QString& errorText);
};
