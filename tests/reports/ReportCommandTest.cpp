#include "DataFixture.h"

#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>

#include <algorithm>

namespace bmtest {
namespace {

// One record of `bmtool dump`: its fields by name, and whether it is deleted.
struct DumpRecord {
    bool deleted = false;
    QMap<QString, QString> fields;
    int number(const char* name) const { return fields.value(QLatin1String(name)).toInt(); }
};

// A seeded database, a session on it to store report definitions, and runs
// of `bmtool report` checked against what `bmtool dump` holds.
class ReportCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(QDir(templatesDir()).filePath(QStringLiteral("bmtool"))))
            GTEST_SKIP() << "bmtool is not built";
        m_db = m_temp.file(QStringLiteral("db"));
        ASSERT_EQ(runBmtool({QStringLiteral("mkdb"), m_db}).exitCode, 0);
        const ToolRun seed = runBmtool({QStringLiteral("seed"), m_db, QStringLiteral("--customers"),
                                        QStringLiteral("150"), QStringLiteral("--issues"), QStringLiteral("300")});
        ASSERT_EQ(seed.exitCode, 0) << seed.all().toStdString();
        setPrompts(&m_prompts);
    }
    void TearDown() override { setPrompts(nullptr); }

    QString table(const char* name) const { return QDir(m_db).filePath(QLatin1String(name)); }

    QList<DumpRecord> dump(const char* name) const
    {
        const ToolRun run = runBmtool({QStringLiteral("dump"), table(name)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QList<DumpRecord> records;
        for (const QString& line : run.out.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("record "))) {
                records.append(DumpRecord{line.endsWith(QLatin1String("(deleted)")), {}});
            } else if (line.startsWith(QLatin1String("  ")) && !records.isEmpty()) {
                const qsizetype colon = line.indexOf(QLatin1String(": "));
                records.last().fields.insert(line.mid(2, colon - 2), line.mid(colon + 2));
            }
        }
        return records;
    }

    // Stores reports (and may delete a customer) through a session.
    int storeReport(const QString& type, const QString& def)
    {
        clsDB& db = clsDB::instance();
        EXPECT_TRUE(db.startSession(m_db, 1000, QStringLiteral("admin")));
        RecColl coll(db.ReportTable(), -1, QStringLiteral("_rptdef"));
        coll.add(QStringLiteral("title"), QStringLiteral("Report"));
        coll.add(QStringLiteral("type"), type);
        coll.add(QStringLiteral("def"), def);
        coll.add(QStringLiteral("notes"), QString());
        EXPECT_TRUE(db.SaveRecord(coll, false));
        db.endSession();
        return coll.value(QStringLiteral("_rowid")).toInt();
    }

    // Runs the report into a CSV file: its lines, and what the tool printed.
    QStringList report(int id, ToolRun* run)
    {
        const QString csv = m_temp.file(QStringLiteral("out.csv"));
        QFile::remove(csv);
        *run = runBmtool({QStringLiteral("report"), m_db, QString::number(id), QStringLiteral("--csv"), csv});
        QFile file(csv);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString());
        return lines;
    }

    // The lines a report of Row, Id and one more numbered column gives for
    // the records that pass, sorted by identifier.
    static QStringList expected(const QString& headings, QList<std::pair<int, QString>> rows)
    {
        std::sort(rows.begin(), rows.end());
        QStringList lines{headings};
        for (int i = 0; i < rows.size(); ++i)
            lines.append(QString::number(i + 1) + QLatin1Char(',') + QString::number(rows[i].first)
                         + QLatin1Char(',') + rows[i].second);
        return lines;
    }

    // The most common value of a field among live records.
    static int commonValue(const QList<DumpRecord>& records, const char* field)
    {
        QMap<int, int> counts;
        for (const DumpRecord& r : records)
            if (!r.deleted)
                ++counts[r.number(field)];
        return std::max_element(counts.begin(), counts.end()).key();
    }

    TempFolder m_temp;
    QString m_db;
    ScriptedPrompts m_prompts;
};

TEST_F(ReportCommandTest, ACategoryCriterionGivesTheRowsADumpPredictsVisitingOnlyThem)
{
    QList<DumpRecord> customers = dump("bcccust.dbf");
    const int category = commonValue(customers, "CUSTCAT");
    // Customer ID, Last Name; criterion Category = the most common one.
    const int id = storeReport(QStringLiteral("C"), QStringLiteral("0\n1~5\n51\n=\n") + QString::number(category)
                                                        + QStringLiteral("\n1\n1"));
    QList<std::pair<int, QString>> rows;
    for (const DumpRecord& r : customers)
        if (!r.deleted && r.number("CUSTCAT") == category)
            rows.append({r.number("ROWID"), QLatin1Char('"') + r.fields.value(QStringLiteral("LASTNAME")) + QLatin1Char('"')});
    ASSERT_GE(rows.size(), 2);
    ASSERT_LT(rows.size(), customers.size());
    const QString headings = QStringLiteral("\"Row\",\"Customer ID\",\"Last Name\"");

    ToolRun run;
    EXPECT_EQ(report(id, &run), expected(headings, rows));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::number(rows.size()) + QStringLiteral(" rows\nrecords read: ")
                           + QString::number(rows.size()) + QStringLiteral("\nindex tag: custcat\n"));

    // A deleted customer is gone from the report.
    {
        clsDB& db = clsDB::instance();
        ASSERT_TRUE(db.startSession(m_db, 1000, QStringLiteral("admin")));
        ASSERT_TRUE(db.DeleteRecord(rows.first().first, db.CustomerTable()));
        db.endSession();
    }
    rows.removeFirst();
    EXPECT_EQ(report(id, &run), expected(headings, rows));
    EXPECT_TRUE(dump("bcccust.dbf").size() == customers.size());

    // Over an index without the tag custcat every live customer is read.
    std::vector<TAG4INFO> tags;
    for (const Schema::TagDef& t : Schema::table(Schema::Table::Cust).tags)
        if (QLatin1String(t.name) != QLatin1String("custcat"))
            tags.push_back({t.name, t.key, t.forExpr, 0, 0});
    tags.push_back({nullptr, nullptr, nullptr, 0, 0});
    CODE4* engine = d4init_v();
    code4accessMode(engine, 1);
    DATA4* t = d4open(engine, table("bcccust.dbf").toStdString().c_str());
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(i4create(t, tags.data()), 0);
    d4initUndo(engine);
    EXPECT_EQ(report(id, &run), expected(headings, rows));
    EXPECT_EQ(run.out, QString::number(rows.size()) + QStringLiteral(" rows\nrecords read: ")
                           + QString::number(customers.size() - 1) + QStringLiteral("\nindex tag: lastname\n"));
}

