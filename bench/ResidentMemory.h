#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>

namespace bench {

// Resident memory of the process in bytes (0 when /proc cannot tell).
inline long long residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace bench
