#include "issues/core/IssueListModel.h"

#include "common/Win1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <numeric>
#include <utility>

namespace {

// Each Windows-1252 byte's character, as the one conversion decodes it.
const std::array<char16_t, 256>& win1252Chars()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            t[size_t(b)] = fromWin1252(&byte, 1).at(0).unicode();
        }
        return t;
    }();
    return table;
}

} // namespace

IssueListModel::IssueListModel(const QList<Source>& columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_columns(columns)
    , m_arena(std::make_unique<TextArena>())
{
    for (const Source source : m_columns) {
        m_slot.append(m_stride);
        if (source == Source::Shared) {
            ++m_stride;
        } else if (source == Source::Own) {
            m_ownSlot = m_stride;
            ++m_stride;
        }
    }
}

IssueListModel::~IssueListModel() = default;

void IssueListModel::setHeadings(const QStringList& headings)
{
    m_headings = headings;
    if (!m_columns.isEmpty())
        emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}

void IssueListModel::setFixedText(int column, const QString& text)
{
    m_fixed.insert(column, text);
    if (m_shown > 0)
        emit dataChanged(index(0, column), index(m_shown - 1, column), {Qt::DisplayRole});
}

void IssueListModel::clear()
{
    beginResetModel();
    m_ids.clear();
    m_cells.clear();
    RowOrder().swap(m_order);
    m_arena = std::make_unique<TextArena>();
    std::vector<QString>().swap(m_pool);
    m_poolIndex = QHash<QString, quint32>();
    m_fixed.clear();
    m_prepared = {};
    m_shown = 0;
    endResetModel();
}

quint32 IssueListModel::share(const QString& text)
{
    const auto found = m_poolIndex.constFind(text);
    if (found != m_poolIndex.constEnd())
        return found.value();
    const quint32 index = quint32(m_pool.size());
    m_pool.push_back(text);
    m_poolIndex.insert(text, index);
    return index;
}

quint32 IssueListModel::reserveText()
{
    m_pool.emplace_back();
    return quint32(m_pool.size() - 1);
}

void IssueListModel::setText(quint32 index, const QString& text)
{
    if (index < m_pool.size())
        m_pool[index] = text;
}

void IssueListModel::textsChanged()
{
    // Rows still to be shown are laid out afresh with the rest, which a
    // view then does instead of going through the rows one by one.
    flush();
    if (m_shown > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_shown - 1, int(m_columns.size()) - 1), {Qt::DisplayRole});
}

void IssueListModel::addRow(qint32 id, std::initializer_list<quint32> shared, QStringView own)
{
    addRowBytes(id, shared, toWin1252(own.toString()));
}

void IssueListModel::addRowBytes(qint32 id, std::initializer_list<quint32> shared, std::string_view own)
{
    addCells(id, shared, m_ownSlot >= 0 ? m_arena->add(own) : 0);
}

void IssueListModel::addCells(qint32 id, std::initializer_list<quint32> shared, quint32 ownOffset)
{
    m_ids.push_back(id);
    auto next = shared.begin();
    for (const Source source : std::as_const(m_columns)) {
        if (source == Source::Shared)
            m_cells.push_back(next != shared.end() ? *next++ : share(QString()));
        else if (source == Source::Own)
            m_cells.push_back(ownOffset);
    }
}

void IssueListModel::flush()
{
    const int added = int(m_ids.size());
    if (added == m_shown)
        return;
    // The new rows follow those shown: each is shown where it is stored.
    beginInsertRows(QModelIndex(), m_shown, added - 1);
    m_shown = added;
    endInsertRows();
}

bool IssueListModel::flushSome()
{
    // A view lays out every row shown at each batch, and the rows new to it
    // cost it more than those it had: batches three times the rows shown,
    // but never above a quarter of a million rows, keep the layouts few and
    // each of them short.
    constexpr int kFirstBatch = 100;
    constexpr int kLargestBatch = 256 * 1024;
    if (int(m_ids.size()) - m_shown < std::clamp(3 * m_shown, kFirstBatch, kLargestBatch))
        return false;
    flush();
    return true;
}

std::string_view IssueListModel::ownBytes(size_t row) const
{
    return m_arena->at(cell(row, m_ownSlot));
}

QString IssueListModel::text(int row, int column) const
{
    if (row < 0 || size_t(row) >= m_ids.size() || column < 0 || column >= m_columns.size())
        return QString();
    const size_t at = stored(row);
    switch (m_columns[column]) {
    case Source::Shared: return m_pool[cell(at, m_slot[column])];
    case Source::Own: {
        const std::string_view bytes = ownBytes(at);
        QString text(qsizetype(bytes.size()), Qt::Uninitialized);
        const std::array<char16_t, 256>& chars = win1252Chars();
        char16_t* to = reinterpret_cast<char16_t*>(text.data());
        for (const char byte : bytes)
            *to++ = chars[static_cast<unsigned char>(byte)];
        return text;
    }
    case Source::RowId: return QString::number(m_ids[at]);
    case Source::Fixed: return m_fixed.value(column);
    }
    return QString();
}

