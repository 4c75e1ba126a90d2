#include "common/ui/clsSystemUI.h"

#include "common/clsSystem.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/frmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {

QString cellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

bool cellMatches(QString cell, const QString& sought, bool wholeCell, bool matchCase)
{
    if (!matchCase)
        cell = cell.toUpper();
    return wholeCell ? Sys().trimBlanks(cell) == Sys().trimBlanks(sought) : cell.contains(sought);
}

void makeCurrent(QTableWidget* grid, int row, int column)
{
    grid->setCurrentCell(row, column);
    grid->scrollTo(grid->model()->index(row, column));
}

} // namespace

bool clsSystemUI::GridFind(QTableWidget* grid, const QString& text, bool wholeCell, bool matchCase,
                           bool upwards) const
{
    const QString sought = matchCase ? text : text.toUpper();
    const int step = upwards ? -1 : 1;
    for (int row = grid->currentRow() + step; row >= 0 && row < grid->rowCount(); row += step) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (cellMatches(cellText(grid, row, column), sought, wholeCell, matchCase)) {
                makeCurrent(grid, row, column);
                return true;
            }
        }
    }
    return false;
}

void clsSystemUI::GridSelectRow(QTableWidget* grid, int row) const
{
    if (row >= 0 && row < grid->rowCount())
        makeCurrent(grid, row, 0);
}

void clsSystemUI::WaitDlgShow(frmProgress*& window, const QString& caption, const QString& message,
                              bool showBar, bool showCancel) const
{
    Sys().WaitStart();
    window = new frmProgress(WindowRegistry::current().mainForm());
    window->pbar->setVisible(showBar);
    window->cmdCancel->setVisible(showCancel);
    window->lblMsg->setText(message);
    window->setWindowTitle(caption);
    window->Display();
    window->lblMsg->repaint();
}

void clsSystemUI::WaitDlgUpdate(frmProgress* window, int percent) const
{
    if (window && percent >= 0 && percent <= 100)
        window->pbar->setValue(percent);
}

void clsSystemUI::WaitDlgRemove(frmProgress*& window) const
{
    delete window;
    window = nullptr;
    Sys().WaitEnd();
}
