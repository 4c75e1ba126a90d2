#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

namespace {

void assignMemo(CODE4* engine, FIELD4* field, const QString& text)
{
    const std::string bytes = toWin1252(text);
    check(engine, f4memoAssignN(field, bytes.data(), uint32_t(bytes.size())));
}

} // namespace

QString clsDB::GetParamValue(const QString& key)
{
    QString result;
    try {
        TableUse table(nullptr, OpenTable(ParamTable()));
        if (!table)
            return result;
        selectTag(table.get(), "sid");
        // The label of "emailname" is not that of "emailname2".
        m_lastResult = seekExact(table.get(), upperWin1252(key), needField(table.get(), "sid"));
        if (m_lastResult == 0)
            result = trimBlanks(memoText(needField(table.get(), "value")));
    } catch (const Fault& f) {
        result.clear();
        Sys().ShowError(QStringLiteral("clsDB_GetParamValue"), f.error);
    }
    return result;
}

bool clsDB::SetParamValue(const QString& key, const QString& value)
{
    bool result = false;
    try {
        TableUse table(nullptr, OpenTable(ParamTable()));
        if (!table)
            return false;
        // As every write of this object: a bounded wait, then a message.
        LockAttempts attempts(m_engine);
        DATA4* t = table.get();
        selectTag(t, "sid");
        const QString sid = upperWin1252(key);
        try {
            m_lastResult = seekExact(t, sid, needField(t, "sid"));
            result = m_lastResult == 0 ? storeParam(t, value) : appendParam(t, sid, value);
        } catch (const Fault&) {
            (void)t->discardChanges();
            (void)d4unlock(t);
            throw;
        }
        if (table.close() < 0)
            raiseEngine(m_engine, C4_ERR_IO);
    } catch (const Fault& f) {
        result = false;
        Sys().ShowError(QStringLiteral("clsDB_SetParamValue"), f.error);
    }
    return result;
}

// Writes the value into the current row under its lock.
bool clsDB::storeParam(DATA4* table, const QString& value)
{
    m_lastResult = check(m_engine, d4lock(table, d4recNo(table)));
    if (m_lastResult == C4_LOCKED) {
        MsgBox(DbMsg::recordLockedUpdate(), MsgStyle::Critical | MsgStyle::OkOnly);
        return false;
    }
    assignMemo(m_engine, needField(table, "value"), value);
    m_lastResult = check(m_engine, d4flush(table));
    m_lastResult = check(m_engine, d4unlock(table));
    return true;
}

// A new key is added under the append lock and after a second look, so that
// two users adding the same key at once end with one row.
bool clsDB::appendParam(DATA4* table, const QString& key, const QString& value)
{
    AppendLock lock(m_engine, table);
    if (lock.status().isLocked()) {
        MsgBox(DbMsg::recordLockedUpdate(), MsgStyle::Critical | MsgStyle::OkOnly);
        return false;
    }
    if (!lock.status().isOk())
        raise(C4_ERR_LOCK, QString::fromStdString(lock.status().toString()));
    FIELD4* sid = needField(table, "sid");
    if (seekExact(table, key, sid) == 0) {
        lock.release();
        return storeParam(table, value);
    }
    check(m_engine, d4appendStartVB(table, 0));
    check(m_engine, d4blank(table));
    assignText(sid, key);
    assignMemo(m_engine, needField(table, "value"), value);
    m_lastResult = d4append(table);
    if (m_lastResult != 0) {
        (void)table->discardChanges();
        check(m_engine, m_lastResult);
        MsgBox(DbMsg::recordLockedUpdate(), MsgStyle::Critical | MsgStyle::OkOnly);
        return false;
    }
    m_lastResult = check(m_engine, d4flush(table));
    m_lastResult = check(m_engine, d4unlock(table));
    return true;
}

QString clsDB::MakeCustomFieldParamName(const QString& tableFile, const QString& field) const
{
    return tableFile + QLatin1Char('_') + field;
}
