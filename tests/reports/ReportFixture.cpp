#include "ReportFixture.h"

#include "data/CategoryTypes.h"

namespace bmtest {

void ReportTest::SetUp()
{
    DataTest::SetUp();
    if (IsSkipped())
        return;
    m_gold = category(CatType::CustomerCategory, QStringLiteral("Gold"));
    m_silver = category(CatType::CustomerCategory, QStringLiteral("Silver"));
    m_ohio = category(CatType::State, QStringLiteral("Ohio"));
    m_texas = category(CatType::State, QStringLiteral("Texas"));
    m_support = category(CatType::ProductService, QStringLiteral("Support"));
    m_hosting = category(CatType::ProductService, QStringLiteral("Hosting"));
}

int ReportTest::category(int type, const QString& text)
{
    DATA4* cats = m_db.OpenTable(m_db.CategoryTable());
    const int id = cats ? m_db.AddCategory(text, type, cats) : -1;
    if (cats)
        d4close(cats);
    EXPECT_GT(id, 0);
    return id;
}

int ReportTest::customer(const QString& last, const QString& first, int custcat, int state)
{
    const int id = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"),
                           {{QStringLiteral("lastname"), last},
                            {QStringLiteral("firstname"), first},
                            {QStringLiteral("custcat"), QString::number(custcat)},
                            {QStringLiteral("state"), QString::number(state)},
                            {QStringLiteral("country"), QStringLiteral("0")}});
    EXPECT_GT(id, 0);
    return id;
}

void ReportTest::owns(int custId, int psCategory)
{
    EXPECT_GT(saveNew(m_db.Customers2PSTable(), QStringLiteral("_ps"),
                      {{QStringLiteral("custid"), QString::number(custId)},
                       {QStringLiteral("psid"), QString::number(psCategory)}}),
              0);
}

int ReportTest::issue(int custId, int status, const QString& submitted, const QString& text)
{
    const int id = saveNew(m_db.IssuesTable(), QStringLiteral("_issue"),
                           {{QStringLiteral("custid"), QString::number(custId)},
                            {QStringLiteral("status"), QString::number(status)},
                            {QStringLiteral("assignedto"), QStringLiteral("1000")},
                            {QStringLiteral("submitdt"), submitted},
                            {QStringLiteral("shortdesc"), text}});
    EXPECT_GT(id, 0);
    return id;
}

int ReportTest::report(const QString& type, const QString& def, const QString& title)
{
    const int id = saveNew(m_db.ReportTable(), QStringLiteral("_rptdef"),
                           {{QStringLiteral("title"), title},
                            {QStringLiteral("type"), type},
                            {QStringLiteral("def"), def}});
    EXPECT_GT(id, 0);
    return id;
}

QStringList ReportTest::run(int reportId, Progress* progress)
{
    NoProgress none;
    if (!m_run.LoadData(reportId))
        return {QStringLiteral("<not loaded>")};
    m_run.DisplayReportData(progress ? *progress : none);
    const ReportGrid& grid = m_run.grid();
    QStringList lines;
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells.append(grid.column(c).heading);
    lines.append(cells.join(QLatin1Char('|')));
    for (int r = 0; r < grid.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < grid.columnCount(); ++c)
            cells.append(grid.text(r, c));
        lines.append(cells.join(QLatin1Char('|')));
    }
    return lines;
}

QList<int> ReportTest::rowData() const
{
    QList<int> ids;
    for (int r = 0; r < m_run.grid().rowCount(); ++r)
        ids.append(m_run.grid().rowData(r));
    return ids;
}

} // namespace bmtest
