#include "reports/ReportGrid.h"

#include "common/clsSystem.h"

#include <QDate>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// A whole-number sort key of a cell; the plain decimal texts that the run
// writes are read directly, anything else as the shared comparison reads it.
qint64 wholeKey(QStringView text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : Sys().Str2Int(text.toString());
}

// The first four characters of a text, case-folded, packed so that two keys
// compare as the texts' beginnings compare in any letter case (a shorter
// text first). Equal keys leave the order to the whole texts.
quint64 prefixKey(QStringView text)
{
    quint64 key = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        char16_t unit = 0;
        if (i < text.size()) {
            const QChar c = text[i];
            unit = c.isSurrogate() ? c.unicode() : c.toCaseFolded().unicode();
        }
        key = (key << 16) | unit;
    }
    return key;
}

// Sorts `items` stably by `less` in runs and merge passes, calling
// pacer.step() for each item placed, so that no stretch of the sort goes
// long without the pacer's say.
template <class Pacer, class Less>
void pacedStableSort(std::vector<qint32>& items, Pacer& pacer, Less less)
{
    constexpr size_t kRun = 4096;
    const size_t n = items.size();
    for (size_t begin = 0; begin < n; begin += kRun) {
        std::stable_sort(items.begin() + qsizetype(begin), items.begin() + qsizetype(std::min(n, begin + kRun)), less);
        pacer.step(kRun);
    }
    std::vector<qint32> merged(n);
    for (size_t width = kRun; width < n; width *= 2) {
        size_t out = 0;
        for (size_t low = 0; low < n; low += 2 * width) {
            const size_t middle = std::min(n, low + width);
            const size_t high = std::min(n, low + 2 * width);
            size_t left = low;
            size_t right = middle;
            // The left run wins ties: equal items keep their order.
            while (left < middle && right < high) {
                merged[out++] = less(items[right], items[left]) ? items[right++] : items[left++];
                pacer.step(1);
            }
            while (left < middle)
                merged[out++] = items[left++];
            while (right < high)
                merged[out++] = items[right++];
            pacer.step(0);
        }
        items.swap(merged);
    }
}

} // namespace

// Reports to the progress once kPauseMs have passed since the last report;
// the clock is read once every kClockEvery steps only.
class ReportGrid::Pacer {
public:
    explicit Pacer(Progress* progress) : m_progress(progress) {}
    void step(size_t items = 1)
    {
        if (!m_progress)
            return;
        m_steps += items;
        if (m_steps < kClockEvery)
            return;
        m_steps = 0;
        if (m_pace.due())
            (void)m_progress->report(-1);
    }

private:
    static constexpr size_t kClockEvery = 2048;
    Progress* m_progress;
    ProgressPace m_pace{kPauseMs};
    size_t m_steps = 0;
};

void ReportGrid::reset(const QList<Column>& columns)
{
    m_columns = columns;
    m_rowNumberColumn = !columns.isEmpty() && columns.first().data == kRowColumnData;
    m_dataColumns = int(columns.size()) - (m_rowNumberColumn ? 1 : 0);
    m_blocks.clear();
    m_textEnd = 0;
    m_cellEnd.clear();
    m_rowData.clear();
    m_order.clear();
    m_rowNumber.clear();
    m_blanked.clear();
    m_blankedColumn = -1;
}

void ReportGrid::completeRow()
{
    const size_t wanted = m_rowData.size() * size_t(m_dataColumns);
    while (m_cellEnd.size() < wanted)
        m_cellEnd.push_back(m_textEnd);
}

void ReportGrid::addRow(qint32 rowData)
{
    completeRow();
    m_order.push_back(qint32(m_rowData.size()));
    m_rowData.push_back(rowData);
}

void ReportGrid::addCell(QStringView text)
{
    if (m_rowData.empty() || m_cellEnd.size() >= m_rowData.size() * size_t(m_dataColumns))
        return;
    const quint32 length = quint32(qMin<qsizetype>(text.size(), kMaxCellLength));
    if (length > 0) {
        quint32 begin = m_textEnd;
        if (begin / kMaxCellLength != (begin + length - 1) / kMaxCellLength)
            begin = (begin / kMaxCellLength + 1) * kMaxCellLength;
        const size_t block = (begin + length - 1) / kMaxCellLength;
        while (m_blocks.size() <= block)
            m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(kMaxCellLength));
        std::memcpy(m_blocks[block].get() + (begin - block * kMaxCellLength), text.utf16(),
                    length * sizeof(char16_t));
        m_textEnd = begin + length;
    }
    m_cellEnd.push_back(m_textEnd);
}

QStringView ReportGrid::cell(int physicalRow, int dataColumn) const
{
    const size_t index = size_t(physicalRow) * size_t(m_dataColumns) + size_t(dataColumn);
    if (index >= m_cellEnd.size())
        return {};
    const quint32 end = m_cellEnd[index];
    const quint32 previous = index == 0 ? 0 : m_cellEnd[index - 1];
    if (end == previous)
        return {};
    // A cell that did not fit behind the one before starts its block.
    const quint32 block = (end - 1) / kMaxCellLength;
    const quint32 begin = qMax(previous, block * kMaxCellLength);
    return QStringView(m_blocks[block].get() + (begin - block * kMaxCellLength), qsizetype(end - begin));
}

