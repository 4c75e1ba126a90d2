#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/Schema.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

bool clsDB::ReadRecord(RecColl& coll, bool quiet)
{
    bool result = false;
    try {
        const QString path = needText(coll, QStringLiteral("_tablepath"));
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return false;
        const qint32 rowid = needLong(coll, QStringLiteral("_rowid"));
        selectTag(table.get(), "rowid");
        m_lastResult = check(m_engine, d4seekDouble(table.get(), rowid));
        if (m_lastResult == 0)
            result = ReadFields(coll, table.get(), rowid);
        else if (!quiet)
            MsgBox(DbMsg::unableToRead(rowid, path), MsgStyle::Critical);
        m_lastResult = table.close();
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_ReadRecord"), f.error);
    }
    return result;
}

bool clsDB::ReadFields(RecColl& coll, DATA4* handle, qint32 rowid)
{
    const QString rectype = needText(coll, QStringLiteral("_rectype"));
    using Reader = bool (clsDB::*)(RecColl&, DATA4*, qint32);
    static const std::pair<const char*, Reader> readers[] = {
        {"_userinfo", &clsDB::ReadFields_UserInfo},
        {"_lastedit", &clsDB::ReadFields_LastEdit},
        {"_lockinfo", &clsDB::ReadFields_LockInfo},
        {"_customer", &clsDB::ReadFields_Customer},
        {"_ps", &clsDB::ReadFields_Customer2PS},
        {"_issue", &clsDB::ReadFields_Customer2Issue},
        {"_issuetemplate", &clsDB::ReadFields_IssueTemplate},
        {"_rptdef", &clsDB::ReadFields_ReportDef},
    };
    for (const auto& [name, reader] : readers)
        if (rectype == QLatin1String(name))
            return (this->*reader)(coll, handle, rowid);
    return false;
}

// Every reader adds the fields of its record type's list, in order.
bool clsDB::readFields(RecColl& coll, DATA4* handle, const char* rectype)
{
    const Schema::RecordType& rt = *Schema::recordType(QLatin1String(rectype));
    for (const Schema::KindField& f : rt.reads) {
        FIELD4* field = needField(handle, f.name);
        QVariant value;
        if (f.kind == Schema::fkWhole)
            value = qint32(f4long(field));
        else if (f.kind == Schema::fkMemo)
            value = trimBlanks(memoText(field));
        else
            value = trimBlanks(fieldText(field));
        addEntry(coll, QLatin1String(f.name), value);
    }
    return true;
}

bool clsDB::ReadFields_ReportDef(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_rptdef");
}

bool clsDB::ReadFields_Customer2Issue(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_issue");
}

bool clsDB::ReadFields_IssueTemplate(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_issuetemplate");
}

bool clsDB::ReadFields_Customer2PS(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_ps");
}

bool clsDB::ReadFields_Customer(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_customer");
}

bool clsDB::ReadFields_UserInfo(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_userinfo");
}

bool clsDB::ReadFields_LastEdit(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_lastedit");
}

bool clsDB::ReadFields_LockInfo(RecColl& coll, DATA4* handle, qint32)
{
    return readFields(coll, handle, "_lockinfo");
}

