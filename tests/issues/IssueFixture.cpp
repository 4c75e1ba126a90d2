#include "IssueFixture.h"

#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "issues/IssueWindows.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

IssueFixture::IssueFixture()
{
    registerIssueWindows();
    m_cust = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")},
                          {QStringLiteral("emailname"), QStringLiteral("info@acme.test")}});
    m_hardware = addCategory(QStringLiteral("Hardware"), 2);
    m_actionKind = addCategory(QStringLiteral("Phone call"), 106);
}

frmIssue* IssueFixture::openIssue(qint32 issueId, qint32 custId, bool editMode, qint32 templateId)
{
    m_main.ShowIssue(issueId, custId, editMode, templateId);
    QWidget* window = nullptr;
    SysUI().GetFormWithTag(QStringLiteral("I%1").arg(issueId), window);
    return dynamic_cast<frmIssue*>(window);
}

qint32 IssueFixture::addStoredIssue(const QString& shortDesc, qint32 assignedTo)
{
    const qint32 id = addIssue(m_cust, shortDesc);
    pokeField(DB().IssuesTable(), id, "psid", m_hardware);
    pokeField(DB().IssuesTable(), id, "assignedto", assignedTo);
    pokeField(DB().IssuesTable(), id, "priority", 452);
    pokeField(DB().IssuesTable(), id, "status", 401);
    return id;
}

qint32 IssueFixture::addAction(qint32 issueId, const QString& duration, qint32 perfby, const QString& notes,
                               qint32 action)
{
    RecColl coll(DB().IssuesActionsTable(), -1, QStringLiteral("_issueaction"));
    coll.add(QStringLiteral("issueid"), issueId);
    coll.add(QStringLiteral("date"), QStringLiteral("3/10/2024"));
    coll.add(QStringLiteral("action"), action > 0 ? action : m_actionKind);
    coll.add(QStringLiteral("perfby"), perfby);
    coll.add(QStringLiteral("desc"), QStringLiteral("Called back"));
    coll.add(QStringLiteral("duration"), duration);
    coll.add(QStringLiteral("notes"), notes);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return coll.value(QStringLiteral("_rowid")).toInt();
}

qint32 IssueFixture::addTemplate(const QList<std::pair<QString, QVariant>>& fields)
{
    RecColl coll(DB().IssuesTemplatesTable(), -1, QStringLiteral("_issuetemplate"));
    for (const char* name : {"psid", "shortdesc", "custom1", "custom2", "assignedto", "priority", "status",
                             "issuecat", "desc", "resolution"})
        coll.add(QString::fromLatin1(name), QString());
    for (const auto& [name, value] : fields)
        coll.set(name, value);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return coll.value(QStringLiteral("_rowid")).toInt();
}

qint32 IssueFixture::addNamedTemplate(const QString& name, const QList<std::pair<const char*, QVariant>>& fields)
{
    DATA4* table = DB().OpenTable(DB().IssuesTemplatesTable());
    EXPECT_NE(table, nullptr);
    const qint32 id = DB().AddNamedRow(QStringLiteral("bccitempl.dbf"), QStringLiteral("name"), name, table);
    d4close(table);
    EXPECT_GT(id, 0);
    if (fields.isEmpty())
        return id;
    RecColl coll(DB().IssuesTemplatesTable(), id, QStringLiteral("_issuetemplate"));
    EXPECT_TRUE(DB().ReadRecord(coll, false));
    for (const auto& [field, value] : fields)
        coll.set(QString::fromLatin1(field), value);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return id;
}

QList<QStringList> IssueFixture::dumpedRows(const QString& path)
{
    const bmtest::ToolRun run = bmtest::runBmtool({QStringLiteral("dump"), path});
    EXPECT_EQ(run.exitCode, 0) << run.all().toStdString();
    QList<QStringList> rows;
    for (const QString& line : run.out.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1String("ROWID:"), Qt::CaseInsensitive))
            rows.append(QStringList());
        if (!rows.isEmpty() && !t.isEmpty())
            rows.last().append(t);
    }
    return rows;
}

QString IssueFixture::field(const QStringList& row, const QString& name)
{
    for (const QString& line : row) {
        if (line.section(QLatin1Char(':'), 0, 0).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.section(QLatin1Char(':'), 1).trimmed();
    }
    return QStringLiteral("<none>");
}

RecColl IssueFixture::readIssue(qint32 id)
{
    RecColl coll(DB().IssuesTable(), id, QStringLiteral("_issue"));
    EXPECT_TRUE(DB().ReadRecord(coll, true));
    return coll;
}

QString IssueFixture::rowMark(const QString& path, qint32 id)
{
    RecColl coll(path, id, QStringLiteral("_lockinfo"));
    if (!DB().ReadRecord(coll, true))
        return QStringLiteral("?");
    return coll.text(QStringLiteral("underedit")).trimmed() + QLatin1Char('|')
           + coll.text(QStringLiteral("edtstation")).trimmed();
}

QWidget* IssueFixture::nextAmong(const QList<QWidget*>& chain, QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (!chain.contains(next) && next != from)
        next = next->nextInFocusChain();
    return next;
}

QString IssueFixture::issueMark(qint32 id) { return rowMark(DB().IssuesTable(), id); }

QString IssueFixture::templateMark(qint32 id) { return rowMark(DB().IssuesTemplatesTable(), id); }

int IssueFixture::actionCount(qint32 issueId)
{
    DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
    if (!table)
        return -1;
    d4tagSelect(table, d4tag(table, "issueid"));
    int count = 0;
    for (int found = d4seekDouble(table, issueId); found == 0; found = d4seekNextDouble(table, issueId))
        ++count;
    d4close(table);
    return count;
}
