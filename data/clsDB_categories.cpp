#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/Schema.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

qint32 clsDB::AddCategory(const QString& text, qint32 type, DATA4* handle)
{
    return appendNamedRow(handle, Schema::dataFileName(Schema::Table::Cat), "desc", text, type,
                          QStringLiteral("clsDB_AddCategory"));
}

qint32 clsDB::AddNamedRow(const QString& tableFile, const QString& textField, const QString& text, DATA4* handle)
{
    const QByteArray field = textField.toLatin1();
    return appendNamedRow(handle, tableFile, field.constData(), text, std::nullopt,
                          QStringLiteral("clsDB_AddNamedRow"));
}

qint32 clsDB::appendNamedRow(DATA4* handle, const QString& tableFile, const char* textField, const QString& text,
                             std::optional<qint32> type, const QString& errorLabel)
{
    if (text.isEmpty() || !handle)
        return -1;
    qint32 result = -1;
    try {
        const qint32 id = GetNextID(tableFile);
        if (id <= 0)
            return -1;
        check(m_engine, d4appendStartVB(handle, 0));
        check(m_engine, d4blank(handle));
        check(m_engine, f4assignDouble(needField(handle, "rowid"), id));
        if (type)
            check(m_engine, f4assignDouble(needField(handle, "type"), *type));
        assignText(needField(handle, textField), text);
        m_lastResult = d4append(handle);
        if (m_lastResult != 0) {
            // A row that never reached the file has no identifier to hand out.
            (void)handle->discardChanges();
            check(m_engine, m_lastResult);
            MsgBox(DbMsg::recordLockedUpdate(), MsgStyle::Critical);
            return -1;
        }
        m_lastResult = check(m_engine, d4flush(handle));
        m_lastResult = check(m_engine, d4unlock(handle));
        result = id;
    } catch (const Fault& f) {
        (void)handle->discardChanges();
        (void)d4unlock(handle);
        Sys().ShowError(errorLabel, f.error);
    }
    return result;
}

bool clsDB::NewCustomerRecColl(RecColl& coll) const
{
    coll.add(QStringLiteral("_tablepath"), CustomerTable());
    coll.add(QStringLiteral("_tablename"), Schema::dataFileName(Schema::Table::Cust));
    coll.add(QStringLiteral("_rowid"), -1);
    coll.add(QStringLiteral("_rectype"), QStringLiteral("_customer"));
    // The reader's order: the memos come last.
    for (const Schema::KindField& f : Schema::recordType(QStringLiteral("_customer"))->reads)
        coll.add(QLatin1String(f.name), f.kind == Schema::fkWhole ? QVariant(0) : QVariant(QString()));
    return true;
}

RunError clsDB::TakeEngineError(int code)
{
    RunError error = engineError(m_engine, code);
    if (m_engine)
        (void)code4errorCode(m_engine, 0);
    return error;
}

clsDB::ItemWrite clsDB::UpdateItemText(DATA4* table, const QString& keyField, const QString& textField, qint32 rowid,
                                       const QString& text, RunError& error)
{
    if (!table)
        return ItemWrite::Failed;
    try {
        // Like every other write: a row another user keeps locked is given
        // up after the database's few attempts, not waited for without end.
        LockAttempts attempts(m_engine);
        selectTag(table, keyField);
        m_lastResult = check(m_engine, d4seekDouble(table, rowid));
        if (m_lastResult != 0)
            return ItemWrite::NotFound;
        if (changeLocked(table, [&] { assignText(needField(table, textField), text); }) == C4_LOCKED)
            return ItemWrite::Locked;
    } catch (const Fault& f) {
        error = f.error;
        return ItemWrite::Failed;
    }
    return ItemWrite::Written;
}

bool clsDB::UpdateListItem(DATA4* table, const QString& tableFile, const QString& keyField, const QString& textField,
                           qint32 rowid, const QString& text, const QString& errorLabel)
{
    RunError error;
    switch (UpdateItemText(table, keyField, textField, rowid, text, error)) {
    case ItemWrite::Written:
        return true;
    case ItemWrite::Locked:
        MsgBox(QStringLiteral("RECORD LOCKED: Unable to update ") + tableFile + QLatin1Char('!'), MsgStyle::Critical);
        break;
    case ItemWrite::NotFound:
        MsgBox(QStringLiteral("Unable to update this item in table ") + tableFile
                   + QStringLiteral("! It may have been deleted by another user. Press Refresh to get the latest list."),
               MsgStyle::Critical);
        break;
    case ItemWrite::Failed:
        Sys().ShowError(errorLabel, error);
        break;
    }
    return false;
}
