#include "common/ImportFileReader.h"

#include "common/Win1252.h"

#include <QStringDecoder>

bool ImportFileReader::open()
{
    m_first = true;
    return m_file.open(QIODevice::ReadOnly);
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
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    // Each line on its own: a file saved by another program may be either.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    line = utf8.decode(bytes);
    if (utf8.hasError())
        line = fromWin1252(bytes.constData(), bytes.size());
    return true;
}
