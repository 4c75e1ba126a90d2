#include "DataFixture.h"

#include "data/Schema.h"

namespace bmtest {
namespace {

class ReadRecordTest : public DataTest {};

TEST_F(ReadRecordTest, MissingRowIsReportedUnlessQuiet)
{
    for (int rowid : {4711, 0, -1}) {
        for (bool quiet : {false, true}) {
            m_prompts.clear();
            RecColl coll(m_db.CustomerTable(), rowid, QStringLiteral("_customer"));
            EXPECT_FALSE(m_db.ReadRecord(coll, quiet));
            EXPECT_EQ(coll.count(), 4);
            const QStringList expected = quiet ? QStringList() : QStringList{QStringLiteral("Unable to read row_id %1 from table ").arg(rowid) + m_db.CustomerTable()};
            EXPECT_EQ(shownTexts(), expected);
        }
    }
}

TEST_F(ReadRecordTest, CustomerReadsNumbersAndTrimmedTextsInOrder)
{
    const int id = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"),
                           {{QStringLiteral("lastname"), QStringLiteral("  Ames ")}, {QStringLiteral("custcat"), QStringLiteral("1004")},
                            {QStringLiteral("notes"), QStringLiteral(" one\r\ntwo ")}});
    RecColl coll(m_db.CustomerTable(), id, QStringLiteral("_customer"));
    ASSERT_TRUE(m_db.ReadRecord(coll, false));
    ASSERT_EQ(coll.count(), 4 + 23);
    const QStringList keys = coll.keys().mid(4);
    EXPECT_EQ(keys.last(), QStringLiteral("contacts"));
    EXPECT_EQ(keys.at(21), QStringLiteral("notes"));
    EXPECT_EQ(coll.value(QStringLiteral("custcat")).typeId(), QMetaType::Int);
    EXPECT_EQ(coll.value(QStringLiteral("custcat")), 1004);
    EXPECT_EQ(coll.value(QStringLiteral("state")), 0);
    EXPECT_EQ(coll.text(QStringLiteral("lastname")), QStringLiteral("Ames"));
    EXPECT_EQ(coll.text(QStringLiteral("notes")), QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(coll.text(QStringLiteral("contacts")), QString());
}

TEST_F(ReadRecordTest, TypesWithoutReaderFindTheRowButAddNothing)
{
    const int id = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {});
    for (const QString& rectype : {QStringLiteral("_Customer"), QStringLiteral("_newcustomer"), QStringLiteral("_setpwd"),
                                   QStringLiteral("_issueaction")}) {
        RecColl coll(m_db.CustomerTable(), id, rectype);
        EXPECT_FALSE(m_db.ReadRecord(coll, false)) << rectype.toStdString();
        EXPECT_EQ(coll.count(), 4);
    }
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(ReadRecordTest, SecondReadIntoTheSameCollectionFailsAndKeepsTheFirst)
{
    const int id = saveNew(m_db.ReportTable(), QStringLiteral("_rptdef"), {{QStringLiteral("title"), QStringLiteral("Monthly")}});
    RecColl coll(m_db.ReportTable(), id, QStringLiteral("_rptdef"));
    ASSERT_TRUE(m_db.ReadRecord(coll, false));
    EXPECT_FALSE(m_db.ReadRecord(coll, false));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Error"));
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("clsDB_ReadRecord")));
    EXPECT_EQ(coll.count(), 8);
    EXPECT_EQ(coll.text(QStringLiteral("title")), QStringLiteral("Monthly"));
}

TEST_F(ReadRecordTest, CountsAndExistence)
{
    const QString path = m_db.IssuesTable();
    EXPECT_EQ(m_db.GetRecCount(path, QStringLiteral("rowid")), 0);
    for (int i = 0; i < 3; ++i)
        saveNew(path, QStringLiteral("_issue"), {{QStringLiteral("status"), QStringLiteral("400")}});
    EXPECT_EQ(m_db.GetRecCount(path, QStringLiteral("rowid")), 3);
    EXPECT_EQ(m_db.RecordExists(2, 1001, path, QStringLiteral("rowid"), QStringLiteral("rowid")), 1001);
    EXPECT_EQ(m_db.RecordExists(2, 1005, path, QStringLiteral("rowid"), QStringLiteral("rowid")), -1);
    EXPECT_EQ(m_db.RecordExists(2, 400, path, QStringLiteral("status"), QStringLiteral("rowid")), 1000);
    EXPECT_TRUE(m_db.RecordExistsNoTag(2, 400, QStringLiteral("status"), path));
    EXPECT_FALSE(m_db.RecordExistsNoTag(2, 401, QStringLiteral("status"), path));
    EXPECT_EQ(m_db.IssuesOutstanding(), 1);
    EXPECT_EQ(m_db.GetRecCount(m_folder.file(QStringLiteral("none.dbf")), QStringLiteral("rowid")), -1);
}

TEST_F(ReadRecordTest, DeletedRowIsGoneFromTagsButStillCountedFast)
{
    const QString path = m_db.IssuesTable();
    const int keep = saveNew(path, QStringLiteral("_issue"), {{QStringLiteral("status"), QStringLiteral("401")}});
    const int gone = saveNew(path, QStringLiteral("_issue"), {{QStringLiteral("status"), QStringLiteral("400")}});
    ASSERT_TRUE(m_db.DeleteRecord(gone, path));
    EXPECT_TRUE(read(path, gone, QStringLiteral("_issue")).isEmpty());
    EXPECT_EQ(read(path, keep, QStringLiteral("_issue")).count(), 18);
    EXPECT_EQ(m_db.RecordExists(2, gone, path, QStringLiteral("rowid"), QStringLiteral("rowid")), -1);
    EXPECT_FALSE(m_db.RecordExistsNoTag(2, 400, QStringLiteral("status"), path));
    EXPECT_EQ(m_db.GetRecCount(path, QStringLiteral("rowid")), 1);
    EXPECT_EQ(m_db.GetRecCountFast(path, QStringLiteral("rowid")), 2);
}

TEST_F(ReadRecordTest, CallersHandleStaysOpenAndUnchanged)
{
    const QString path = m_db.IssuesTable();
    const int id = saveNew(path, QStringLiteral("_issue"), {});
    DATA4* handle = m_db.OpenTable(path);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(m_db.RecordExists(2, id, path, QStringLiteral("rowid"), QStringLiteral("rowid"), handle), id);
    EXPECT_EQ(d4recNo(handle), 1);   // still open, on the row found
    EXPECT_TRUE(m_db.RecordExistsNoTag(2, id, QStringLiteral("rowid"), path, handle));
    EXPECT_EQ(m_db.CBEngine()->openCount(), 1u);
    d4close(handle);
    EXPECT_EQ(m_db.RecordExists(2, id, path, QStringLiteral("rowid"), QStringLiteral("rowid")), id);
    EXPECT_EQ(m_db.CBEngine()->openCount(), 0u);
}

} // namespace
} // namespace bmtest
