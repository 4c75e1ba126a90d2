#include "DataFixture.h"

#include "common/Clock.h"
#include "common/clsSystem.h"

#include <QFile>

namespace bmtest {
namespace {

class SaveRecordTest : public DataTest {};

TEST_F(SaveRecordTest, NewRowsGetIdentifiersPerTableFrom1000)
{
    const QString cust = m_db.CustomerTable();
    const QString issues = m_db.IssuesTable();
    EXPECT_EQ(saveNew(cust, QStringLiteral("_customer"), {{QStringLiteral("lastname"), QStringLiteral("Ames")}}), 1000);
    EXPECT_EQ(lastId(QStringLiteral("bcccust.dbf")), 1001);
    EXPECT_EQ(saveNew(issues, QStringLiteral("_issue"), {}), 1000);
    EXPECT_EQ(saveNew(cust, QStringLiteral("_customer"), {}), 1001);
    EXPECT_EQ(lastId(QStringLiteral("bcccust.dbf")), 1002);
    EXPECT_EQ(lastId(QStringLiteral("bccissues.dbf")), 1001);
    EXPECT_TRUE(m_prompts.shown().isEmpty()) << shownTexts().join(QLatin1Char('|')).toStdString();
}

// A damaged index is named in the message of the save it stops.
TEST_F(SaveRecordTest, ADamagedIndexFailsTheSaveWithItsNameAndTheRemedy)
{
    EXPECT_EQ(saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {}), 1000);
    m_db.endSession();
    // The first tag's header (0x600) names its root page: one off the page grid.
    QFile cdx(m_folder.file(QStringLiteral("bcccust.cdx")));
    ASSERT_TRUE(cdx.open(QIODevice::ReadWrite));
    ASSERT_TRUE(cdx.seek(0x600));
    ASSERT_EQ(cdx.write("\x34\x12\0\0", 4), 4);
    cdx.close();
    ASSERT_TRUE(m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin")));

    RecColl coll = newColl(m_db.CustomerTable(), QStringLiteral("_customer"));
    EXPECT_FALSE(m_db.SaveRecord(coll, false));
    const QString shown = shownTexts().join(QLatin1Char('|'));
    EXPECT_TRUE(shown.contains(m_folder.file(QStringLiteral("bcccust.cdx")))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("is damaged; re-index it with Database Maintenance"))) << shown.toStdString();
}

TEST_F(SaveRecordTest, AnyRowidBelowOneAppendsAndReturnsTheNewIdentifier)
{
    for (int rowid : {0, -1, -4711}) {
        RecColl coll = newColl(m_db.ReportTable(), QStringLiteral("_rptdef"), rowid);
        ASSERT_TRUE(m_db.SaveRecord(coll, false));
        EXPECT_GE(coll.value(QStringLiteral("_rowid")).toInt(), 1000);
    }
    EXPECT_EQ(m_db.GetRecCountFast(m_db.ReportTable(), QStringLiteral("rowid")), 3);
}

TEST_F(SaveRecordTest, StaleIdentifierIsReportedUnlessQuiet)
{
    struct Case {
        bool quiet;
        QStringList messages;
    };
    const Case cases[] = {{false, {QStringLiteral("ROWID NOT FOUND: Unable to update record!")}}, {true, {}}};
    for (const Case& c : cases) {
        m_prompts.clear();
        RecColl coll = newColl(m_db.CustomerTable(), QStringLiteral("_customer"), 4711);
        EXPECT_FALSE(m_db.SaveRecord(coll, c.quiet));
        EXPECT_EQ(shownTexts(), c.messages);
        EXPECT_EQ(m_db.GetRecCountFast(m_db.CustomerTable(), QStringLiteral("rowid")), 0);
    }
}

TEST_F(SaveRecordTest, UnknownRecordTypeIsRefusedBeforeAnythingIsWritten)
{
    for (const QString& rectype : {QStringLiteral("_Customer"), QStringLiteral("_lastedit"), QStringLiteral("x")}) {
        RecColl coll(m_db.CustomerTable(), -1, rectype);
        EXPECT_FALSE(m_db.SaveRecord(coll, false)) << rectype.toStdString();
    }
    EXPECT_EQ(m_db.GetRecCountFast(m_db.CustomerTable(), QStringLiteral("rowid")), 0);
    EXPECT_EQ(lastId(QStringLiteral("bcccust.dbf")), -1);
}

TEST_F(SaveRecordTest, MissingFieldEntryEndsTheSaveWithoutARow)
{
    RecColl coll = newColl(m_db.CustomerTable(), QStringLiteral("_customer"));
    coll.remove(QStringLiteral("city"));
    EXPECT_FALSE(m_db.SaveRecord(coll, false));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("clsDB_SaveRecord")));
    EXPECT_EQ(m_db.GetRecCountFast(m_db.CustomerTable(), QStringLiteral("rowid")), 0);
}