qint64 IssueListModel::bytesUsed() const
{
    qint64 bytes = qint64(m_ids.capacity() * sizeof(qint32) + m_cells.capacity() * sizeof(quint32))
        + qint64(m_order.capacity() * sizeof(quint32)) + m_arena->bytes() + qint64(m_pool.capacity() * sizeof(QString));
    for (const QString& text : m_pool)
        bytes += qint64(sizeof(QString)) + 16 + text.capacity() * 2;
    // The index holds copies of the pool's texts, which share their data.
    bytes += m_poolIndex.size() * qint64(sizeof(QString) + sizeof(quint32) + 8);
    return bytes;
}

QModelIndex IssueListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= m_shown || column < 0 || column >= m_columns.size())
        return {};
    return createIndex(row, column);
}

Qt::ItemFlags IssueListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

int IssueListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_shown; }

int IssueListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant IssueListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::DecorationRole:
        return index.column() == 0 && !m_icon.isNull() ? QVariant(m_icon) : QVariant();
    case kKeyRole:
        return index.column() == 0 ? QVariant(QStringLiteral("N") + QString::number(m_ids[stored(index.row())]))
                                   : QVariant();
    default:
        return {};
    }
}

QVariant IssueListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headings.size())
        return m_headings.at(section);
    return {};
}

