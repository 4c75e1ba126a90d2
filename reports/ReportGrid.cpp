#include "reports/ReportGrid.h"

#include "common/clsSystem.h"

#include <QDate>
#include <QHash>

#include <algorithm>
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

} // namespace

void ReportGrid::reset(const QList<Column>& columns)
{
    m_columns = columns;
    m_rowNumberColumn = !columns.isEmpty() && columns.first().data == kRowColumnData;
    m_dataColumns = int(columns.size()) - (m_rowNumberColumn ? 1 : 0);
    m_text.clear();
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
        m_cellEnd.push_back(quint32(m_text.size()));
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
    m_text.insert(m_text.end(), text.utf16(), text.utf16() + text.size());
    m_cellEnd.push_back(quint32(m_text.size()));
}

QStringView ReportGrid::cell(int physicalRow, int dataColumn) const
{
    const size_t index = size_t(physicalRow) * size_t(m_dataColumns) + size_t(dataColumn);
    if (index >= m_cellEnd.size())
        return {};
    const quint32 begin = index == 0 ? 0 : m_cellEnd[index - 1];
    return QStringView(m_text.data() + begin, qsizetype(m_cellEnd[index] - begin));
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

void ReportGrid::sortBy(int column)
{
    if (column < 0 || column >= columnCount() || m_rowData.empty())
        return;
    completeRow();
    const QString type = m_columns.at(column).sortType;
    const int dataColumn = column - firstDataColumn();
    if (type == QLatin1String("R") || type == QLatin1String("I") || type == QLatin1String("D")) {
        // One key per row, read once; equal texts share their key.
        std::vector<qint64> keys(m_rowData.size());
        QHash<QString, qint64> known;
        for (size_t r = 0; r < keys.size(); ++r) {
            if (type == QLatin1String("R")) {
                keys[r] = m_rowNumber.empty() ? 0 : m_rowNumber[r];
                continue;
            }
            const QStringView text = cell(int(r), dataColumn);
            if (type == QLatin1String("I")) {
                keys[r] = wholeKey(text);
                continue;
            }
            const QString date = text.toString();
            auto it = known.constFind(date);
            if (it == known.constEnd())
                it = known.insert(date, Sys().Str2Date(date).toJulianDay());
            keys[r] = it.value();
        }
        std::stable_sort(m_order.begin(), m_order.end(),
                         [&keys](qint32 a, qint32 b) { return keys[size_t(a)] < keys[size_t(b)]; });
        return;
    }
    std::stable_sort(m_order.begin(), m_order.end(), [this, dataColumn](qint32 a, qint32 b) {
        return cell(a, dataColumn).compare(cell(b, dataColumn), Qt::CaseInsensitive) < 0;
    });
}

void ReportGrid::numberRows()
{
    m_rowNumber.assign(m_rowData.size(), 0);
    for (size_t pos = 0; pos < m_order.size(); ++pos)
        m_rowNumber[size_t(m_order[pos])] = qint32(pos + 1);
}

void ReportGrid::blankRepeats(int column)
{
    if (column < firstDataColumn() || column >= columnCount())
        return;
    completeRow();
    m_blankedColumn = column;
    m_blanked.assign(m_rowData.size(), false);
    QStringView remembered;
    for (const qint32 physical : m_order) {
        const QStringView value = cell(physical, column - firstDataColumn());
        if (value == remembered)
            m_blanked[size_t(physical)] = true;
        else
            remembered = value;
    }
}

qint64 ReportGrid::bytesUsed() const
{
    return qint64(m_text.capacity() * sizeof(char16_t) + m_cellEnd.capacity() * sizeof(quint32)
                  + m_rowData.capacity() * sizeof(qint32) + m_order.capacity() * sizeof(qint32)
                  + m_rowNumber.capacity() * sizeof(qint32) + m_blanked.capacity() / 8);
}

void ReportGrid::squeeze()
{
    completeRow();
    m_text.shrink_to_fit();
    m_cellEnd.shrink_to_fit();
    m_rowData.shrink_to_fit();
    m_order.shrink_to_fit();
}
