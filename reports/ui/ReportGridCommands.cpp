#include "reports/ui/ReportGridCommands.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/GridPrinter.h"
#include "common/ui/PrintLayout.h"
#include "common/ui/PrintSurface.h"
#include "common/ui/clsSystemUI.h"

#include <QTableView>

namespace {

constexpr int kMargin = 720;  // twips, each side of the printed page

// The grid row (1..n) of the view's current cell; 0 when none.
int currentGridRow(const QTableView* grid)
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

} // namespace

namespace ReportGridCommands {

void find(QTableView* grid, const QString& text, bool wholeCell, bool matchCase)
{
    const int startRow = currentGridRow(grid);
    const QModelIndex start = grid->currentIndex();
    if (SysUI().GridFind(grid, text, wholeCell, matchCase, false))
        return;
    const QString none = QStringLiteral("No occurences of '") + text + QStringLiteral("' found!");
    if (startRow <= 1) {
        MsgBox(none, MsgStyle::Exclamation);
        return;
    }
    if (MsgBox(QStringLiteral("No more occurences of '") + text +
                   QStringLiteral("' found! Would you like to search from the top of this view?"),
               MsgStyle::YesNoCancel | MsgStyle::Question) != MsgAnswer::Yes)
        return;
    // From the heading row down, so that data row 1 is searched as well.
    grid->setCurrentIndex(QModelIndex());
    if (SysUI().GridFind(grid, text, wholeCell, matchCase, false) && currentGridRow(grid) != startRow)
        return;
    grid->setCurrentIndex(start);
    MsgBox(none, MsgStyle::Exclamation);
}

void print(QTableView* grid, const QString& title, bool landscape)
{
    GridPrintJob job;
    job.documentName = Sys().CurrDateTimeShort();
    job.landscape = landscape;
    job.margin = kMargin;
    job.pageHeader = [title](PrintSurface& surface, int, int y) {
        const PrintLayout::Area area = PrintLayout::area(surface, kMargin, kMargin, kMargin, kMargin);
        surface.drawText(area.left, y, title);
        return y + surface.textHeight(title) * 3 / 2;
    };
    printGrid(grid, job);
}

} // namespace ReportGridCommands
