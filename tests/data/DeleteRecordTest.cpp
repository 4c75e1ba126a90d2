#include "DataFixture.h"


namespace bmtest {
namespace {

class DeleteRecordTest : public DataTest {
protected:
    int attempts() { return code4lockAttempts(m_db.CBEngine(), -1); }
};

TEST_F(DeleteRecordTest, MissingRowCountsAsDeleted)
{
    EXPECT_TRUE(m_db.DeleteRecord(4711, m_db.IssuesTable()));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_EQ(attempts(), -1);
}

TEST_F(DeleteRecordTest, CallersHandleStaysOpen)
{
    const int id = saveNew(m_db.IssuesTable(), QStringLiteral("_issue"), {});
    DATA4* handle = m_db.OpenTable(m_db.IssuesTable());
    ASSERT_TRUE(m_db.DeleteRecord(id, m_db.IssuesTable(), handle));
    EXPECT_EQ(m_db.CBEngine()->openCount(), 1u);
    d4close(handle);
    EXPECT_EQ(m_db.GetRecCount(m_db.IssuesTable(), QStringLiteral("rowid")), 0);
}

TEST_F(DeleteRecordTest, RowLockedElsewhereRefusesSaveAndDelete)
{
    const QString path = m_db.IssuesTable();
    saveNew(path, QStringLiteral("_issue"), {});
    const int id = saveNew(path, QStringLiteral("_issue"), {{QStringLiteral("shortdesc"), QStringLiteral("old")}});
    LockHolder other(path, 2);
    ASSERT_TRUE(other.holding());

    RecColl coll = newColl(path, QStringLiteral("_issue"), id);
    coll.set(QStringLiteral("shortdesc"), QStringLiteral("new"));
    EXPECT_FALSE(m_db.SaveRecord(coll, true));
    EXPECT_EQ(attempts(), -1);
    EXPECT_FALSE(m_db.DeleteRecord(id, path));
    EXPECT_EQ(attempts(), -1);
    EXPECT_EQ(shownTexts(), (QStringList{QStringLiteral("RECORD LOCKED: Unable to update record!"),
                                         QStringLiteral("RECORD LOCKED: Unable to Delete from ") + path
                                             + QStringLiteral("(id=1001) !")}));
    EXPECT_EQ(read(path, id, QStringLiteral("_issue")).text(QStringLiteral("shortdesc")), QStringLiteral("old"));
    EXPECT_EQ(m_db.CBEngine()->openCount(), 0u);
}

TEST_F(DeleteRecordTest, DeleteAllRemovesEveryActionOfAnIssue)
{
    const QString path = m_db.IssuesActionsTable();
    for (const char* issue : {"5", "7", "7", "7", "9"})
        saveNew(path, QStringLiteral("_issueaction"), {{QStringLiteral("issueid"), QLatin1String(issue)}});
    EXPECT_TRUE(m_db.DeleteAllRecords(7, path, QStringLiteral("issueid")));
    EXPECT_TRUE(m_db.DeleteAllRecords(8, path, QStringLiteral("issueid")));
    EXPECT_EQ(m_db.GetRecCount(path, QStringLiteral("issueid")), 2);
    EXPECT_EQ(attempts(), -1);
}

TEST_F(DeleteRecordTest, DeleteAllStopsOnceAtARowThatStaysLocked)
{
    const QString path = m_db.IssuesActionsTable();
    for (int i = 0; i < 3; ++i)
        saveNew(path, QStringLiteral("_issueaction"), {{QStringLiteral("issueid"), QStringLiteral("7")}});
    LockHolder other(path, 2);
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(m_db.DeleteAllRecords(7, path, QStringLiteral("issueid")));
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("RECORD LOCKED: Unable to Delete from ") + path + QStringLiteral("(id=7) !")});
    EXPECT_EQ(attempts(), -1);
    EXPECT_EQ(m_db.GetRecCount(path, QStringLiteral("issueid")), 2);
}

TEST_F(DeleteRecordTest, CanDeleteItemByTagOrByScan)
{
    EXPECT_TRUE(m_db.CanDeleteItem(400, QString(), QStringLiteral("status")));
    saveNew(m_db.IssuesTable(), QStringLiteral("_issue"), {{QStringLiteral("status"), QStringLiteral("400")}});
    EXPECT_FALSE(m_db.CanDeleteItem(400, m_db.IssuesTable(), QStringLiteral("status")));
    EXPECT_TRUE(m_db.CanDeleteItem(401, m_db.IssuesTable(), QStringLiteral("status")));

    // bcciactions has no tag named action: a scan that skips deleted rows.
    const QString actions = m_db.IssuesActionsTable();
    const int a = saveNew(actions, QStringLiteral("_issueaction"), {{QStringLiteral("action"), QStringLiteral("1010")}});
    EXPECT_FALSE(m_db.CanDeleteItem(1010, actions, QStringLiteral("action")));
    ASSERT_TRUE(m_db.DeleteRecord(a, actions));
    EXPECT_TRUE(m_db.CanDeleteItem(1010, actions, QStringLiteral("action")));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(DeleteRecordTest, FirstIdentifierWaitsForTheAppendLock)
{
    LockHolder other(m_db.LastIDTable(), 0);
    ASSERT_TRUE(other.holding());
    EXPECT_EQ(saveNew(m_db.ReportTable(), QStringLiteral("_rptdef"), {}), -1);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("RECORD LOCKED: Unable to get next id (locked)!")});
    EXPECT_EQ(m_db.GetRecCountFast(m_db.ReportTable(), QStringLiteral("rowid")), 0);
}

} // namespace
} // namespace bmtest
