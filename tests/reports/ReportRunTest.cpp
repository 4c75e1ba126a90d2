#include "ReportFixture.h"

#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

namespace bmtest {
namespace {

class ReportRunTest : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        if (IsSkipped())
            return;
        m_baker = customer(QStringLiteral("Baker"), QStringLiteral("Ann"), m_gold, m_ohio);
        m_adams = customer(QStringLiteral("Adams"), QStringLiteral("Bob"), m_silver, m_texas);
        m_clark = customer(QStringLiteral("Clark"), QStringLiteral("Cy"), m_gold, m_texas);
        m_dunn = customer(QStringLiteral("Dunn"), QStringLiteral("Di"), m_silver, m_ohio);
        m_evans = customer(QStringLiteral("Evans"), QStringLiteral("Ed"), m_gold, m_ohio);
    }

    // A customer report: row numbers on, columns Last Name and First Name,
    // and the given criteria lines.
    int names(const QString& ids, const QString& opers, const QString& values)
    {
        return report(QStringLiteral("C"), QStringLiteral("0\n5~4\n") + ids + QLatin1Char('\n') + opers
                                                + QLatin1Char('\n') + values + QStringLiteral("\n1\n1"));
    }
    QString id(int value) const { return QString::number(value); }

    int m_baker = 0, m_adams = 0, m_clark = 0, m_dunn = 0, m_evans = 0;
};

const QString kHeadings = QStringLiteral("Row|Last Name|First Name");

TEST_F(ReportRunTest, CriteriaPickTheRowsAndAnEqualCategoryIsSought)
{
    struct Case {
        const char* what;
        QString ids, opers, values;
        QStringList rows;
        const char* tag;
        int visited;
    };
    const Case cases[] = {
        {"no criteria", QString(), QString(), QString(),
         {kHeadings, QStringLiteral("1|Adams|Bob"), QStringLiteral("2|Baker|Ann"), QStringLiteral("3|Clark|Cy"),
          QStringLiteral("4|Dunn|Di"), QStringLiteral("5|Evans|Ed")},
         "lastname", 5},
        {"category is", QStringLiteral("51"), QStringLiteral("="), id(m_gold),
         {kHeadings, QStringLiteral("1|Baker|Ann"), QStringLiteral("2|Clark|Cy"), QStringLiteral("3|Evans|Ed")},
         "custcat", 3},
        {"category is not", QStringLiteral("51"), QStringLiteral("#"), id(m_gold),
         {kHeadings, QStringLiteral("1|Adams|Bob"), QStringLiteral("2|Dunn|Di")}, "lastname", 5},
        {"category and state: the first is sought", QStringLiteral("51~52"), QStringLiteral("=~="),
         id(m_gold) + QLatin1Char('~') + id(m_ohio),
         {kHeadings, QStringLiteral("1|Baker|Ann"), QStringLiteral("2|Evans|Ed")}, "custcat", 3},
        {"state and category: the first is sought", QStringLiteral("52~51"), QStringLiteral("=~="),
         id(m_ohio) + QLatin1Char('~') + id(m_gold),
         {kHeadings, QStringLiteral("1|Baker|Ann"), QStringLiteral("2|Evans|Ed")}, "state", 3},
        {"a not before an is", QStringLiteral("52~51"), QStringLiteral("#~="),
         id(m_ohio) + QLatin1Char('~') + id(m_gold), {kHeadings, QStringLiteral("1|Clark|Cy")}, "custcat", 3},
        {"a value that is no number is no criterion", QStringLiteral("51"), QStringLiteral("="),
         QStringLiteral("gold"),
         {kHeadings, QStringLiteral("1|Adams|Bob"), QStringLiteral("2|Baker|Ann"), QStringLiteral("3|Clark|Cy"),
          QStringLiteral("4|Dunn|Di"), QStringLiteral("5|Evans|Ed")},
         "lastname", 5},
        {"no row passes", QStringLiteral("51"), QStringLiteral("="), QStringLiteral("4711"), {kHeadings}, "custcat",
         0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(names(c.ids, c.opers, c.values)), c.rows) << c.what;
        EXPECT_EQ(m_run.walkedTag(), QLatin1String(c.tag)) << c.what;
        EXPECT_EQ(m_run.visitedCount(), c.visited) << c.what;
        EXPECT_FALSE(m_run.cancelled()) << c.what;
    }
    EXPECT_EQ(shownTexts(), QStringList());
}

