#include "common/ui/ImportPreviewModel.h"

ImportPreviewModel::ImportPreviewModel(const QStringList& headings, QObject* parent)
    : QAbstractTableModel(parent)
    , m_headings(headings)
{
}

void ImportPreviewModel::appendRows(QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    m_rows.append(std::move(rows));
    endInsertRows();
    rows.clear();
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headings.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_rows.at(index.row()).value(index.column());
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headings.size())
        return m_headings.at(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == 0)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}
