#include "common/ui/clsSystemUI.h"

#include "common/clsSystem.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/frmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {

QString cellText(const QAbstractItemModel* model, int row, int column)
{
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
}

bool cellMatches(QString cell, const QString& sought, bool wholeCell, bool matchCase)
{
    if (!matchCase)
        cell = cell.toUpper();
    return wholeCell ? Sys().trimBlanks(cell) == Sys().trimBlanks(sought) : cell.contains(sought);
}

void makeCurrent(QTableView* grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
}

} // namespace

bool clsSystemUI::GridFind(QTableView* grid, const QString& text, bool wholeCell, bool matchCase,
                           bool upwards) const
{
    const QAbstractItemModel* model = grid->model();
    if (!model)
        return false;
    const QString sought = matchCase ? text : text.toUpper();
    const int step = upwards ? -1 : 1;
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    for (int row = grid->currentIndex().row() + step; row >= 0 && row < rows; row += step) {
        for (int column = 0; column < columns; ++column) {
            if (cellMatches(cellText(model, row, column), sought, wholeCell, matchCase)) {
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
}