TEST_F(ReportRunTest, ProductCriteriaAskWhetherTheCustomerOwnsIt)
{
    owns(m_baker, m_support);
    owns(m_dunn, m_support);
    owns(m_dunn, m_hosting);
    const int owning = report(QStringLiteral("C"), QStringLiteral("0\n5~23\n54\n=\n") + id(m_support)
                                                       + QStringLiteral("\n0\n1"));
    EXPECT_EQ(run(owning), (QStringList{QStringLiteral("Last Name|Products/Services"),
                                        QStringLiteral("Baker|Support"), QStringLiteral("Dunn|Support;Hosting")}));
    EXPECT_EQ(m_run.walkedTag(), QStringLiteral("lastname"));
    const int notOwning = names(QStringLiteral("54"), QStringLiteral("#"), id(m_support));
    EXPECT_EQ(run(notOwning), (QStringList{kHeadings, QStringLiteral("1|Adams|Bob"), QStringLiteral("2|Clark|Cy"),
                                           QStringLiteral("3|Evans|Ed")}));
}

TEST_F(ReportRunTest, ProductTextsAgreeWhetherTheWalkSeeksOrReadsThemAll)
{
    owns(m_dunn, m_support);
    owns(m_dunn, 99999);  // no such category: an empty piece
    owns(m_dunn, m_hosting);
    owns(m_adams, m_hosting);
    const int all = report(QStringLiteral("C"), QStringLiteral("0\n5~23\n\n\n\n0\n1"));
    EXPECT_EQ(run(all), (QStringList{QStringLiteral("Last Name|Products/Services"), QStringLiteral("Adams|Hosting"),
                                     QStringLiteral("Baker|"), QStringLiteral("Clark|"),
                                     QStringLiteral("Dunn|Support;;Hosting"), QStringLiteral("Evans|")}));
    const int silver = report(QStringLiteral("C"), QStringLiteral("0\n5~23\n51\n=\n") + id(m_silver)
                                                       + QStringLiteral("\n0\n1"));
    EXPECT_EQ(run(silver), (QStringList{QStringLiteral("Last Name|Products/Services"),
                                        QStringLiteral("Adams|Hosting"), QStringLiteral("Dunn|Support;;Hosting")}));
    EXPECT_EQ(m_run.walkedTag(), QStringLiteral("custcat"));
}

TEST_F(ReportRunTest, DeletedCustomersNeverAppear)
{
    ASSERT_TRUE(m_db.DeleteRecord(m_clark, m_db.CustomerTable()));
    EXPECT_EQ(run(names(QStringLiteral("51"), QStringLiteral("="), id(m_gold))),
              (QStringList{kHeadings, QStringLiteral("1|Baker|Ann"), QStringLiteral("2|Evans|Ed")}));
    EXPECT_EQ(run(names(QString(), QString(), QString())).size(), 5);
    EXPECT_FALSE(rowData().contains(m_clark));
}

TEST_F(ReportRunTest, AnIndexWithoutTheCriterionsTagIsWalkedWhole)
{
    // The customers' index rebuilt without the tag custcat.
    std::vector<TAG4INFO> tags;
    for (const Schema::TagDef& t : Schema::table(Schema::Table::Cust).tags)
        if (QLatin1String(t.name) != QLatin1String("custcat"))
            tags.push_back({t.name, t.key, t.forExpr, 0, 0});
    tags.push_back({nullptr, nullptr, nullptr, 0, 0});
    code4accessMode(m_db.CBEngine(), 1);
    DATA4* customers = d4open(m_db.CBEngine(), m_db.CustomerTable().toStdString().c_str());
    code4accessMode(m_db.CBEngine(), 0);
    ASSERT_NE(customers, nullptr);
    ASSERT_EQ(i4create(customers, tags.data()), 0);
    ASSERT_EQ(d4close(customers), 0);

    EXPECT_EQ(run(names(QStringLiteral("51"), QStringLiteral("="), id(m_gold))),
              (QStringList{kHeadings, QStringLiteral("1|Baker|Ann"), QStringLiteral("2|Clark|Cy"),
                           QStringLiteral("3|Evans|Ed")}));
    EXPECT_EQ(m_run.walkedTag(), QStringLiteral("lastname"));
    EXPECT_EQ(m_run.visitedCount(), 5);
    // The next "=" criterion whose tag is there is sought instead.
    EXPECT_EQ(run(names(QStringLiteral("51~52"), QStringLiteral("=~="), id(m_gold) + QLatin1Char('~') + id(m_ohio))),
              (QStringList{kHeadings, QStringLiteral("1|Baker|Ann"), QStringLiteral("2|Evans|Ed")}));
    EXPECT_EQ(m_run.walkedTag(), QStringLiteral("state"));
    EXPECT_EQ(m_run.visitedCount(), 3);
    EXPECT_EQ(shownTexts(), QStringList());
}

