#include "common/ui/clsSystemUI.h"

#include "common/ImportFileReader.h"
#include "common/clsSystem.h"
#include "common/ui/ImportPreviewModel.h"
#include "common/ui/frmProgress.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTableView>

#include <cmath>

namespace {

constexpr int kLinesBetweenYields = 100;
// Stands in for the commas that separate fields: a character no text holds.
constexpr QChar kFieldBreak(0xFDD0);

// The grid row of one data line: its number, then the values of the
// relevant columns. A line with more fields than headings keeps its number only.
QStringList previewRow(const QString& line, qint32 dataLine, const QStringList& headings,
                       const QList<bool>& relevant, int columns)
{
    QStringList row(columns);
    row[0] = QString::number(dataLine);
    QStringList fields;
    Sys().StrParse2Array(Sys().StrReplaceChar(line, u',', QString(kFieldBreak), false), fields, kFieldBreak, false);
    const qsizetype fieldCount = fields.size() - 1;
    if (fieldCount > headings.size() - 1)
        return row;
    int column = 0;
    for (qsizetype i = 1; i <= fieldCount; ++i) {
        if (relevant.at(i) && ++column < columns)
            row[column] = Sys().CSVField_GetValue(fields.at(i));
    }
    return row;
}

} // namespace

bool clsSystemUI::ImportLoadPreviewGrid(QTableView* grid, const QString& fileName, const QStringList& definedHeadings,
                                        const QStringList& headings, qint32 dataLines) const
{
    frmProgress* wait = nullptr;
    WaitDlgShow(wait, QStringLiteral("Import Data Preview"),
                QStringLiteral("Preparing preview of data. If you don't care to see a preview of the entire file, "
                               "you may press cancel to continue"),
                true, true);
    QStringList columns{QStringLiteral("Row")};
    QList<bool> relevant{false};
    for (qsizetype i = 1; i < headings.size(); ++i) {
        relevant.append(Sys().ImportIsColumnRelevant(headings.at(i), definedHeadings));
        if (relevant.last())
            columns.append(headings.at(i));
    }
    QAbstractItemModel* old = grid->model();
    QPointer<ImportPreviewModel> model = new ImportPreviewModel(columns, grid);
    grid->setModel(model);
    if (old && old->parent() == grid)
        old->deleteLater();

    ImportFileReader reader(fileName);
    bool ok = reader.open();
    QList<QStringList> pending;
    QString record;
    // Row 1, the headings, is one line whatever quotes it holds.
    for (bool more = ok && reader.readLine(record); more; more = reader.readRecord(record)) {
        const qint32 lineNumber = reader.recordLine();
        if (lineNumber > 1 && !Sys().trimBlanks(record).isEmpty()) {
            pending.append(previewRow(record, lineNumber - 1, headings, relevant, int(columns.size())));
            WaitDlgUpdate(wait, int(std::nearbyint(double(lineNumber) / (double(dataLines) + 1) * 100)));
        }
        if (reader.reachedMultipleOf(kLinesBetweenYields)) {
            model->appendRows(pending);
            QCoreApplication::processEvents();
            // The window may have been closed meanwhile.
            if (!model)
                break;
        }
        if (wait->m_bCancel)
            break;
    }
    const bool failed = !ok || reader.error();
    reader.close();
    if (model) {
        model->appendRows(pending);
        grid->resizeColumnsToContents();
    }
    WaitDlgRemove(wait);
    if (failed)
        Sys().ShowError(QStringLiteral("clsSystem_ImportLoadPreviewGrid"),
                        QFile::exists(fileName) ? RunError::deviceIO() : RunError::fileNotFound());
    return !failed;
}