TEST_F(SaveRecordTest, NumbersDatesAndTimesAreStoredByKind)
{
    struct Case {
        QString text;
        QVariant custcat;   // read back as a whole number
    };
    const int id = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {{QStringLiteral("custcat"), QStringLiteral("7")}});
    const Case cases[] = {{QStringLiteral("12"), 12}, {QStringLiteral("abc"), 12}, {QString(), 12}, {QStringLiteral("-1"), -1}};
    for (const Case& c : cases) {
        RecColl coll = newColl(m_db.CustomerTable(), QStringLiteral("_customer"), id);
        coll.set(QStringLiteral("custcat"), c.text);
        ASSERT_TRUE(m_db.SaveRecord(coll, false));
        EXPECT_EQ(read(m_db.CustomerTable(), id, QStringLiteral("_customer")).value(QStringLiteral("custcat")), c.custcat)
            << c.text.toStdString();
    }
    // A new row given no number keeps the field blank, which reads as 0.
    const int blank = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {{QStringLiteral("state"), QStringLiteral("x")}});
    EXPECT_EQ(read(m_db.CustomerTable(), blank, QStringLiteral("_customer")).value(QStringLiteral("state")), 0);
}

TEST_F(SaveRecordTest, DateFieldsStoreTheStoredFormOrNothing)
{
    const QString date = Sys().DBDateToDislayDate(QStringLiteral("20240229"), QStringLiteral("Short Date"));
    const int id = saveNew(m_db.Customers2PSTable(), QStringLiteral("_ps"),
                           {{QStringLiteral("dateinit"), date}, {QStringLiteral("dateterm"), QStringLiteral("soon")}});
    const RecColl row = read(m_db.Customers2PSTable(), id, QStringLiteral("_ps"));
    EXPECT_EQ(row.text(QStringLiteral("dateinit")), QStringLiteral("20240229"));
    EXPECT_EQ(row.text(QStringLiteral("dateterm")), QString());
}

TEST_F(SaveRecordTest, LongMemoIsWrittenAndReadWhole)
{
    QString memo;
    for (int i = 0; memo.size() < 40000; ++i)
        memo += QStringLiteral("line %1 äöü\r\n").arg(i);
    memo.truncate(39999);
    memo += QLatin1Char('.');   // reading trims blanks at the ends
    const int id = saveNew(m_db.IssuesTable(), QStringLiteral("_issue"), {{QStringLiteral("desc"), memo}});
    ASSERT_GE(id, 1000);
    const QString back = read(m_db.IssuesTable(), id, QStringLiteral("_issue")).text(QStringLiteral("desc"));
    EXPECT_EQ(back.size(), 40000);
    EXPECT_TRUE(back == memo);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(SaveRecordTest, StampIsWrittenByEverySaveButMarksAndActions)
{
    const int rep = saveNew(m_db.ReportTable(), QStringLiteral("_rptdef"), {{QStringLiteral("title"), QStringLiteral("A")}});
    RecColl stamp = read(m_db.ReportTable(), rep, QStringLiteral("_lastedit"));
    EXPECT_EQ(stamp.value(QStringLiteral("lastmodby")), 1000);
    EXPECT_EQ(stamp.text(QStringLiteral("lastmoddt")), QStringLiteral("20240315"));
    EXPECT_EQ(stamp.text(QStringLiteral("lastmodtm")), QStringLiteral("14:05:09"));

    Clock::setFixed(QDateTime(QDate(2025, 1, 2), QTime(8, 0, 0)));
    RecColl lock(m_db.ReportTable(), rep, QStringLiteral("_lockinfo"));
    lock.add(QStringLiteral("editoper"), QStringLiteral("S"));
    ASSERT_TRUE(m_db.SaveRecord(lock, true));
    EXPECT_EQ(read(m_db.ReportTable(), rep, QStringLiteral("_lastedit")).text(QStringLiteral("lastmoddt")),
              QStringLiteral("20240315"));

    const int action = saveNew(m_db.IssuesActionsTable(), QStringLiteral("_issueaction"),
                               {{QStringLiteral("duration"), QStringLiteral("1.25")}});
    EXPECT_EQ(action, 1000);
}

TEST_F(SaveRecordTest, LockInfoSetsOrClearsTheMark)
{
    const int id = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {});
    struct Case {
        QString oper;
        int underedit;
        QString station;
    };
    const QString desk = QStringLiteral("DESK1");
    const Case cases[] = {{QStringLiteral("S"), 1000, desk}, {QStringLiteral("C"), 0, QString()},
                          {QStringLiteral("c"), 1000, desk}, {QStringLiteral("C"), 0, QString()}};
    for (const Case& c : cases) {
        RecColl coll(m_db.CustomerTable(), id, QStringLiteral("_lockinfo"));
        coll.add(QStringLiteral("editoper"), c.oper);
        ASSERT_TRUE(m_db.SaveRecord(coll, true));
        const RecColl mark = read(m_db.CustomerTable(), id, QStringLiteral("_lockinfo"));
        EXPECT_EQ(mark.value(QStringLiteral("underedit")), c.underedit) << c.oper.toStdString();
        EXPECT_EQ(mark.text(QStringLiteral("edtstation")), c.station) << c.oper.toStdString();
    }
}

} // namespace
} // namespace bmtest
