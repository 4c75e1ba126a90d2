#include "common/ui/ImportPreviewModel.h"

#include "common/clsSystem.h"

#include <algorithm>

namespace {

// Stands in for the commas that separate fields: a character no text holds.
constexpr QChar kFieldBreak(0xFDD0);

} // namespace

ImportPreviewModel::ImportPreviewModel(const QString& fileName, const QStringList& headings,
                                       const QList<bool>& relevant, const QStringList& columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_headings(headings)
    , m_relevant(relevant)
    , m_columns(columns)
    , m_reader(fileName)
    , m_unread(columns.size())
{
}

QStringList ImportPreviewModel::previewRow(const QString& record, qint32 dataLine, const QStringList& headings,
                                           const QList<bool>& relevant, int columns)
{
    QStringList row(columns);
    row[0] = QString::number(dataLine);
    QStringList fields;
    Sys().StrParse2Array(Sys().StrReplaceChar(record, u',', QString(kFieldBreak), false), fields, kFieldBreak, false);
    const qsizetype fieldCount = fields.size() - 1;
    if (fieldCount > headings.size() - 1)
        return row;
    int column = 0;
    for (qsizetype i = 1; i <= fieldCount; ++i) {
        if (relevant.at(i) && ++column < columns)
            row[column] = Sys().CSVField_GetValue(fields.at(i));
    }
    return row;
}

void ImportPreviewModel::addRecord(qint64 offset, qint32 line)
{
    m_offsets.push_back(offset);
    m_lines.push_back(line);
}

void ImportPreviewModel::flush()
{
    const int added = int(m_offsets.size());
    if (added == m_shown)
        return;
    beginInsertRows(QModelIndex(), m_shown, added - 1);
    m_shown = added;
    endInsertRows();
}

bool ImportPreviewModel::flushSome()
{
    // A view lays out every row shown at each batch: batches three times
    // the rows shown keep the layouts few and each of them short.
    constexpr int kLargestBatch = 256 * 1024;
    const int waiting = int(m_offsets.size()) - m_shown;
    if (waiting == 0 || (m_shown > 0 && waiting < std::min(3 * m_shown, kLargestBatch)))
        return false;
    flush();
    return true;
}

const QStringList& ImportPreviewModel::row(int row) const
{
    if (const QStringList* cached = m_cache.object(row))
        return *cached;
    if (!m_readerOpen)
        m_readerOpen = m_reader.open();
    // Views, saving and printing ask for rows in order: the rows that follow
    // are read in the same pass, which costs one seek for them all.
    constexpr int kReadAhead = 64;
    const int last = std::min(m_shown, row + kReadAhead) - 1;
    const QStringList* wanted = &m_unread;
    QString record;
    for (int at = row; at <= last; ++at) {
        const qint64 offset = m_offsets[size_t(at)];
        const qint32 line = m_lines[size_t(at)];
        if (!m_readerOpen || (m_reader.pos() != offset && !m_reader.seek(offset, line)) || !m_reader.readRecord(record))
            break;
        auto* texts = new QStringList(previewRow(record, line - 1, m_headings, m_relevant, int(m_columns.size())));
        if (at == row)
            wanted = texts;
        if (!m_cache.insert(at, texts))
            break;
    }
    return *wanted;
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_shown; }

int ImportPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown || index.column() >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return row(index.row()).value(index.column());
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == 0)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}