TEST_F(ReportRunTest, IssueCellsFollowTheirDataTypes)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const int closed = 405;
    const int open = 400;
    const int second = issue(m_baker, closed, QStringLiteral("2024-03-01"), QStringLiteral("Printer jam"));
    const int first = issue(m_clark, open, QString(), QStringLiteral("Ünïcode ½"));
    // Issue ID, Customer, Short Description, Assigned To, Status, Date
    // Submitted, and a customer column that an issue report leaves empty.
    const int all = report(QStringLiteral("I"), QStringLiteral("0\n112~101~102~105~108~110~4\n\n\n\n0\n0"));
    EXPECT_EQ(run(all),
              (QStringList{
                  QStringLiteral("Date Submitted|Issue ID|Customer|Short Description|Assigned To|Status|First Name"),
                  QStringLiteral("|") + id(first) + QStringLiteral("|Cy Clark, Texas|Ünïcode ½|Administrator (admin)|Open|"),
                  QStringLiteral("3/1/2024|") + id(second)
                      + QStringLiteral("|Ann Baker, Ohio|Printer jam|Administrator (admin)|Closed|")}));
    EXPECT_EQ(rowData(), (QList<int>{first, second}));
    EXPECT_EQ(m_run.grid().column(1).data, 101);

    const int onlyClosed = report(QStringLiteral("I"), QStringLiteral("0\n101~110\n152\n=\n405\n1\n0"));
    EXPECT_EQ(run(onlyClosed), (QStringList{QStringLiteral("Row|Issue ID|Status"),
                                            QStringLiteral("1|") + id(second) + QStringLiteral("|Closed")}));
    EXPECT_EQ(m_run.walkedTag(), QStringLiteral("status"));
    EXPECT_EQ(m_run.visitedCount(), 1);
    EXPECT_EQ(m_run.grid().column(0).data, -1000);
    QLocale::setDefault(before);
    EXPECT_EQ(shownTexts(), QStringList());
}

TEST_F(ReportRunTest, GroupingBlanksRepeatedFirstValuesAfterSortingAndNumbering)
{
    const int grouped = report(QStringLiteral("C"), QStringLiteral("1\n8~5\n\n\n\n1\n1"));
    EXPECT_EQ(run(grouped), (QStringList{QStringLiteral("Row|Category|Last Name"), QStringLiteral("1|Gold|Baker"),
                                         QStringLiteral("2||Clark"), QStringLiteral("3||Evans"),
                                         QStringLiteral("4|Silver|Adams"), QStringLiteral("5||Dunn")}));
    EXPECT_EQ(rowData(), (QList<int>{m_baker, m_clark, m_evans, m_adams, m_dunn}));
    // One column alone is never grouped.
    const int single = report(QStringLiteral("C"), QStringLiteral("1\n8\n\n\n\n0\n1"));
    EXPECT_EQ(run(single), (QStringList{QStringLiteral("Category"), QStringLiteral("Gold"), QStringLiteral("Gold"),
                                        QStringLiteral("Gold"), QStringLiteral("Silver"), QStringLiteral("Silver")}));
}

TEST_F(ReportRunTest, ACancelledWalkKeepsItsRowsSortedAndNumbered)
{
    CountingProgress stopAfterFirstRow(1);
    EXPECT_EQ(run(names(QString(), QString(), QString()), &stopAfterFirstRow),
              (QStringList{kHeadings, QStringLiteral("1|Adams|Bob")}));
    EXPECT_TRUE(m_run.cancelled());
    EXPECT_EQ(m_run.visitedCount(), 1);
}

