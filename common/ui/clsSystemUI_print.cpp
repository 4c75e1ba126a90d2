#include "common/ui/clsSystemUI.h"

#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/GridPrinter.h"
#include "common/ui/PrintLayout.h"
#include "common/ui/PrintSurface.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/frmRptOption.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>
#include <QTreeView>

#include <cmath>

namespace {

constexpr int kListMargin = 1000;

void printListPages(PrintSurface& surface, QTreeView* lv, int leftMargin, int topMargin, int rightMargin,
                    int bottomMargin, const QString& title)
{
    const PrintLayout::Area a = PrintLayout::area(surface, leftMargin, topMargin, rightMargin, bottomMargin);
    const QList<PrintLayout::Column> columns = PrintLayout::columns(lv->header(), a.width());
    const int lineHeight = std::max(0, surface.textHeight(QStringLiteral("WMX")));
    // A page that holds no row would never let the print end: at least one.
    const int perPage =
        lineHeight > 0 ? std::max(1, int(std::nearbyint(double(a.bottom - a.top) / lineHeight)) - 2) : 1;
    const QAbstractItemModel* model = lv->model();
    const QModelIndex root = lv->rootIndex();
    const int rows = model->rowCount(root);
    QFont font = surface.font();
    int next = 0;
    for (int page = 1; !surface.error().isError(); ++page) {
        PrintLayout::title(surface, title, topMargin);
        font.setBold(true);
        surface.setFont(font);
        PrintLayout::drawRow(surface, columns, a.left, a.top,
                [model](int c) { return model->headerData(c, Qt::Horizontal).toString(); });
        font.setBold(false);
        surface.setFont(font);
        int y = a.top + 2 * lineHeight;
        for (int n = 0; n < perPage && next < rows; ++n, ++next, y += lineHeight)
            PrintLayout::drawRow(surface, columns, a.left, y,
                    [model, root, next](int c) { return model->index(next, c, root).data().toString(); });
        PrintLayout::pageNumber(surface, page, bottomMargin);
        if (next >= rows)
            break;
        surface.newPage();
    }
}

// The rows' hidden states, to be given back after a print that hid some.
QList<bool> hiddenRows(const QTableView* grid)
{
    QList<bool> hidden;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        hidden.append(grid->isRowHidden(r));
    return hidden;
}

void hideForSingleRow(QTableView* grid, bool rowMarks, int currentRow)
{
    const QAbstractItemModel* model = grid->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        if (rowMarks ? model->index(r, 0).data().toString().isEmpty() : r != currentRow)
            grid->setRowHidden(r, true);
        else if (!rowMarks)
            grid->setRowHidden(r, false);
    }
}

} // namespace

bool clsSystemUI::SetPrinter(int& copies) const
{
    const std::optional<PrinterChoice> choice = Prompts().printerSelection(PrintSurfaces::current().printerName);
    if (!choice)
        return false;
    PrintSurfaces::setCurrent(*choice);
    copies = choice->copies;
    return true;
}

void clsSystemUI::ListViewPrint_GetPrinter(QTreeView* lv, const QString& title, bool) const
{
    int copies = 0;
    if (!SetPrinter(copies))
        return;
    bool printed = false;
    for (int i = 0; i < std::max(1, copies); ++i)
        printed = ListViewPrint(lv, kListMargin, kListMargin, kListMargin, kListMargin, title);
    if (printed)
        MsgBox(QStringLiteral("Document sent to the printer."), MsgStyle::OkOnly, QStringLiteral("Document Print"));
}

bool clsSystemUI::ListViewPrint(QTreeView* lv, int left, int top, int right, int bottom, const QString& title) const
{
    const std::unique_ptr<PrintSurface> surface = PrintSurfaces::open();
    return ListViewPrint(*surface, lv, left, top, right, bottom, title);
}

bool clsSystemUI::ListViewPrint(PrintSurface& surface, QTreeView* lv, int left, int top, int right, int bottom,
                                const QString& title) const
{
    WaitCursor busy;
    const QFont saved = surface.font();
    surface.beginJob(title, false);
    if (!surface.error().isError()) {
        surface.setFont(PrintLayout::printFont(lv->font()));
        printListPages(surface, lv, left, top, right, bottom, title);
    }
    return PrintLayout::finish(surface, saved, QStringLiteral("ListViewPrint"), busy);
}

void clsSystemUI::GridPrint(QTableView* grid, const QString& title, const QString& titleValueName, bool rowMarks,
                            int orientation) const
{
    const int currentRow = grid->currentIndex().isValid() ? grid->currentIndex().row() : -1;
    frmRptOption dialog(WindowRegistry::current().mainForm());
    dialog.txtTitle->setText(title);
    dialog.RestoreRptTitle(titleValueName);
    if (currentRow < 0) {
        dialog.optEntireView->setChecked(true);
        dialog.optEntireView->setEnabled(false);
        dialog.optSelectedRow->setEnabled(false);
    }
    if (orientation != 0)
        dialog.SetPageOrientation(orientation);
    if (!Prompts().execDialog(&dialog) || !dialog.m_bOK)
        return;
    const QPointer<QTableView> alive(grid);
    QCoreApplication::processEvents();
    if (!alive)
        return;
    GridPrintJob job;
    job.documentName = dialog.txtTitle->text();
    if (dialog.m_nPrintDateTime == 1)
        job.documentName += QStringLiteral(" - ") + Sys().CurrDateTimeShort();
    job.landscape = dialog.m_nPageOrientation == 2;
    const QList<bool> hidden = hiddenRows(grid);
    if (dialog.m_nSingleRowOnly != 0)
        hideForSingleRow(grid, rowMarks, currentRow);
    printGrid(grid, job);
    if (dialog.m_nSingleRowOnly != 0) {
        for (int r = 0; r < hidden.size() && r < grid->model()->rowCount(); ++r)
            grid->setRowHidden(r, hidden.at(r));
    }
}
