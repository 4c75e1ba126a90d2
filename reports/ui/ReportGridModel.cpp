#include "reports/ui/ReportGridModel.h"

#include "reports/ReportGrid.h"

#include <QApplication>
#include <QPalette>

ReportGridModel::ReportGridModel(const ReportGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
{
}

void ReportGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

int ReportGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_grid.rowCount(); }

int ReportGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.columnCount();
}

QVariant ReportGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_grid.rowCount() || index.column() >= m_grid.columnCount())
        return {};
    const bool rowNumbers = m_grid.hasRowNumbers() && index.column() == 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_grid.text(index.row(), index.column());
    case kDataRole:
        return m_grid.rowData(index.row());
    case Qt::TextAlignmentRole:
        if (rowNumbers)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::BackgroundRole:
        if (rowNumbers)
            return QApplication::palette().button();
        return {};
    default:
        return {};
    }
}

QVariant ReportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_grid.columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_grid.column(section).heading;
    if (role == kDataRole)
        return m_grid.column(section).data;
    return {};
}