namespace {

// A key that orders whole numbers as their decimal texts ("10000" before
// "9999"): the text's characters as base-12 digits from the first, the end
// of the text below "-", "-" below "0".
quint64 textOrderKey(qint32 value)
{
    char text[16];
    const char* end = std::to_chars(text, text + sizeof text, value).ptr;
    quint64 key = 0;
    for (const char* p = text; p < end; ++p)
        key = key * 12 + (*p == '-' ? 1 : quint64(*p - '0') + 2);
    for (auto n = end - text; n < 11; ++n)
        key *= 12;
    return key;
}

// The stored rows of `order` in text order of their numbers, reversed for
// descending order: a stable radix sort, 10 bits at a time, of the keys
// (below 2^40) packed above the rows (below 2^24) into one word each.
// The same for distinct positive numbers of which no more than a few are
// missing below the largest: the numbers from 1 to the largest visited in
// text order (1, 10, 100, 101, ..., 11, ...), each present one taking its
// place. False, with `sorted` untouched, for other numbers.
bool byTextOrderWalk(const BlockVector<qint32>& ids, bool ascending, IssueListModel::RowOrder* sorted)
{
    const size_t count = ids.size();
    qint64 largest = 0;
    for (size_t row = 0; row < count; ++row) {
        const qint32 id = ids[row];
        if (id <= 0)
            return false;
        largest = std::max<qint64>(largest, id);
    }
    if (largest > 4 * qint64(count) + 4096)
        return false;
    const MappedBlock<quint32> rowOf = mapBlock<quint32>(size_t(largest) + 1);   // per number: its stored row + 1
    for (size_t row = 0; row < count; ++row) {
        quint32& at = rowOf[size_t(ids[row])];
        if (at != 0)
            return false;
        at = quint32(row) + 1;
    }
    IssueListModel::RowOrder result;
    result.reserve(count);
    qint64 n = 1;
    for (qint64 visited = 0; visited < largest; ++visited) {
        if (const quint32 at = rowOf[size_t(n)])
            result.push_back(at - 1);
        if (n * 10 <= largest) {
            n *= 10;
        } else {
            if (n >= largest)
                n /= 10;
            ++n;
            while (n % 10 == 0)
                n /= 10;
        }
    }
    if (!ascending)
        std::reverse(result.begin(), result.end());
    sorted->swap(result);
    return true;
}

IssueListModel::RowOrder byTextOrderOf(const BlockVector<qint32>& ids, const IssueListModel::RowOrder& order, bool ascending)
{
    constexpr int kRowBits = 24;
    IssueListModel::RowOrder sorted(order);
    if (order.size() >= (size_t(1) << kRowBits)) {
        std::stable_sort(sorted.begin(), sorted.end(), [&](quint32 a, quint32 b) {
            return ascending ? textOrderKey(ids[a]) < textOrderKey(ids[b]) : textOrderKey(ids[b]) < textOrderKey(ids[a]);
        });
        return sorted;
    }
    std::vector<quint64> entries(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        entries[i] = textOrderKey(ids[order[i]]) << kRowBits | order[i];
    std::vector<quint64> spare(entries.size());
    constexpr int kBits = 10;
    constexpr quint64 kMask = (1u << kBits) - 1;
    for (int shift = kRowBits; shift < 64; shift += kBits) {
        std::vector<size_t> start(kMask + 2, 0);
        for (const quint64 e : entries)
            ++start[((e >> shift) & kMask) + 1];
        for (size_t d = 1; d < start.size(); ++d)
            start[d] += start[d - 1];
        for (const quint64 e : entries)
            spare[start[(e >> shift) & kMask]++] = e;
        entries.swap(spare);
    }
    constexpr quint64 kRowMask = (quint64(1) << kRowBits) - 1;
    for (size_t i = 0; i < entries.size(); ++i)
        sorted[ascending ? i : entries.size() - 1 - i] = quint32(entries[i] & kRowMask);
    return sorted;
}

} // namespace

void IssueListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        return;
    flush();
    const bool ascending = order == Qt::AscendingOrder;
    RowOrder sorted;
    if (m_prepared.column == column && m_prepared.order == order && m_prepared.rows.size() == m_ids.size())
        sorted.swap(m_prepared.rows);
    else if (m_columns[column] != Source::RowId || !byTextOrderWalk(m_ids, ascending, &sorted))
        sorted = sortedBy(column, ascending);
    m_prepared = {};
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    reorder(std::move(sorted));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void IssueListModel::prepareSort(int column, Qt::SortOrder order)
{
    m_prepared = {};
    // Distinct numbers sort the same whatever order their rows are in.
    if (column >= 0 && column < m_columns.size() && m_columns[column] == Source::RowId
        && byTextOrderWalk(m_ids, order == Qt::AscendingOrder, &m_prepared.rows)) {
        m_prepared.column = column;
        m_prepared.order = order;
    }
}

IssueListModel::RowOrder IssueListModel::sortedBy(int column, bool ascending) const
{
    RowOrder sorted = shownOrder();
    switch (m_columns[column]) {
    case Source::Shared: {
        // Rank the pool's texts once; the rows then compare by rank.
        std::vector<quint32> byText(m_pool.size());
        std::iota(byText.begin(), byText.end(), 0u);
        std::stable_sort(byText.begin(), byText.end(), [&](quint32 a, quint32 b) {
            return QString::compare(m_pool[a], m_pool[b], Qt::CaseInsensitive) < 0;
        });
        std::vector<quint32> rank(m_pool.size());
        for (size_t i = 0, r = 0; i < byText.size(); ++i) {
            if (i > 0 && QString::compare(m_pool[byText[i - 1]], m_pool[byText[i]], Qt::CaseInsensitive) != 0)
                ++r;
            rank[byText[i]] = quint32(r);
        }
        const int slot = m_slot[column];
        std::stable_sort(sorted.begin(), sorted.end(), [&](quint32 a, quint32 b) {
            const quint32 ra = rank[cell(a, slot)];
            const quint32 rb = rank[cell(b, slot)];
            return ascending ? ra < rb : rb < ra;
        });
        break;
    }
    case Source::Own:
        std::stable_sort(sorted.begin(), sorted.end(), [&](quint32 a, quint32 b) {
            const int c = compareWin1252IgnoringCase(ownBytes(a), ownBytes(b));
            return ascending ? c < 0 : c > 0;
        });
        break;
    case Source::RowId:
        sorted = byTextOrderOf(m_ids, sorted, ascending);
        break;
    case Source::Fixed:   // every row's text is the same
        break;
    }
    return sorted;
}

IssueListModel::RowOrder IssueListModel::shownOrder() const
{
    RowOrder order;
    order.reserve(size_t(m_shown));
    order.assign(m_order.begin(), m_order.end());
    for (size_t row = order.size(); row < size_t(m_shown); ++row)
        order.push_back(quint32(row));
    return order;
}

void IssueListModel::reorder(RowOrder order)
{
    m_order.swap(order);
    const QModelIndexList from = persistentIndexList();
    if (from.isEmpty())
        return;
    const RowOrder& was = order;
    const auto storedBefore = [&](int row) { return size_t(row) < was.size() ? was[size_t(row)] : quint32(row); };
    // Where the few stored rows that persistent indexes name are shown now:
    // marked, then found in one pass over the new order.
    std::vector<bool> named(m_ids.size());
    for (const QModelIndex& index : from)
        if (index.isValid() && index.row() < m_shown)
            named[storedBefore(index.row())] = true;
    QHash<quint32, int> shownAt;
    for (size_t row = 0; row < m_order.size(); ++row)
        if (named[m_order[row]])
            shownAt.insert(m_order[row], int(row));
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid() && index.row() < m_shown
                      ? this->index(shownAt.value(storedBefore(index.row())), index.column())
                      : QModelIndex());
    changePersistentIndexList(from, to);
}
