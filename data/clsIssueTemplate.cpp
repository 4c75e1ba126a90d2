#include "data/clsIssueTemplate.h"

#include "data/Schema.h"
#include "data/clsDB.h"

bool clsIssueTemplate::Init(qint32 TemplateID)
{
    if (TemplateID < 1)
        return false;
    const QString path = DB().IssuesTemplatesTable();
    const QString file = Schema::dataFileName(Schema::Table::ITempl);
    if (!DB().CheckIfRecExists(path, file, TemplateID, false))
        return false;
    m_coll.clear();
    m_coll.set(QStringLiteral("_tablepath"), path);
    m_coll.set(QStringLiteral("_tablename"), file);
    m_coll.set(QStringLiteral("_rowid"), TemplateID);
    m_coll.set(QStringLiteral("_rectype"), QStringLiteral("_issuetemplate"));
    return DB().ReadRecord(m_coll, false);
}

qint32 clsIssueTemplate::number(const char* field) const
{
    return m_coll.value(QString::fromLatin1(field)).toInt();
}

QString clsIssueTemplate::text(const char* field) const
{
    return m_coll.text(QString::fromLatin1(field));
}