TEST_F(ReportCommandTest, IssueCriteriaOnStatusAndPrioritySeekTheFirst)
{
    const QList<DumpRecord> issues = dump("bccissues.dbf");
    const int status = commonValue(issues, "STATUS");
    const int priority = commonValue(issues, "PRIORITY");
    QMap<int, QString> statusText;
    for (const DumpRecord& c : dump("bcccat.dbf"))
        statusText.insert(c.number("ROWID"), c.fields.value(QStringLiteral("DESC")));
    const QString headings = QStringLiteral("\"Row\",\"Issue ID\",\"Status\"");

    struct Case {
        QString ids, opers, values;
        bool both;
        const char* tag;
    };
    const Case cases[] = {
        {QStringLiteral("152"), QStringLiteral("="), QString::number(status), false, "status"},
        {QStringLiteral("152~153"), QStringLiteral("=~="), QString::number(status) + QLatin1Char('~') + QString::number(priority),
         true, "status"},
        {QStringLiteral("153~152"), QStringLiteral("=~="), QString::number(priority) + QLatin1Char('~') + QString::number(status),
         true, "priority"},
    };
    for (const Case& c : cases) {
        const int id = storeReport(QStringLiteral("I"), QStringLiteral("0\n101~110\n") + c.ids + QLatin1Char('\n')
                                                            + c.opers + QLatin1Char('\n') + c.values
                                                            + QStringLiteral("\n1\n1"));
        QList<std::pair<int, QString>> rows;
        int soughtCount = 0;
        for (const DumpRecord& r : issues) {
            if (r.deleted)
                continue;
            const bool statusOk = r.number("STATUS") == status;
            const bool priorityOk = r.number("PRIORITY") == priority;
            soughtCount += (QLatin1String(c.tag) == QLatin1String("status") ? statusOk : priorityOk) ? 1 : 0;
            if (statusOk && (!c.both || priorityOk))
                rows.append({r.number("ROWID"), QLatin1Char('"') + statusText.value(status) + QLatin1Char('"')});
        }
        ASSERT_FALSE(rows.isEmpty());
        ToolRun run;
        EXPECT_EQ(report(id, &run), expected(headings, rows)) << c.ids.toStdString();
        EXPECT_EQ(run.out, QString::number(rows.size()) + QStringLiteral(" rows\nrecords read: ")
                               + QString::number(soughtCount) + QStringLiteral("\nindex tag: ") + QLatin1String(c.tag)
                               + QLatin1Char('\n'));
    }
}

TEST_F(ReportCommandTest, TheCatalogueIsFoundBesideTheToolItself)
{
    const int id = storeReport(QStringLiteral("C"), QStringLiteral("0\n5\n\n\n\n0\n1"));
    const QString csv = m_temp.file(QStringLiteral("plain.csv"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("BM_PROGRAM_DIR"));
    p.setProcessEnvironment(env);
    p.start(QDir(templatesDir()).filePath(QStringLiteral("bmtool")),
            {QStringLiteral("report"), m_db, QString::number(id), QStringLiteral("--csv"), csv});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("\"Last Name\"\r\n"));
}

TEST_F(ReportCommandTest, WrongArgumentsAndReportsThatCannotRunFail)
{
    ToolRun run;
    EXPECT_EQ(report(4711, &run), QStringList());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("bmtool report: Record cannot be accessed or no longer exists. It may have "
                                      "been deleted by another user.\n"));
    const int odd = storeReport(QStringLiteral("Q"), QStringLiteral("0\n5\n\n\n\n0\n1"));
    EXPECT_EQ(report(odd, &run), QStringList());
    EXPECT_EQ(run.err, QStringLiteral("bmtool report: Invalid report type!\n"));
    for (const QStringList& args : {QStringList{QStringLiteral("report"), m_db},
                                    QStringList{QStringLiteral("report"), m_db, QStringLiteral("x"), QStringLiteral("--csv"), QStringLiteral("f")},
                                    QStringList{QStringLiteral("report"), m_db, QStringLiteral("1000"), QStringLiteral("--tsv"), QStringLiteral("f")}})
        EXPECT_EQ(runBmtool(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace bmtest
