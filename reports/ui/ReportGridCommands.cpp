#include "reports/ui/ReportGridCommands.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/GridPrinter.h"
#include "common/ui/PrintLayout.h"
#include "common/ui/PrintSurface.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmFind.h"

#include <QHeaderView>
#include <QLineEdit>
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

QTableView* newGrid(QWidget* window, QAbstractItemModel* model, const QString& accessibleName)
{
    auto* grid = new QTableView(window);
    grid->setObjectName(QStringLiteral("grd"));
    grid->setAccessibleName(accessibleName);
    grid->setModel(model);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    return grid;
}

void selectCell(QTableView* grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
}

void showFind(QWidget* window)
{
    frmFind& dialog = frmFind::instance();
    dialog.setTitle(QStringLiteral("Find in ") + window->windowTitle());
    dialog.setOwner(window);
    dialog.show();
    dialog.raise();
    SysUI().CtlSetFocus(dialog.textFind);
}

void hideFind(QWidget* window, bool release)
{
    frmFind& dialog = frmFind::instance();
    if (dialog.owner() != window)
        return;
    dialog.hide();
    if (release)
        dialog.setOwner(nullptr);
}

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