TEST_F(ReportRunTest, RunsThatCannotBeMadeSaySo)
{
    EXPECT_FALSE(m_run.LoadData(4711));
    EXPECT_EQ(m_run.title(), QStringLiteral("[4711]"));
    EXPECT_EQ(m_run.reportType(), QString());
    EXPECT_EQ(shownTexts(), (QStringList{QStringLiteral(
                                "Record cannot be accessed or no longer exists. It may have been deleted by another user.")}));
    m_prompts.clear();

    EXPECT_EQ(run(report(QStringLiteral("C"), QStringLiteral("0\n\n\n\n\n1\n1"))), QStringList{QString()});
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Report definition does not specify any columns to display!")});
    m_prompts.clear();

    const int unknownType = report(QStringLiteral("X"), QStringLiteral("0\n5\n\n\n\n0\n1"), QStringLiteral("Odd"));
    EXPECT_EQ(run(unknownType), QStringList{QStringLiteral("Last Name")});
    EXPECT_EQ(m_run.title(), QStringLiteral("Odd"));
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Invalid report type!")});
}

TEST_F(ReportRunTest, AColumnOfAnUnknownTableIsReportedOnceAndLeftEmpty)
{
    // The shipped catalogue with one more row, naming a table that is
    // neither of the two, in a program folder of the test's own.
    TempFolder program;
    for (const char* ext : {".dbf", ".cdx"}) {
        const QString name = QStringLiteral("bccrepcols") + QLatin1String(ext);
        ASSERT_TRUE(QFile::copy(QDir(templatesDir()).filePath(name), program.file(name)));
        QFile::setPermissions(program.file(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    DATA4* t = d4open(m_db.CBEngine(), program.fileStd(QStringLiteral("bccrepcols.dbf")).c_str());
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4appendStartVB(t, 0), 0);
    ASSERT_EQ(d4blank(t), 0);
    f4assignLong(d4field(t, "rowid"), 999);
    const std::pair<const char*, const char*> texts[] = {{"name", "Odd"},        {"rpttype", "C"},
                                                         {"purpose", "D"},       {"fldname", "custom1"},
                                                         {"tblname", "bccother.dbf"}, {"datatype", "S"}};
    for (const auto& [field, text] : texts)
        f4assignNVB(d4field(t, field), text, int(strlen(text)));
    ASSERT_EQ(d4append(t), 0);
    ASSERT_EQ(d4close(t), 0);
    const QByteArray before = qgetenv("BM_PROGRAM_DIR");
    qputenv("BM_PROGRAM_DIR", program.path().toLocal8Bit());

    const QStringList rows = run(report(QStringLiteral("C"), QStringLiteral("0\n5~999~4\n\n\n\n0\n1")));
    qputenv("BM_PROGRAM_DIR", before);
    EXPECT_EQ(rows, (QStringList{QStringLiteral("Last Name|Odd|First Name"), QStringLiteral("Adams||Bob"),
                                 QStringLiteral("Baker||Ann"), QStringLiteral("Clark||Cy"), QStringLiteral("Dunn||Di"),
                                 QStringLiteral("Evans||Ed")}));
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Invalid table name found in the report column table!")});
}

TEST(ReportGridTest, SortingComparesByTheColumnsType)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ReportGrid grid;
    grid.reset({{QStringLiteral("Row"), ReportGrid::kRowColumnData, QStringLiteral("R")},
                {QStringLiteral("Number"), 1, QStringLiteral("I")},
                {QStringLiteral("Date"), 2, QStringLiteral("D")},
                {QStringLiteral("Name"), 3, QStringLiteral("S")}});
    const struct {
        int id;
        const char* number;
        const char* date;
        const char* name;
    } rows[] = {{1, "10", "12/31/2023", "beta"},  {2, "40000", "", "Alpha"}, {3, "9", "1/2/2024", "alpha"},
                {4, "x", "1/15/2023", "Gamma"},   {5, "-3", "", "beta"},     {6, "32768", "2/1/2024", "ALPHA"}};
    for (const auto& r : rows) {
        grid.addRow(r.id);
        for (const char* text : {r.number, r.date, r.name})
            grid.addCell(QString::fromUtf8(text));
    }
    grid.numberRows();
    const auto order = [&grid] {
        QList<int> ids;
        for (int r = 0; r < grid.rowCount(); ++r)
            ids.append(grid.rowData(r));
        return ids;
    };
    grid.sortBy(1);
    EXPECT_EQ(order(), (QList<int>{5, 4, 3, 1, 6, 2}));
    grid.sortBy(2);
    EXPECT_EQ(order(), (QList<int>{5, 2, 4, 1, 3, 6}));
    grid.sortBy(3);
    EXPECT_EQ(order(), (QList<int>{2, 3, 6, 5, 1, 4}));
    EXPECT_EQ(grid.text(0, 0), QStringLiteral("2"));
    grid.sortBy(0);
    EXPECT_EQ(order(), (QList<int>{1, 2, 3, 4, 5, 6}));

    // Texts that begin alike are ordered by what follows.
    grid.reset({{QStringLiteral("Name"), 3, QStringLiteral("S")}});
    int id = 0;
    for (const char* text : {"Smith, Zed", "smith, Adam", "SMITH", "Smit", "\xc3\x9c" "bel", "\xc3\xbc", "ab"}) {
        grid.addRow(++id);
        grid.addCell(QString::fromUtf8(text));
    }
    grid.sortBy(0);
    EXPECT_EQ(order(), (QList<int>{7, 4, 3, 2, 1, 6, 5}));
    QLocale::setDefault(before);
}

// Tens of thousands of rows are sorted in runs and merge passes: the result is
// the one stable order, ties (here many, by number and by text in any letter
// case) keeping the order the rows were added in.
TEST(ReportGridTest, ALongSortIsStableAcrossItsRunsAndMerges)
{
    ReportGrid grid;
    grid.reset({{QStringLiteral("Number"), 1, QStringLiteral("I")}, {QStringLiteral("Name"), 2, QStringLiteral("S")}});
    constexpr int kRows = 50001;
    std::vector<int> numbers(kRows);
    QStringList names;
    quint32 state = 12345;
    const auto next = [&state] { return state = state * 1103515245u + 12345u, (state >> 8) % 997u; };
    for (int r = 0; r < kRows; ++r) {
        numbers[size_t(r)] = int(next());
        const quint32 pick = next();
        names.append((pick % 2 ? QStringLiteral("Name %1") : QStringLiteral("NAME %1")).arg(pick % 300));
        grid.addRow(r);
        grid.addCell(QString::number(numbers[size_t(r)]));
        grid.addCell(names.last());
    }
    struct Quiet final : Progress {
        bool report(int) override { return false; }  // the sort goes on regardless
        void setMessage(const QString&) override {}
    } progress;
    const auto shown = [&grid] {
        std::vector<int> ids;
        for (int r = 0; r < grid.rowCount(); ++r)
            ids.push_back(grid.rowData(r));
        return ids;
    };
    std::vector<int> expected(kRows);
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](int a, int b) { return numbers[size_t(a)] < numbers[size_t(b)]; });
    grid.sortBy(0, &progress);
    EXPECT_EQ(shown(), expected);

    // From the number order, so that ties show that the text sort is stable
    // over the present order.
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        return names.at(a).compare(names.at(b), Qt::CaseInsensitive) < 0;
    });
    grid.sortBy(1, &progress);
    EXPECT_EQ(shown(), expected);
}

