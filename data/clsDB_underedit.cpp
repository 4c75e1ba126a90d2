#include "data/clsDB.h"

#include "common/clsSystem.h"
#include "data/DbNotices.h"

namespace {

RecColl lockInfo(const QString& path, const QString& tableName, qint32 rowid)
{
    RecColl coll(path, rowid, QStringLiteral("_lockinfo"));
    coll.set(QStringLiteral("_tablename"), tableName);
    return coll;
}

} // namespace

bool clsDB::GetUnderEditInfo(const QString& path, const QString& tableName, qint32 rowid, qint32& userId,
                             QString& computerName)
{
    RecColl coll = lockInfo(path, tableName, rowid);
    if (!ReadRecord(coll, true))
        return false;
    userId = coll.value(QStringLiteral("underedit")).toInt();
    computerName = coll.text(QStringLiteral("edtstation"));
    return true;
}

bool clsDB::CheckIfRecNotUnderEdit(const QString& path, const QString& tableName, qint32 rowid)
{
    qint32 userId = 0;
    QString computerName;
    if (rowid < 1 || !GetUnderEditInfo(path, tableName, rowid, userId, computerName) || userId < 1)
        return true;
    // One's own mark is shown too: it is left over from a crash elsewhere.
    return DbWindows::current().askEditAnyway(GetUsername(userId), computerName);
}

bool clsDB::CheckIfRecExists(const QString& path, const QString& tableName, qint32 rowid, bool noMsg)
{
    qint32 userId = 0;
    QString computerName;
    if (GetUnderEditInfo(path, tableName, rowid, userId, computerName))
        return true;
    if (!noMsg)
        Sys().ShowMsg(DbNotice::recordGone(), 3, -1);
    return false;
}

bool clsDB::SetEditInfo(const QString& path, const QString& tableName, qint32 rowid, bool clear)
{
    if (rowid < 1)
        return false;
    if (clear) {
        qint32 userId = 0;
        QString computerName;
        // Another user's mark (or none) is never cleared from here.
        if (GetUnderEditInfo(path, tableName, rowid, userId, computerName) && userId != m_loginId)
            return false;
    }
    RecColl coll = lockInfo(path, tableName, rowid);
    coll.add(QStringLiteral("editoper"), clear ? QStringLiteral("C") : QStringLiteral("S"));
    return SaveRecord(coll, true);
}
