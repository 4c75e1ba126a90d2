#include "common/ui/clsSystemUI.h"

#include "common/GridCsv.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/PrintSurface.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QSaveFile>
#include <QTableView>
#include <QTreeView>

#include <cmath>

namespace {

constexpr int kListTextWidth = 80;

// Row 0 is the heading row; row r > 0 is the model's row r - 1. A column
// with a display format gives its shown text, any other its stored text.
QString gridCell(const QAbstractItemModel* model, int row, int column)
{
    if (row == 0)
        return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const bool formatted =
        !model->headerData(column, Qt::Horizontal, clsSystemUI::kColumnFormatRole).toString().isEmpty();
    return model->index(row - 1, column).data(formatted ? Qt::DisplayRole : Qt::EditRole).toString();
}

void offerToOpen(const QString& fileName)
{
    const MsgAnswer answer =
        MsgBox(fileName + QStringLiteral(" has been saved. Would you like to open this file now?"),
               MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3);
    if (answer == MsgAnswer::Yes)
        Sys().LaunchFile(fileName);
}

} // namespace

void clsSystemUI::SaveGrid(QTableView* grid, int firstRow, int firstColumn, int lastRow, int lastColumn) const
{
    QString fileName;
    if (!Sys().GetFilename(fileName, QStringLiteral("MS Excel Comma Delimited File (*.csv)|*.csv"), 2623494,
                           QStringLiteral("Save As..."), true))
        return;
    QCoreApplication::processEvents();
    WaitCursor busy;
    // Written whole or not at all: the lines go to a temporary file that
    // takes the name, and replaces an earlier file, only once the last line
    // is in. What cannot be replaced (a folder of that name, a folder
    // without write access) is refused before anything is written.
    QSaveFile file(fileName);
    const QFileInfo target(fileName);
    if ((target.exists() && !target.isFile()) || !file.open(QIODevice::WriteOnly)) {
        busy.done();
        MsgBox(QStringLiteral("Unable to write to : ") + fileName
                   + QStringLiteral(". This file may already be open by another application."),
               MsgStyle::Exclamation);
        return;
    }
    const QAbstractItemModel* model = grid->model();
    const int rowCount = model->rowCount() + 1;
    const int columnCount = model->columnCount();
    bool ok = true;
    for (int row = firstRow; ok && row <= lastRow; ++row) {
        QString line;
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (column >= columnCount || row >= rowCount)
                continue;
            line += GridCsv::field(gridCell(model, row, column));
            if (column != lastColumn)
                line += u',';
        }
        line += Sys().CRLF();
        const std::string bytes = toWin1252(line);
        ok = file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    }
    ok = ok && file.commit();
    busy.done();
    if (!ok) {
        file.cancelWriting();
        Sys().ShowError(QStringLiteral("clsSystem_SaveGrid"), RunError::deviceIO());
        return;
    }
    offerToOpen(fileName);
}

void clsSystemUI::SaveGrid(QTableView* grid) const
{
    SaveGrid(grid, 0, 0, grid->model()->rowCount(), grid->model()->columnCount() - 1);
}

QString clsSystemUI::LVContent(QTreeView* lv) const
{
    WaitCursor busy;
    const QAbstractItemModel* model = lv->model();
    const QModelIndex root = lv->rootIndex();
    const int columns = model->columnCount(root);
    double total = 0;
    for (int c = 0; c < columns; ++c)
        total = std::nearbyint(total + lv->header()->sectionSize(c));
    QList<int> widths;
    for (int c = 0; c < columns; ++c)
        widths.append(total > 0 ? int(std::nearbyint(lv->header()->sectionSize(c) / total * kListTextWidth)) : 0);

    QString text;
    for (int c = 0; c < columns; ++c)
        text += Sys().PadOrTruncate(model->headerData(c, Qt::Horizontal).toString(), widths.at(c));
    text += Sys().CRLF() + QString(kListTextWidth, u'-') + Sys().CRLF();
    const int rows = model->rowCount(root);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            text += Sys().PadOrTruncate(model->index(r, c, root).data().toString(), widths.at(c));
        text += Sys().CRLF();
    }
    return text;
}

QString clsSystemUI::TrimTextToFit(const PrintSurface& surface, const QString& text, int maxWidth) const
{
    if (text.isEmpty() || surface.textWidth(text) < maxWidth)
        return text;
    QString left = text;
    while (!left.isEmpty() && surface.textWidth(left) >= maxWidth)
        left.chop(1);
    return left.left(std::max<qsizetype>(0, left.size() - 4)) + QStringLiteral("..");
}
