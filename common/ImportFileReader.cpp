#include "common/ImportFileReader.h"

#include "common/Win1252.h"

#include <QStringDecoder>

namespace {

// Whether a field that began with a double quote is still open at the end
// of `line`, given whether one was open at its start. Each double quote
// switches between inside and outside quotes, as the splitting of a record
// does; but only a quote that begins a field (blanks before it aside) opens
// a field that runs on over lines: a stray quote inside a value (an inch
// mark) leaves its line one record, as it always was.
bool quotedFieldOpen(const QString& line, bool open)
{
    bool inside = open;
    bool quotedField = open;
    bool atFieldStart = !open;
    for (QChar c : line) {
        if (c == u'"') {
            if (!inside)
                quotedField = atFieldStart;
            inside = !inside;
            atFieldStart = false;
        } else if (c == u',' && !inside) {
            atFieldStart = true;
        } else if (c != u' ') {
            atFieldStart = false;
        }
    }
    return inside && quotedField;
}

} // namespace

bool ImportFileReader::open()
{
    m_first = true;
    m_lines = 0;
    m_recordLine = 0;
    m_unclosed = false;
    return m_file.open(QIODevice::ReadOnly);
}

bool ImportFileReader::seek(qint64 offset, qint32 line)
{
    if (!m_file.seek(offset))
        return false;
    m_first = offset == 0;
    m_lines = line - 1;
    m_recordLine = 0;
    m_unclosed = false;
    return true;
}

bool ImportFileReader::readLine(QString& line)
{
    if (m_file.atEnd())
        return false;
    QByteArray bytes = m_file.readLine();
    if (bytes.isEmpty() && m_file.error() != QFileDevice::NoError)
        return false;
    if (m_first && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    m_first = false;
    ++m_lines;
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    // Each line on its own: a file saved by another program may be either.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    line = utf8.decode(bytes);
    if (utf8.hasError())
        line = fromWin1252(bytes.constData(), bytes.size());
    return true;
}

bool ImportFileReader::readRecord(QString& record)
{
    if (!readLine(record))
        return false;
    m_recordLine = m_lines;
    m_unclosed = false;
    QString line;
    for (bool open = quotedFieldOpen(record, false); open; open = quotedFieldOpen(line, true)) {
        if (!readLine(line)) {
            m_unclosed = !error();
            return !error();
        }
        record += QStringLiteral("\r\n") + line;
    }
    return true;
}