TEST(ReportGridTest, LongCellsKeepTheirTextsAcrossTheStorageBlocks)
{
    ReportGrid grid;
    grid.reset({{QStringLiteral("A"), 1, QStringLiteral("S")}, {QStringLiteral("B"), 2, QStringLiteral("S")}});
    const qsizetype longest = ReportGrid::kMaxCellLength;
    QStringList texts;
    for (int r = 0; r < 8; ++r) {
        texts.append(QString(longest / 3 + r, QChar(u'a' + r)));
        texts.append(r % 2 ? QString() : QStringLiteral("short %1").arg(r));
    }
    texts.append(QString(longest + 5, u'z'));
    texts.append(QStringLiteral("after"));
    for (qsizetype i = 0; i < texts.size(); i += 2) {
        grid.addRow(int(i));
        grid.addCell(texts.at(i));
        grid.addCell(texts.at(i + 1));
    }
    ASSERT_EQ(grid.rowCount(), 9);
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(grid.text(r, 0), texts.at(2 * r)) << r;
        EXPECT_EQ(grid.text(r, 1), texts.at(2 * r + 1)) << r;
    }
    EXPECT_EQ(grid.text(8, 0), QString(longest, u'z'));
    EXPECT_EQ(grid.text(8, 1), QStringLiteral("after"));
}

} // namespace
} // namespace bmtest
