#include "common/ui/GridPrinter.h"

#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/PrintLayout.h"
#include "common/ui/PrintSurface.h"
#include "common/ui/clsSystemUI.h"

#include <QHeaderView>
#include <QTableView>

#include <cmath>

namespace {

void printPages(PrintSurface& surface, QTableView* grid, const GridPrintJob& job)
{
    const PrintLayout::Area a = PrintLayout::area(surface, job.margin, job.margin, job.margin, job.margin);
    const QList<PrintLayout::Column> columns = PrintLayout::columns(grid->horizontalHeader(), a.width());
    const int lineHeight = std::max(1, surface.textHeight(QStringLiteral("WMX")));
    const QAbstractItemModel* model = grid->model();
    const int rows = model->rowCount();
    QFont font = surface.font();
    int next = 0;
    while (next < rows && grid->isRowHidden(next))
        ++next;
    for (int page = 1; !surface.error().isError(); ++page) {
        int y = job.pageHeader ? job.pageHeader(surface, page, a.top) : a.top;
        font.setBold(true);
        surface.setFont(font);
        PrintLayout::drawRow(surface, columns, a.left, y,
                             [model](int c) { return model->headerData(c, Qt::Horizontal).toString(); });
        font.setBold(false);
        surface.setFont(font);
        y += lineHeight;
        // At least one row a page, however much the page heading took.
        for (bool first = true; next < rows && (first || y + lineHeight <= a.bottom); first = false) {
            PrintLayout::drawRow(surface, columns, a.left, y,
                                 [model, next](int c) { return model->index(next, c).data().toString(); });
            y += lineHeight;
            do
                ++next;
            while (next < rows && grid->isRowHidden(next));
        }
        if (next >= rows)
            break;
        surface.newPage();
    }
}

} // namespace

bool printGrid(PrintSurface& surface, QTableView* grid, const GridPrintJob& job)
{
    WaitCursor busy;
    const QFont saved = surface.font();
    surface.beginJob(job.documentName, job.landscape);
    if (!surface.error().isError()) {
        surface.setFont(PrintLayout::printFont(grid->font()));
        printPages(surface, grid, job);
    }
    return PrintLayout::finish(surface, saved, QStringLiteral("GridPrint"), busy);
}

bool printGrid(QTableView* grid, const GridPrintJob& job)
{
    int copies = 0;
    if (!SysUI().SetPrinter(copies))
        return false;
    bool printed = true;
    for (int i = 0; i < std::max(1, copies) && printed; ++i)
        printed = printGrid(*PrintSurfaces::open(), grid, job);
    return printed;
}
