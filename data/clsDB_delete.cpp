#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

namespace {

// Switches tag-name errors off for one look-up and back on afterwards.
class QuietTagNames {
public:
    explicit QuietTagNames(CODE4* engine) : m_engine(engine) { code4errTagName(engine, 0); }
    ~QuietTagNames() { code4errTagName(m_engine, 1); }
    QuietTagNames(const QuietTagNames&) = delete;
    QuietTagNames& operator=(const QuietTagNames&) = delete;

private:
    CODE4* m_engine;
};

} // namespace

bool clsDB::CanDeleteItem(qint32 rowid, const QString& path, const QString& field)
{
    if (path.isEmpty())
        return true;
    bool result = false;
    try {
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return false;
        TAG4* tag = nullptr;
        {
            QuietTagNames quiet(m_engine);
            tag = d4tag(table.get(), field.toLatin1().constData());
        }
        if (tag) {
            check(m_engine, d4tagSelect(table.get(), tag));
            m_lastResult = check(m_engine, d4seekDouble(table.get(), rowid));
            result = m_lastResult != 0;
        } else {
            (void)code4errorCode(m_engine, 0);
            result = !RecordExistsNoTag(2, rowid, field, path, table.get());
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_CanDeleteItem"), f.error);
    }
    return result;
}

// Locks, deletes and writes through the current row. C4_LOCKED (after the
// message) when another user kept its lock.
int clsDB::deleteLocked(DATA4* table, const QString& path, const QString& id)
{
    if (changeLocked(table, [&] { check(m_engine, d4delete(table)); }) == C4_LOCKED) {
        MsgBox(DbMsg::recordLockedDelete(path, id), MsgStyle::Critical);
        return C4_LOCKED;
    }
    return 0;
}

int clsDB::changeLocked(DATA4* table, const std::function<void()>& change)
{
    m_lastResult = check(m_engine, d4lock(table, d4recNo(table)));
    if (m_lastResult == C4_LOCKED)
        return C4_LOCKED;
    try {
        change();
        m_lastResult = check(m_engine, d4flush(table));
    } catch (const Fault&) {
        (void)table->discardChanges();
        (void)d4unlock(table);
        throw;
    }
    m_lastResult = check(m_engine, d4unlock(table));
    return 0;
}

bool clsDB::DeleteRecord(qint32 rowid, const QString& path, DATA4* handle)
{
    bool result = false;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(path));
        if (!table)
            return false;
        LockAttempts attempts(m_engine);
        selectTag(table.get(), "rowid");
        m_lastResult = check(m_engine, d4seekDouble(table.get(), rowid));
        if (m_lastResult != 0)
            result = true;   // nothing to delete
        else
            result = deleteLocked(table.get(), path, QString::number(rowid)) == 0;
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_DeleteRecord"), f.error);
    }
    return result;
}

bool clsDB::DeleteAllRecords(qint32 key, const QString& path, const QString& tag, DATA4* handle)
{
    bool result = false;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(path));
        if (!table)
            return false;
        LockAttempts attempts(m_engine);
        selectTag(table.get(), tag);
        result = true;
        // A row that stays locked would be found again at once: it is
        // reported once and ends the deletion.
        while (check(m_engine, d4seekDouble(table.get(), key)) == 0) {
            if (deleteLocked(table.get(), path, QString::number(key)) == C4_LOCKED) {
                result = false;
                break;
            }
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_DeleteAllRecords"), f.error);
    }
    return result;
}

// Locks the issue's row, then each of its actions: 0 for a row that is not
// there. False, with the message, when another user kept one of them.
bool clsDB::lockIssueWithActions(qint32 issueId, DATA4* issues, DATA4* actions, long& issueRecord,
                                 QList<long>& actionRecords)
{
    const QString id = QString::number(issueId);
    selectTag(issues, "rowid");
    issueRecord = check(m_engine, d4seekDouble(issues, issueId)) == 0 ? d4recNo(issues) : 0;
    if (issueRecord > 0 && check(m_engine, d4lock(issues, issueRecord)) == C4_LOCKED) {
        MsgBox(DbMsg::recordLockedDelete(IssuesTable(), id), MsgStyle::Critical);
        return false;
    }
    selectTag(actions, "issueid");
    for (int found = check(m_engine, d4seekDouble(actions, issueId)); found == 0;
         found = check(m_engine, d4seekNextDouble(actions, issueId)))
        actionRecords.append(d4recNo(actions));
    for (const long record : std::as_const(actionRecords)) {
        if (check(m_engine, d4lock(actions, record)) == C4_LOCKED) {
            MsgBox(DbMsg::recordLockedDelete(IssuesActionsTable(), id), MsgStyle::Critical);
            return false;
        }
    }
    return true;
}

bool clsDB::deleteIssueWithActions(qint32 issueId, DATA4* issues, DATA4* actions)
{
    bool result = false;
    try {
        LockAttempts attempts(m_engine);
        long issueRecord = 0;
        QList<long> actionRecords;
        // An issue never loses its row while actions of it stay, nor the
        // other way round: nothing is deleted until every row is held.
        if (lockIssueWithActions(issueId, issues, actions, issueRecord, actionRecords)) {
            for (const long record : std::as_const(actionRecords)) {
                check(m_engine, d4go(actions, record));
                check(m_engine, d4delete(actions));
            }
            if (issueRecord > 0) {
                check(m_engine, d4go(issues, issueRecord));
                check(m_engine, d4delete(issues));
            }
            result = true;
        }
        m_lastResult = check(m_engine, d4unlock(actions));
        m_lastResult = check(m_engine, d4unlock(issues));
    } catch (const Fault& f) {
        for (DATA4* table : {actions, issues}) {
            (void)table->discardChanges();
            (void)d4unlock(table);
        }
        Sys().ShowError(QStringLiteral("clsDB_deleteIssueWithActions"), f.error);
        result = false;
    }
    return result;
}
