#include "DataFixture.h"

#include "common/Progress.h"
#include "data/BulkIssues.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace bmtest {
namespace {

// Records the percentages and answers "stop" at the report given.
class RecordingProgress final : public Progress {
public:
    explicit RecordingProgress(int stopAt = 0) : m_stopAt(stopAt) {}
    bool report(int percent) override
    {
        percents.append(percent);
        return percents.size() != m_stopAt;
    }
    void setMessage(const QString&) override {}
    QList<int> percents;

private:
    int m_stopAt;
};

// Files of this process may not grow past `bytes` for the scope: a write
// beyond fails as on a full disk (EFBIG) instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_before.rlim_max};
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool set() const { return m_set; }

private:
    rlimit m_before{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_set = false;
};

struct IssueRow {
    long custid;
    long psid;
    long status;
    QString shortdesc;
    QString desc;
};

class BulkIssuesTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        BulkIssues::setLastForTests(470000);
    }
    void TearDown() override
    {
        BulkIssues::setLastForTests(std::nullopt);
        DataTest::TearDown();
    }

    // The issue with that identifier found through tag rowid; nullopt when none.
    std::optional<IssueRow> issue(DATA4* t, long rowid)
    {
        if (d4seekDouble(t, double(rowid)) != 0)
            return std::nullopt;
        const auto text = [t](const char* name) {
            FIELD4* f = d4field(t, name);
            return QString::fromLatin1(f4ptr(f), f4len_v(f)).trimmed();
        };
        FIELD4* desc = d4field(t, "desc");
        return IssueRow{f4long(d4field(t, "custid")), f4long(d4field(t, "psid")), f4long(d4field(t, "status")),
                        text("shortdesc"), QString::fromLatin1(f4memoPtr(desc), f4memoLenVB(desc))};
    }

    DATA4* openIssues()
    {
        DATA4* t = m_db.OpenTable(m_db.IssuesTable());
        if (t)
            d4tagSelect(t, d4tag(t, "rowid"));
        return t;
    }

    qint32 issueCount() { return m_db.GetRecCount(m_db.IssuesTable(), QStringLiteral("rowid")); }

    // Another process reads the table shared and finds every tag in step.
    void expectCheckedByAnotherProcess()
    {
        if (!QFile::exists(QDir(templatesDir()).filePath(QStringLiteral("bmtool"))))
            return;
        const ToolRun run = runBmtool({QStringLiteral("check"), m_db.IssuesTable()});
        EXPECT_EQ(run.exitCode, 0) << run.all().toStdString();
    }

    // The size of the issues data file with `rows` records.
    qint64 dataFileSizeFor(qint64 rows)
    {
        QFile dbf(m_db.IssuesTable());
        if (!dbf.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray header = dbf.read(12);
        const auto word = [&header](int at) { return qint64(quint8(header[at])) | qint64(quint8(header[at + 1])) << 8; };
        return header.size() == 12 ? word(8) + rows * word(10) : -1;
    }

    void expectEngineSharedWithLocks()
    {
        EXPECT_EQ(code4accessMode(m_db.CBEngine(), 0), 0);
        EXPECT_EQ(code4lockEnforce(m_db.CBEngine(), 1), 1);
    }
};

TEST_F(BulkIssuesTest, GeneratesNumberedIssuesWithCyclingCustomersAndProducts)
{
    RecordingProgress progress;
    m_db.AddBulkIssues(progress);
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(progress.percents, (QList<int>{34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47}));
    EXPECT_EQ(issueCount(), 470000 - 330013 + 1);
    expectEngineSharedWithLocks();

    DATA4* t = openIssues();
    ASSERT_NE(t, nullptr);
    struct Case {
        long rowid, custid, psid, status;
    };
    const Case cases[] = {
        {330013, 1, 1001, 401},  {330014, 2, 1002, 400},  {331011, 999, 1999, 401},
        {331012, 1000, 1001, 400}, {460012, 130000, 1001 + (460012 - 330013) % 999, 400},
        {460013, 1, 1001 + (460013 - 330013) % 999, 401}, {470000, 9988, 1001 + (470000 - 330013) % 999, 400},
    };
    for (const Case& c : cases) {
        const auto row = issue(t, c.rowid);
        ASSERT_TRUE(row) << c.rowid;
        EXPECT_EQ(row->custid, c.custid) << c.rowid;
        EXPECT_EQ(row->psid, c.psid) << c.rowid;
        EXPECT_EQ(row->status, c.status) << c.rowid;
    }
    const auto first = issue(t, 330013);
    EXPECT_EQ(first->shortdesc, QStringLiteral("330013 : issue short desc"));
    EXPECT_EQ(first->desc, QStringLiteral("330013 : issue memo description"));
    EXPECT_FALSE(issue(t, 470001));
    // Nothing else is set: no submit date, assignee or last-edit stamp.
    ASSERT_TRUE(issue(t, 400000));
    EXPECT_EQ(QString::fromLatin1(f4ptr(d4field(t, "submitdt")), 8).trimmed(), QString());
    EXPECT_EQ(f4long(d4field(t, "assignedto")), 0);
    EXPECT_EQ(f4long(d4field(t, "lastmodby")), 0);
    d4close(t);
    expectCheckedByAnotherProcess();
}

