#pragma once

#include <QFile>
#include <QString>

// Reads an import file line by line, or record by record: UTF-8 (a
// byte-order mark at the start is skipped), or Windows-1252 for a line that
// is not valid UTF-8; lines end in CR LF or LF. A record is one line, or,
// while a field that begins with a double quote is still open at the end of
// a line, that line and the following ones up to the one that closes the
// field, joined by CR LF whatever line ends the file used. The file stays
// open while the reader lives or until close().
class ImportFileReader {
public:
    explicit ImportFileReader(const QString& path) : m_file(path) {}

    // False when the file cannot be opened for reading.
    bool open();
    bool atEnd() const { return m_file.atEnd(); }
    // The next line without its line end; false at the end of the file or on
    // a read error (error() tells which).
    bool readLine(QString& line);
    // The next record, as readLine.
    bool readRecord(QString& record);
    // The number of the file line (from 1) the last record began on.
    qint32 recordLine() const { return m_recordLine; }
    // The lines read so far.
    qint32 linesRead() const { return m_lines; }
    // True when the last record ran to the end of the file inside a quoted
    // field that was never closed.
    bool recordUnclosed() const { return m_unclosed; }
    // True when the last record took the number of the next line to read to
    // or past a multiple of `every` (callers that let events run every so
    // many lines ask this after each record).
    bool reachedMultipleOf(qint32 every) const { return (m_lines + 1) / every > m_recordLine / every; }
    bool error() const { return m_file.error() != QFileDevice::NoError; }
    // Where the next line begins in the file, in bytes.
    qint64 pos() const { return m_file.pos(); }
    // Goes back or on to a place that pos() answered before a record began,
    // which begins file line `line`; the record read next is the one read
    // from there before. False when the file cannot go there.
    bool seek(qint64 offset, qint32 line);
    void close() { m_file.close(); }

private:
    QFile m_file;
    bool m_first = true;
    qint32 m_lines = 0;
    qint32 m_recordLine = 0;
    bool m_unclosed = false;
};
