#include "LoginFixture.h"

#include "common/Clock.h"
#include "common/ProgramEnv.h"

namespace bmtest {
namespace {

class UnderEditTest : public LoginTest {
protected:
    void SetUp() override
    {
        LoginTest::SetUp();
        if (IsSkipped())
            return;
        m_other = addUser({QStringLiteral("olga")});
        m_cust = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {{QStringLiteral("company"), QStringLiteral("Acme")}});
        ASSERT_GE(m_cust, 1000);
    }
    RecColl mark() { return read(m_db.CustomerTable(), m_cust, QStringLiteral("_lockinfo")); }
    RecColl stamp() { return read(m_db.CustomerTable(), m_cust, QStringLiteral("_lastedit")); }
    // The mark as another user on another machine would set it.
    void markAsOther()
    {
        ProgramEnv::setComputerName(QStringLiteral("OFFICE2"));
        ASSERT_TRUE(m_db.startSession(m_folder.path(), m_other, QStringLiteral("olga")));
        ASSERT_TRUE(m_db.SetEditInfo(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), m_cust, false));
        ProgramEnv::setComputerName(QStringLiteral("DESK1"));
        ASSERT_TRUE(m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin")));
    }
    bool notUnderEdit(qint32 rowid)
    {
        return m_db.CheckIfRecNotUnderEdit(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), rowid);
    }
    bool setMark(qint32 rowid, bool clear)
    {
        return m_db.SetEditInfo(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), rowid, clear);
    }

    int m_other = 0;
    int m_cust = 0;
};

TEST_F(UnderEditTest, FreeRowAsksNothingAndTakesTheMarkWithoutStamping)
{
    const RecColl before = stamp();
    Clock::setFixed(QDateTime(QDate(2025, 1, 2), QTime(8, 0, 0)));
    EXPECT_TRUE(notUnderEdit(m_cust));
    EXPECT_TRUE(m_windows.marksShown().isEmpty());
    ASSERT_TRUE(setMark(m_cust, false));
    EXPECT_EQ(mark().value(QStringLiteral("underedit")).toInt(), 1000);
    EXPECT_EQ(mark().text(QStringLiteral("edtstation")), QStringLiteral("DESK1"));
    ASSERT_TRUE(setMark(m_cust, true));
    EXPECT_EQ(mark().value(QStringLiteral("underedit")).toInt(), 0);
    EXPECT_EQ(mark().text(QStringLiteral("edtstation")), QString());
    for (const QString& key : {QStringLiteral("lastmodby"), QStringLiteral("lastmoddt"), QStringLiteral("lastmodtm")})
        EXPECT_EQ(stamp().value(key), before.value(key)) << key.toStdString();
}

TEST_F(UnderEditTest, AnotherUsersMarkShowsTheDialogAndItsAnswerDecides)
{
    markAsOther();
    m_windows.editAnyway(true).editAnyway(false);
    EXPECT_TRUE(notUnderEdit(m_cust));
    EXPECT_FALSE(notUnderEdit(m_cust));
    ASSERT_EQ(m_windows.marksShown().size(), 2);
    EXPECT_EQ(m_windows.marksShown().first().userName, QStringLiteral("olga"));
    EXPECT_EQ(m_windows.marksShown().first().computerName, QStringLiteral("OFFICE2"));
    // Editing anyway takes the mark over.
    ASSERT_TRUE(setMark(m_cust, false));
    EXPECT_EQ(mark().value(QStringLiteral("underedit")).toInt(), 1000);
}

TEST_F(UnderEditTest, OwnLeftOverMarkIsShownToo)
{
    ASSERT_TRUE(setMark(m_cust, false));
    EXPECT_FALSE(notUnderEdit(m_cust));
    ASSERT_EQ(m_windows.marksShown().size(), 1);
    EXPECT_EQ(m_windows.marksShown().first().userName, QStringLiteral("admin"));
}

TEST_F(UnderEditTest, ClearingAnotherUsersMarkOrAFreeRowWritesNothing)
{
    // The table file's bytes: not even a last-edit stamp may change.
    const auto tableBytes = [this] {
        QFile file(m_db.CustomerTable());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    QByteArray before = tableBytes();
    EXPECT_FALSE(setMark(m_cust, true));   // free row
    EXPECT_EQ(tableBytes(), before);
    markAsOther();
    before = tableBytes();
    EXPECT_FALSE(setMark(m_cust, true));
    EXPECT_EQ(tableBytes(), before);
    EXPECT_EQ(mark().value(QStringLiteral("underedit")).toInt(), m_other);
    EXPECT_EQ(mark().text(QStringLiteral("edtstation")), QStringLiteral("OFFICE2"));
    EXPECT_EQ(read(m_db.CustomerTable(), m_cust, QStringLiteral("_customer")).text(QStringLiteral("company")),
              QStringLiteral("Acme"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(UnderEditTest, RowsNotYetStoredOrGone)
{
    EXPECT_FALSE(setMark(-1, false));
    EXPECT_TRUE(notUnderEdit(-1));
    EXPECT_TRUE(m_windows.marksShown().isEmpty());

    ASSERT_TRUE(m_db.DeleteRecord(m_cust, m_db.CustomerTable()));
    EXPECT_TRUE(notUnderEdit(m_cust));
    EXPECT_FALSE(setMark(m_cust, false));
    EXPECT_FALSE(m_db.CheckIfRecExists(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), m_cust, true));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_FALSE(m_db.CheckIfRecExists(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), m_cust, false));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Record cannot be accessed or no longer exists. It may have been deleted by another user."));
    EXPECT_EQ(m_prompts.last().style, 3);
}

} // namespace
} // namespace bmtest