TEST_F(BulkIssuesTest, CancelEndsTheRunAtTheProgressPointAndLaterIssuesNumberAboveIt)
{
    RecordingProgress progress(1);
    m_db.AddBulkIssues(progress);
    EXPECT_EQ(progress.percents, QList<int>{34});
    EXPECT_EQ(issueCount(), 340000 - 330013 + 1);
    DATA4* t = openIssues();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(issue(t, 340000));
    EXPECT_FALSE(issue(t, 340001));
    d4close(t);
    expectEngineSharedWithLocks();

    // The next issue saved takes the first free identifier after the run.
    const int next = saveNew(m_db.IssuesTable(), QStringLiteral("_issue"),
                             {{QStringLiteral("custid"), QStringLiteral("1")},
                              {QStringLiteral("shortdesc"), QStringLiteral("after the run")}});
    EXPECT_EQ(next, 340001);
    EXPECT_TRUE(shownTexts().isEmpty());
    expectCheckedByAnotherProcess();
}

// A count long enough to hold up a window calls its caller back after every
// ten thousand rows and never in between.
TEST_F(BulkIssuesTest, ALongCountCallsItsCallerBackEveryTenThousandRows)
{
    BulkIssues::setLastForTests(330013 + 25000 - 1);
    RecordingProgress progress;
    m_db.AddBulkIssues(progress);
    int ticks = 0;
    EXPECT_EQ(m_db.GetRecCount(m_db.IssuesTable(), QStringLiteral("rowid"), [&ticks] { ++ticks; }), 25000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(issueCount(), 25000);
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(BulkIssuesTest, AWriteErrorPartWayKeepsTheRowsWrittenBeforeIt)
{
    // The data file can take the rows up to 355,000 only: the writes of the
    // rows after fail, part way through the chunk that began at 350,001.
    const qint64 room = dataFileSizeFor(355000 - 330013 + 1);
    ASSERT_GT(room, 0);
    RecordingProgress progress;
    {
        FileSizeLimit limit(rlim_t(room + 1));
        ASSERT_TRUE(limit.set());
        m_db.AddBulkIssues(progress);
    }
    EXPECT_EQ(progress.percents, (QList<int>{34, 35}));
    const QStringList shown = shownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(QStringLiteral("Error #"))) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().contains(m_db.IssuesTable())) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().endsWith(QStringLiteral("\rclsDB_AddBulkIssues"))) << shown.first().toStdString();
    expectEngineSharedWithLocks();

    EXPECT_EQ(issueCount(), 350000 - 330013 + 1);
    DATA4* t = openIssues();
    ASSERT_NE(t, nullptr);
    const auto last = issue(t, 350000);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->desc, QStringLiteral("350000 : issue memo description"));
    EXPECT_FALSE(issue(t, 350001));
    d4close(t);
    expectCheckedByAnotherProcess();
}

TEST_F(BulkIssuesTest, ATableInUseElsewhereCannotBeOpenedAndNothingIsAdded)
{
    {
        LockHolder other(m_db.IssuesTable(), 0);
        ASSERT_TRUE(other.holding());
        RecordingProgress progress;
        m_db.AddBulkIssues(progress);
        EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Unable to open: ") + m_db.IssuesTable() +
                                            QStringLiteral("\r\n\r\nThe file is locked by another program.")});
        EXPECT_TRUE(progress.percents.isEmpty());
        expectEngineSharedWithLocks();
    }
    EXPECT_EQ(issueCount(), 0);
    EXPECT_EQ(lastId(Schema::dataFileName(Schema::Table::Issues)), -1);
    expectCheckedByAnotherProcess();
}

TEST_F(BulkIssuesTest, ASecondRunIsRefusedAndAddsNothing)
{
    RecordingProgress cancelled(1);
    m_db.AddBulkIssues(cancelled);
    const qint32 rows = issueCount();
    const QString refused =
        QStringLiteral("Issues numbered from 330013 on already exist or are the next to be issued. No issues were added.");

    // A second run meets both: the rows of the first and the advanced counter.
    RecordingProgress second;
    m_db.AddBulkIssues(second);
    EXPECT_EQ(shownTexts(), QStringList{refused});
    EXPECT_TRUE(second.percents.isEmpty());
    EXPECT_EQ(issueCount(), rows);
    expectEngineSharedWithLocks();
    expectCheckedByAnotherProcess();
}

TEST_F(BulkIssuesTest, AnIdentifierOfTheRangeAlreadyStoredRefusesTheRun)
{
    // One issue stored in the range, the counter still low.
    DATA4* t = m_db.OpenTable(m_db.IssuesTable());
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4appendStartVB(t, 0), 0);
    ASSERT_EQ(d4blank(t), 0);
    ASSERT_EQ(f4assignLong(d4field(t, "rowid"), 999999), 0);
    ASSERT_EQ(d4append(t), 0);
    ASSERT_EQ(d4unlock(t), 0);
    d4close(t);
    EXPECT_EQ(lastId(Schema::dataFileName(Schema::Table::Issues)), -1);

    RecordingProgress progress;
    m_db.AddBulkIssues(progress);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral(
                                "Issues numbered from 330013 on already exist or are the next to be issued. "
                                "No issues were added.")});
    EXPECT_EQ(issueCount(), 1);
    EXPECT_EQ(lastId(Schema::dataFileName(Schema::Table::Issues)), -1);
    expectEngineSharedWithLocks();
}

} // namespace
} // namespace bmtest
