#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/Schema.h"
#include "data/clsDB_internal.h"

#include <cerrno>
#include <cstring>

using namespace dbdetail;

namespace {

// The file that a failed open names: the table's index or memo file when
// the engine's message names one of them, else the table file.
QString failedFile(const QString& message, const QString& tablePath)
{
    const QString base = tablePath.endsWith(QLatin1String(".dbf"), Qt::CaseInsensitive) ? tablePath.chopped(4)
                                                                                         : tablePath;
    for (const QString& ext : {QStringLiteral(".cdx"), QStringLiteral(".fpt")}) {
        const qsizetype at = message.indexOf(base + ext, 0, Qt::CaseInsensitive);
        if (at >= 0)
            return message.mid(at, base.size() + ext.size());
    }
    return tablePath;
}

// What was wrong with the file, in a few plain words.
QString openFailureReason(const xbase::Status& status)
{
    const QString message = QString::fromLocal8Bit(status.message());
    const qsizetype colon = message.lastIndexOf(QLatin1String(": "));
    const QString detail = colon >= 0 ? message.mid(colon + 2) : message;
    if (status.isNotFound())
        return QStringLiteral("The file is missing.");
    if (status.isCorruption())
        return QStringLiteral("The file is damaged (") + detail + QStringLiteral(").");
    if (status.isLocked())
        return QStringLiteral("The file is locked by another program.");
    if (detail == QString::fromLocal8Bit(std::strerror(EACCES)) || detail == QString::fromLocal8Bit(std::strerror(EROFS)))
        return QStringLiteral("The file is read-only or may not be written to.");
    return QStringLiteral("The system reports: ") + detail + QLatin1Char('.');
}

} // namespace

DATA4* clsDB::OpenTable(const QString& path)
{
    DATA4* table = m_engine ? d4open(m_engine, path.toLocal8Bit().constData()) : nullptr;
    if (!table) {
        QString file = path;
        QString reason;
        if (m_engine) {
            const xbase::Status& status = m_engine->lastError();
            file = failedFile(QString::fromLocal8Bit(status.message()), path);
            reason = openFailureReason(status);
        }
        MsgBox(DbMsg::unableToOpen(file, reason), MsgStyle::Critical | MsgStyle::OkOnly);
        if (m_engine)
            m_lastResult = code4errorCode(m_engine, 0);
    }
    return table;
}

namespace {

// The entries a record type's writer reads, so that a save can refuse a
// collection that lacks one before anything is written.
QStringList writerEntries(const Schema::RecordType& rt)
{
    const QString name = QLatin1String(rt.name);
    if (name == QLatin1String("_lockinfo"))
        return {QStringLiteral("editoper")};
    QStringList keys;
    for (const Schema::KindField& f : rt.writes)
        keys.append(QLatin1String(f.name));
    // The user writer stores the login's password form, never the entry.
    if (name == QLatin1String("_userinfo"))
        keys.removeAll(QStringLiteral("password"));
    return keys;
}

void checkWriterEntries(const RecColl& coll, const Schema::RecordType& rt)
{
    for (const QString& key : writerEntries(rt))
        (void)need(coll, key);
}

} // namespace

bool clsDB::SaveRecord(RecColl& coll, bool quiet, DATA4* handle)
{
    bool result = false;
    const Schema::RecordType* rt = Schema::recordType(coll.text(QStringLiteral("_rectype")));
    if (!rt || rt->writes.empty()) {
        // Nothing is opened, issued or appended for a type nobody writes.
        MsgBox(DbMsg::unknownRecordType(coll.text(QStringLiteral("_rectype"))), MsgStyle::Critical);
        return false;
    }
    try {
        checkWriterEntries(coll, *rt);
        const qint32 rowid = needLong(coll, QStringLiteral("_rowid"));
        TableUse table(handle, handle ? nullptr : OpenTable(needText(coll, QStringLiteral("_tablepath"))));
        if (!table)
            return false;
        LockAttempts attempts(m_engine);
        try {
            result = rowid >= 1 ? saveExisting(coll, table.get(), rowid, quiet) : saveNew(coll, table.get(), attempts.before());
        } catch (const Fault&) {
            // Fields assigned before the fault never reach the file.
            (void)table.get()->discardChanges();
            (void)d4unlock(table.get());
            throw;
        }
        if (table.close() < 0)
            raiseEngine(m_engine, C4_ERR_IO);
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_SaveRecord"), f.error);
    }
    return result;
}

