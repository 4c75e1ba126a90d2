#include "common/ui/clsSystemUI.h"

#include "common/ImportFileReader.h"
#include "common/clsSystem.h"
#include "common/ui/FitColumns.h"
#include "common/ui/ImportPreviewModel.h"
#include "common/ui/frmProgress.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTableView>

#include <cmath>

namespace {

constexpr int kLinesBetweenYields = 100;

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
    QPointer<ImportPreviewModel> model = new ImportPreviewModel(fileName, headings, relevant, columns, grid);
    grid->setModel(model);
    if (old && old->parent() == grid)
        old->deleteLater();

    // The file is read through once here to find where its records begin;
    // the grid reads each record again when it shows it.
    ImportFileReader reader(fileName);
    bool ok = reader.open();
    QString record;
    qint64 start = 0;
    // Row 1, the headings, is one line whatever quotes it holds.
    for (bool more = ok && reader.readLine(record); more; more = reader.readRecord(record)) {
        const qint32 lineNumber = reader.recordLine();
        if (lineNumber > 1 && !Sys().trimBlanks(record).isEmpty()) {
            model->addRecord(start, lineNumber);
            WaitDlgUpdate(wait, int(std::nearbyint(double(lineNumber) / (double(dataLines) + 1) * 100)));
        }
        if (reader.reachedMultipleOf(kLinesBetweenYields)) {
            model->flushSome();
            QCoreApplication::processEvents();
            // The window may have been closed meanwhile.
            if (!model)
                break;
        }
        if (wait->m_bCancel)
            break;
        start = reader.pos();
    }
    const bool failed = !ok || reader.error();
    reader.close();
    if (model) {
        model->flush();
        // Each row fitted to is read from the file.
        fitColumnsToRowsInView(grid);
    }
    WaitDlgRemove(wait);
    if (failed)
        Sys().ShowError(QStringLiteral("clsSystem_ImportLoadPreviewGrid"),
                        QFile::exists(fileName) ? RunError::deviceIO() : RunError::fileNotFound());
    return !failed;
}
