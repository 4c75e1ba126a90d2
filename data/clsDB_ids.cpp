#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/clsDB_internal.h"

#include <limits>

using namespace dbdetail;

qint32 clsDB::GetNextID(const QString& tableName)
{
    qint32 result = -1;
    try {
        if (m_keepIds && !m_heldIds)
            m_heldIds = OpenTable(LastIDTable());
        TableUse ids(m_heldIds, m_heldIds ? nullptr : OpenTable(LastIDTable()));
        if (!ids)
            return -1;
        selectTag(ids.get(), "TBLNAME");
        m_lastResult = seekExact(ids.get(), tableName, needField(ids.get(), "tblname"));
        result = m_lastResult == 0 ? advanceId(ids.get()) : createIdRow(ids.get(), tableName);
        if (ids.close() < 0)
            raiseEngine(m_engine, C4_ERR_IO);
    } catch (const Fault& f) {
        result = -1;
        KeepIdTableOpen(false);   // a held table that failed is not used again
        Sys().ShowError(QStringLiteral("clsDB_GetNextID"), f.error);
    }
    return result;
}

void clsDB::KeepIdTableOpen(bool keep)
{
    m_keepIds = keep;
    if (!keep && m_heldIds) {
        DATA4* held = m_heldIds;
        m_heldIds = nullptr;
        (void)d4close(held);
    }
}

// Locks the identifier row, hands out its identifier and advances it.
qint32 clsDB::advanceId(DATA4* ids)
{
    m_lastResult = check(m_engine, d4lock(ids, d4recNo(ids)));
    if (m_lastResult == C4_LOCKED) {
        MsgBox(DbMsg::recordLockedNextId(), MsgStyle::Critical);
        return 0;
    }
    FIELD4* lastid = needField(ids, "lastid");
    // Read under the lock: the stored value, not one read before it.
    const long id = f4long(lastid);
    if (id >= std::numeric_limits<qint32>::max() || id < 1) {
        (void)d4unlock(ids);
        raise(6, QStringLiteral("Overflow"));
    }
    check(m_engine, f4assignLong(lastid, id + 1));
    m_lastResult = check(m_engine, d4flush(ids));
    m_lastResult = check(m_engine, d4unlock(ids));
    return qint32(id);
}

// The table's first identifier. The row is created under the append lock and
// after a second look, so that two users starting the same table at once
// never both receive 1000.
qint32 clsDB::createIdRow(DATA4* ids, const QString& tableName)
{
    AppendLock lock(m_engine, ids);
    if (lock.status().isLocked()) {
        MsgBox(DbMsg::recordLockedNextId(), MsgStyle::Critical);
        return 0;
    }
    if (!lock.status().isOk())
        raise(C4_ERR_LOCK, QString::fromStdString(lock.status().toString()));
    FIELD4* tblname = needField(ids, "tblname");
    if (seekExact(ids, tableName, tblname) == 0) {
        // Another user created it meanwhile: take the next one as usual.
        lock.release();
        return advanceId(ids);
    }
    check(m_engine, d4appendStartVB(ids, 0));
    check(m_engine, d4blank(ids));
    check(m_engine, f4assignDouble(needField(ids, "lastid"), 1001));
    assignText(tblname, tableName);
    m_lastResult = check(m_engine, d4append(ids));
    if (m_lastResult == C4_LOCKED) {
        (void)ids->discardChanges();
        MsgBox(DbMsg::recordLockedNextId(), MsgStyle::Critical);
        return 0;
    }
    m_lastResult = check(m_engine, d4flush(ids));
    m_lastResult = check(m_engine, d4unlock(ids));
    return 1000;
}

qint32 clsDB::peekNextId(const QString& tableName)
{
    qint32 result = -1;
    try {
        TableUse ids(nullptr, OpenTable(LastIDTable()));
        if (!ids)
            return -1;
        selectTag(ids.get(), "TBLNAME");
        m_lastResult = seekExact(ids.get(), tableName, needField(ids.get(), "tblname"));
        result = m_lastResult == 0 ? qint32(f4long(needField(ids.get(), "lastid"))) : 1000;
    } catch (const Fault& f) {
        result = -1;
        Sys().ShowError(QStringLiteral("clsDB_GetNextID"), f.error);
    }
    return result;
}

bool clsDB::advanceIdPast(const QString& tableName, qint32 lastUsed)
{
    try {
        TableUse ids(nullptr, OpenTable(LastIDTable()));
        if (!ids)
            return false;
        LockAttempts attempts(m_engine);
        DATA4* t = ids.get();
        selectTag(t, "TBLNAME");
        FIELD4* tblname = needField(t, "tblname");
        FIELD4* lastid = needField(t, "lastid");
        AppendLock appendLock(m_engine, t);
        if (appendLock.status().isLocked()) {
            MsgBox(DbMsg::recordLockedNextId(), MsgStyle::Critical);
            return false;
        }
        if (!appendLock.status().isOk())
            raise(C4_ERR_LOCK, QString::fromStdString(appendLock.status().toString()));
        if (seekExact(t, tableName, tblname) != 0) {
            check(m_engine, d4appendStartVB(t, 0));
            check(m_engine, d4blank(t));
            assignText(tblname, tableName);
            check(m_engine, f4assignLong(lastid, lastUsed + 1));
            m_lastResult = check(m_engine, d4append(t));
        } else {
            appendLock.release();
            m_lastResult = check(m_engine, d4lock(t, d4recNo(t)));
            if (m_lastResult == C4_LOCKED) {
                MsgBox(DbMsg::recordLockedNextId(), MsgStyle::Critical);
                return false;
            }
            // Read under the lock: another user may have moved it meanwhile.
            if (f4long(lastid) <= lastUsed)
                check(m_engine, f4assignLong(lastid, lastUsed + 1));
        }
        m_lastResult = check(m_engine, d4flush(t));
        m_lastResult = check(m_engine, d4unlock(t));
        appendLock.release();
        return ids.close() == 0;
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_AddBulkIssues"), f.error);
    }
    return false;
}
