#include "customers/CustomerListModel.h"

#include "common/ui/clsSystemUI.h"

#include <algorithm>
#include <numeric>

CustomerListModel::CustomerListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void CustomerListModel::setHeadings(const QStringList& headings)
{
    m_headings = headings;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

void CustomerListModel::clear()
{
    m_pending.clear();
    if (m_rows.empty())
        return;
    beginResetModel();
    std::vector<Row>().swap(m_rows);
    endResetModel();
}

void CustomerListModel::flush()
{
    if (m_pending.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(m_pending.size()) - 1);
    std::move(m_pending.begin(), m_pending.end(), std::back_inserter(m_rows));
    m_pending.clear();
    endInsertRows();
}

int CustomerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CustomerListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

const QString& CustomerListModel::text(const Row& row, int column)
{
    switch (column) {
    case 0: return row.name;
    case 1: return row.company;
    case 2: return row.custno;
    case 3: return row.workphone;
    default: return row.city;
    }
}

QVariant CustomerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return text(row, index.column());
    case Qt::DecorationRole:
        return index.column() == 0 && !m_icon.isNull() ? QVariant(m_icon) : QVariant();
    case clsSystemUI::kKeyRole:
        return index.column() == 0 ? QVariant(QStringLiteral("N") + QString::number(row.id)) : QVariant();
    default:
        return {};
    }
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headings.size())
        return m_headings.at(section);
    return {};
}

void CustomerListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kColumns)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> byPosition(m_rows.size());
    std::iota(byPosition.begin(), byPosition.end(), 0);
    std::stable_sort(byPosition.begin(), byPosition.end(), [&](int a, int b) {
        const int c = QString::compare(text(m_rows[size_t(a)], column), text(m_rows[size_t(b)], column),
                                       Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    std::vector<int> newRow(m_rows.size());
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (size_t i = 0; i < byPosition.size(); ++i) {
        newRow[size_t(byPosition[i])] = int(i);
        sorted.push_back(std::move(m_rows[size_t(byPosition[i])]));
    }
    m_rows.swap(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid() ? this->index(newRow[size_t(index.row())], index.column()) : QModelIndex());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