bool clsDB::saveExisting(RecColl& coll, DATA4* table, qint32 rowid, bool quiet)
{
    selectTag(table, "rowid");
    m_lastResult = check(m_engine, d4seekDouble(table, rowid));
    if (m_lastResult != 0) {
        if (!quiet)
            MsgBox(DbMsg::rowidNotFound(), MsgStyle::Critical);
        return false;
    }
    m_lastResult = check(m_engine, d4lock(table, d4recNo(table)));
    if (m_lastResult == C4_LOCKED) {
        MsgBox(DbMsg::recordLockedUpdate(), MsgStyle::Critical);
        return false;
    }
    const bool result = UpdateFields(coll, table, rowid, false);
    m_lastResult = check(m_engine, d4flush(table));
    m_lastResult = check(m_engine, d4unlock(table));
    return result;
}

bool clsDB::saveNew(RecColl& coll, DATA4* table, int standingAttempts)
{
    const qint32 rowid = GetNextID(needText(coll, QStringLiteral("_tablename")));
    coll.remove(QStringLiteral("_rowid"));
    coll.add(QStringLiteral("_rowid"), rowid);
    if (rowid < 1)
        return false;
    check(m_engine, d4appendStartVB(table, 0));
    check(m_engine, d4blank(table));
    bool result = UpdateFields(coll, table, rowid, true);
    // The append lock is held only for the moment of one append, so waiting
    // for it always ends; with ten tries a busy moment could lose the row.
    code4lockAttempts(m_engine, standingAttempts);
    m_lastResult = d4append(table);
    code4lockAttempts(m_engine, 10);
    if (m_lastResult == C4_LOCKED) {
        (void)table->discardChanges();
        MsgBox(DbMsg::recordLockedUpdate(), MsgStyle::Critical);
        return false;
    }
    check(m_engine, m_lastResult);
    m_lastResult = check(m_engine, d4flush(table));
    m_lastResult = check(m_engine, d4unlock(table));
    return result;
}

bool clsDB::UpdateFields(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew)
{
    const QString rectype = needText(coll, QStringLiteral("_rectype"));
    using Writer = bool (clsDB::*)(RecColl&, DATA4*, qint32, bool);
    static const std::pair<const char*, Writer> writers[] = {
        {"_userinfo", &clsDB::UpdateFields_UserInfo},
        {"_setpwd", &clsDB::UpdateFields_SetPassword},
        {"_lockinfo", &clsDB::UpdateFields_LockInfo},
        {"_newcustomer", &clsDB::UpdateFields_NewCustomer},
        {"_customer", &clsDB::UpdateFields_Customer},
        {"_ps", &clsDB::UpdateFields_Customer2PS},
        {"_issue", &clsDB::UpdateFields_Customer2Issue},
        {"_issuetemplate", &clsDB::UpdateFields_IssueTemplate},
        {"_rptdef", &clsDB::UpdateFields_ReportDef},
        {"_issueaction", &clsDB::UpdateFields_Issue2Action},
    };
    for (const auto& [name, writer] : writers) {
        if (rectype != QLatin1String(name))
            continue;
        if (isNew)
            check(m_engine, f4assignLong(needField(handle, "rowid"), rowid));
        return (this->*writer)(coll, handle, rowid, isNew);
    }
    return false;
}
