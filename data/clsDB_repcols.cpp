#include "data/clsDB.h"

#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "data/Schema.h"
#include "data/clsDB_internal.h"
#include "data/clsRepDispCol.h"

using namespace dbdetail;

QString clsDB::GetRptColField(qint32 id, const QString& field, qint32 kind, DATA4* handle)
{
    QString result;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(ReportColumnsTable()));
        if (!table)
            return result;
        FIELD4* f = needField(table.get(), field);
        selectTag(table.get(), "rowid");
        m_lastResult = check(m_engine, d4seekDouble(table.get(), id));
        if (m_lastResult == 0) {
            if (kind == Schema::fkText)
                result = trimBlanks(fieldText(f));
            else if (kind == Schema::fkWhole)
                result = QString::number(f4long(f));
        }
    } catch (const Fault& f) {
        result.clear();
        Sys().ShowError(QStringLiteral("clsDB_GetRptColField"), f.error);
    }
    return result;
}

QString clsDB::RptColumnName(qint32 id)
{
    return GetRptColField(id, QStringLiteral("name"), Schema::fkText, nullptr);
}

std::optional<DbListRows> clsDB::rptColumnRows(const QString& reportType, const QString& purpose)
{
    DbListRows rows;
    try {
        TableUse table(nullptr, OpenTable(ReportColumnsTable()));
        if (!table)
            return std::nullopt;
        DATA4* t = table.get();
        FIELD4* rowid = needField(t, "rowid");
        const WaitCursor busy;
        selectTag(t, "order");
        clsRepDispCol col;
        for (int rc = check(m_engine, d4top(t)); rc == 0; rc = check(m_engine, d4skip(t, 1))) {
            col.Init(qint32(f4long(rowid)), t);
            if (col.rpttype == reportType && col.purpose == purpose)
                rows.append(DbListRow{col.ColID, Sys().RemoveLastChar(col.name, QStringLiteral(":"))});
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_LBLoadRptColumns"), f.error);
    }
    return rows;
}

qint32 clsDB::RptFilterGetCatType(qint32 id)
{
    qint32 result = -1;
    try {
        TableUse table(nullptr, OpenTable(ReportColumnsTable()));
        if (!table)
            return result;
        const WaitCursor busy;
        selectTag(table.get(), "rowid");
        m_lastResult = check(m_engine, d4seekDouble(table.get(), id));
        if (m_lastResult == 0)
            result = qint32(f4long(needField(table.get(), "cattype")));
    } catch (const Fault& f) {
        result = -1;
        Sys().ShowError(QStringLiteral("clsDB_RptFilterGetCatType"), f.error);
    }
    return result;
}

qint32 clsDB::CopyReport(qint32 reportId)
{
    const QString rectype = QStringLiteral("_rptdef");
    RecColl source(ReportTable(), reportId, rectype);
    if (!ReadRecord(source, false))
        return -1;
    RecColl copy(ReportTable(), -1, rectype);
    copy.add(QStringLiteral("title"), QStringLiteral("Copy of ") + source.text(QStringLiteral("title")));
    for (const char* field : {"type", "def", "notes"})
        copy.add(QLatin1String(field), source.text(QLatin1String(field)));
    if (!SaveRecord(copy, false))
        return -1;
    return copy.value(QStringLiteral("_rowid")).toInt();
}

bool clsDB::CustomerHasPS(qint32 custId, qint32 psId, DATA4* customerPs)
{
    if (!customerPs)
        return false;
    try {
        FIELD4* psid = needField(customerPs, "psid");
        selectTag(customerPs, "custid");
        for (int rc = check(m_engine, d4seekDouble(customerPs, custId)); rc == 0;
             rc = check(m_engine, d4seekNextDouble(customerPs, custId))) {
            if (f4long(psid) == psId)
                return true;
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_CustomerHasPS"), f.error);
    }
    return false;
}

QString clsDB::CustomerPS(qint32 custId, DATA4* customerPs, DATA4* categories)
{
    QString result;
    if (!customerPs || !categories)
        return result;
    try {
        FIELD4* psid = needField(customerPs, "psid");
        selectTag(customerPs, "custid");
        bool first = true;
        for (int rc = check(m_engine, d4seekDouble(customerPs, custId)); rc == 0;
             rc = check(m_engine, d4seekNextDouble(customerPs, custId))) {
            if (!first)
                result += QLatin1Char(';');
            first = false;
            result += GetCategoryDesc(qint32(f4long(psid)), categories);
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_CustomerPS"), f.error);
    }
    return result;
}