QString ReportGrid::text(int row, int column) const
{
    const qint32 physical = m_order[size_t(row)];
    if (m_rowNumberColumn && column == 0)
        return m_rowNumber.empty() ? QString() : QString::number(m_rowNumber[size_t(physical)]);
    if (column == m_blankedColumn && m_blanked[size_t(physical)])
        return {};
    return cell(physical, column - firstDataColumn()).toString();
}

void ReportGrid::sortBy(int column, Progress* progress)
{
    if (column < 0 || column >= columnCount() || m_rowData.empty())
        return;
    completeRow();
    Pacer pacer(progress);
    const QString type = m_columns.at(column).sortType;
    const int dataColumn = column - firstDataColumn();
    // One key per row, read once, then a stable sort of whole numbers.
    std::vector<qint64> keys(m_rowData.size());
    if (type == QLatin1String("R")) {
        for (size_t r = 0; r < keys.size(); ++r)
            keys[r] = m_rowNumber.empty() ? 0 : m_rowNumber[r];
    } else if (type == QLatin1String("I")) {
        for (size_t r = 0; r < keys.size(); ++r) {
            keys[r] = wholeKey(cell(int(r), dataColumn));
            pacer.step();
        }
    } else if (type == QLatin1String("D")) {
        QHash<QStringView, qint64> known;
        for (size_t r = 0; r < keys.size(); ++r) {
            const QStringView date = cell(int(r), dataColumn);
            auto it = known.constFind(date);
            if (it == known.constEnd())
                it = known.insert(date, Sys().Str2Date(date.toString()).toJulianDay());
            keys[r] = it.value();
            pacer.step();
        }
    } else {
        textRanks(dataColumn, keys, pacer);
    }
    pacedStableSort(m_order, pacer, [&keys](qint32 a, qint32 b) { return keys[size_t(a)] < keys[size_t(b)]; });
}

void ReportGrid::textRanks(int dataColumn, std::vector<qint64>& keys, Pacer& pacer) const
{
    // Rows often repeat a text (a customer's detail on each of its issues):
    // the distinct texts are ordered once, and each row takes its text's rank.
    QHash<QStringView, qint32> index;
    std::vector<QStringView> distinct;
    for (size_t r = 0; r < keys.size(); ++r) {
        const QStringView text = cell(int(r), dataColumn);
        auto it = index.constFind(text);
        if (it == index.constEnd()) {
            it = index.insert(text, qint32(distinct.size()));
            distinct.push_back(text);
        }
        keys[r] = it.value();
        pacer.step();
    }
    std::vector<quint64> prefixes(distinct.size());
    std::vector<qint32> sorted(distinct.size());
    for (size_t i = 0; i < distinct.size(); ++i) {
        prefixes[i] = prefixKey(distinct[i]);
        sorted[i] = qint32(i);
        pacer.step();
    }
    const auto compare = [&](qint32 a, qint32 b) {
        if (prefixes[size_t(a)] != prefixes[size_t(b)])
            return prefixes[size_t(a)] < prefixes[size_t(b)] ? -1 : 1;
        return distinct[size_t(a)].compare(distinct[size_t(b)], Qt::CaseInsensitive);
    };
    pacedStableSort(sorted, pacer, [&](qint32 a, qint32 b) { return compare(a, b) < 0; });
    std::vector<qint64> rank(distinct.size());
    qint64 current = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0 && compare(sorted[i - 1], sorted[i]) != 0)
            ++current;
        rank[size_t(sorted[i])] = current;
        pacer.step();
    }
    for (qint64& key : keys)
        key = rank[size_t(key)];
}

void ReportGrid::numberRows()
{
    m_rowNumber.assign(m_rowData.size(), 0);
    for (size_t pos = 0; pos < m_order.size(); ++pos)
        m_rowNumber[size_t(m_order[pos])] = qint32(pos + 1);
}

void ReportGrid::blankRepeats(int column, Progress* progress)
{
    if (column < firstDataColumn() || column >= columnCount())
        return;
    completeRow();
    m_blankedColumn = column;
    m_blanked.assign(m_rowData.size(), false);
    Pacer pacer(progress);
    QStringView remembered;
    for (const qint32 physical : m_order) {
        const QStringView value = cell(physical, column - firstDataColumn());
        if (value == remembered)
            m_blanked[size_t(physical)] = true;
        else
            remembered = value;
        pacer.step();
    }
}

qint64 ReportGrid::bytesUsed() const
{
    return qint64(m_blocks.size() * kMaxCellLength * sizeof(char16_t) + m_cellEnd.capacity() * sizeof(quint32)
                  + m_rowData.capacity() * sizeof(qint32) + m_order.capacity() * sizeof(qint32)
                  + m_rowNumber.capacity() * sizeof(qint32) + m_blanked.capacity() / 8);
}

void ReportGrid::squeeze(Progress* progress)
{
    completeRow();
    // Each a copy of one list: a report may come between them.
    Pacer pacer(progress);
    m_cellEnd.shrink_to_fit();
    pacer.step(m_cellEnd.size());
    m_rowData.shrink_to_fit();
    pacer.step(m_rowData.size());
    m_order.shrink_to_fit();
}
