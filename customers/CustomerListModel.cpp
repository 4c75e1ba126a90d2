#include "customers/CustomerListModel.h"

#include "common/Win1252.h"
#include "common/ui/clsSystemUI.h"

#include <algorithm>
#include <numeric>

CustomerListModel::CustomerListModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_texts(std::make_unique<TextArena>())
{
}

CustomerListModel::~CustomerListModel() = default;

void CustomerListModel::setHeadings(const QStringList& headings)
{
    m_headings = headings;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

void CustomerListModel::clear()
{
    const bool shown = m_shown > 0;
    if (shown)
        beginResetModel();
    m_ids.clear();
    m_cells.clear();
    RowOrder().swap(m_order);
    m_texts = std::make_unique<TextArena>();
    m_shown = 0;
    if (shown)
        endResetModel();
}

void CustomerListModel::add(const Row& row)
{
    m_ids.push_back(row.id);
    for (const QString* text : {&row.name, &row.company, &row.custno, &row.workphone, &row.city})
        m_cells.push_back(m_texts->add(toWin1252(*text)));
}

void CustomerListModel::flush()
{
    const int added = int(m_ids.size());
    if (added == m_shown)
        return;
    beginInsertRows(QModelIndex(), m_shown, added - 1);
    m_shown = added;
    endInsertRows();
}

QString CustomerListModel::text(int row, int column) const
{
    if (row < 0 || row >= m_shown || column < 0 || column >= kColumns)
        return QString();
    const std::string_view text = bytes(stored(row), column);
    return fromWin1252(text.data(), qsizetype(text.size()));
}

qint64 CustomerListModel::bytesUsed() const
{
    return qint64(m_ids.capacity() * sizeof(qint32) + m_cells.capacity() * sizeof(quint32)
                  + m_order.capacity() * sizeof(quint32))
        + m_texts->bytes();
}

int CustomerListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_shown; }

int CustomerListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant CustomerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::DecorationRole:
        return index.column() == 0 && !m_icon.isNull() ? QVariant(m_icon) : QVariant();
    case clsSystemUI::kKeyRole:
        return index.column() == 0 ? QVariant(QStringLiteral("N") + QString::number(rowId(index.row())))
                                   : QVariant();
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
    // Every shown row's stored row, in the order shown.
    RowOrder sorted(static_cast<size_t>(m_shown));
    for (size_t row = 0; row < sorted.size(); ++row)
        sorted[row] = quint32(stored(int(row)));
    // Most rows differ in their first characters: those are compared as
    // one number, read once a row.
    std::vector<quint64> prefix(m_ids.size());
    for (const quint32 at : sorted)
        prefix[at] = win1252PrefixKey(bytes(at, column));
    std::stable_sort(sorted.begin(), sorted.end(), [&](quint32 a, quint32 b) {
        const int c = prefix[a] != prefix[b] ? (prefix[a] < prefix[b] ? -1 : 1)
                                             : compareWin1252IgnoringCase(bytes(a, column), bytes(b, column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    if (!from.isEmpty()) {
        std::vector<int> shownAt(m_ids.size());
        for (size_t row = 0; row < sorted.size(); ++row)
            shownAt[sorted[row]] = int(row);
        to.reserve(from.size());
        for (const QModelIndex& index : from)
            to.append(index.isValid() && index.row() < m_shown
                          ? this->index(shownAt[stored(index.row())], index.column())
                          : QModelIndex());
    }
    m_order.swap(sorted);
    if (!from.isEmpty())
        changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
