#pragma once

#include <QFile>
#include <QString>

// Reads an import file line by line: UTF-8 (a byte-order mark at the start
// is skipped), or Windows-1252 for a line that is not valid UTF-8; lines end
// in CR LF or LF. The file stays open while the reader lives or until close().
class ImportFileReader {
public:
    explicit ImportFileReader(const QString& path) : m_file(path) {}

    // False when the file cannot be opened for reading.
    bool open();
    bool atEnd() const { return m_file.atEnd(); }
    // The next line without its line end; false at the end of the file or on
    // a read error (error() tells which).
    bool readLine(QString& line);
    bool error() const { return m_file.error() != QFileDevice::NoError; }
    void close() { m_file.close(); }

private:
    QFile m_file;
    bool m_first = true;
};
