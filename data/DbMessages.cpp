#include "data/DbMessages.h"

namespace DbMsg {

QString unableToOpen(const QString& path, const QString& reason)
{
    const QString first = QStringLiteral("Unable to open: ") + path;
    return reason.isEmpty() ? first : first + QStringLiteral("\r\n\r\n") + reason;
}

QString rowidNotFound()
{
    return QStringLiteral("ROWID NOT FOUND: Unable to update record!");
}

QString recordLockedUpdate()
{
    return QStringLiteral("RECORD LOCKED: Unable to update record!");
}

QString recordLockedNextId()
{
    return QStringLiteral("RECORD LOCKED: Unable to get next id (locked)!");
}

QString unableToRead(qint32 rowid, const QString& path)
{
    return QStringLiteral("Unable to read row_id ") + QString::number(rowid) + QStringLiteral(" from table ")
        + path;
}

QString recordLockedDelete(const QString& path, const QString& id)
{
    return QStringLiteral("RECORD LOCKED: Unable to Delete from ") + path + QStringLiteral("(id=") + id
        + QStringLiteral(") !");
}

QString unknownRecordType(const QString& rectype)
{
    return QStringLiteral("Unknown record type '") + rectype + QStringLiteral("': nothing was saved.");
}

QString attachDirFailed(const QString& path)
{
    return QStringLiteral("Unable to create subdirectory for attachments: '") + path + QStringLiteral("'");
}

} // namespace DbMsg
