#include "LoginFixture.h"

#include "data/ParamFlags.h"

namespace bmtest {
namespace {

class ParametersTest : public LoginTest {
protected:
    qint32 rows() { return m_db.GetRecCount(m_db.ParamTable(), QStringLiteral("sid")); }
};

TEST_F(ParametersTest, KeysMatchInAnyCaseAndValuesReadTrimmed)
{
    EXPECT_TRUE(m_db.SetParamValue(QStringLiteral("enable_issue_templates"), QStringLiteral("1")));
    EXPECT_EQ(m_db.GetParamValue(QStringLiteral("ENABLE_ISSUE_TEMPLATES")), QStringLiteral("1"));
    EXPECT_TRUE(IsIssueTemplatesEnabled());
    EXPECT_TRUE(m_db.SetParamValue(QStringLiteral("Enable_Issue_Templates"), QStringLiteral(" 1 ")));
    EXPECT_EQ(m_db.GetParamValue(QStringLiteral("enable_issue_templates")), QStringLiteral("1"));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(m_db.GetParamValue(QStringLiteral("NO_SUCH_KEY")), QString());
}

TEST_F(ParametersTest, OnlyExactlyOneTurnsTheSwitchesOn)
{
    EXPECT_FALSE(IsIssueTemplatesEnabled());   // no row
    EXPECT_EQ(CustomerNameDisplayFlag(), 0);
    const std::pair<QString, bool> cases[] = {{QStringLiteral("1"), true},  {QStringLiteral("0"), false},
                                              {QString(), false},           {QStringLiteral("11"), false},
                                              {QStringLiteral("yes"), false}, {QStringLiteral("  1"), true}};
    for (const auto& [value, on] : cases) {
        ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("CUSTOMERNAME_DISPLAY"), value));
        ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("ENABLE_ISSUE_TEMPLATES"), value));
        EXPECT_EQ(CustomerNameDisplayFlag(), on ? 1 : 0) << value.toStdString();
        EXPECT_EQ(IsIssueTemplatesEnabled(), on) << value.toStdString();
    }
    EXPECT_EQ(rows(), 2);
}

TEST_F(ParametersTest, LabelOfAFieldNeverTouchesALongerKey)
{
    const QString first = m_db.MakeCustomFieldParamName(QStringLiteral("bcccust.dbf"), QStringLiteral("emailname"));
    const QString second = m_db.MakeCustomFieldParamName(QStringLiteral("bcccust.dbf"), QStringLiteral("emailname2"));
    EXPECT_EQ(first, QStringLiteral("bcccust.dbf_emailname"));
    ASSERT_TRUE(m_db.SetParamValue(second, QStringLiteral("Other E-mail")));
    EXPECT_EQ(m_db.GetParamValue(first), QString());
    ASSERT_TRUE(m_db.SetParamValue(first, QStringLiteral("E-mail")));
    EXPECT_EQ(m_db.GetParamValue(first), QStringLiteral("E-mail"));
    EXPECT_EQ(m_db.GetParamValue(second), QStringLiteral("Other E-mail"));
    ASSERT_TRUE(m_db.SetParamValue(first, QString()));   // back to the built-in label
    EXPECT_EQ(m_db.GetParamValue(first), QString());
    EXPECT_EQ(m_db.GetParamValue(second), QStringLiteral("Other E-mail"));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(m_db.MakeCustomFieldParamName(QStringLiteral("bccissues.dbf"), QStringLiteral("issuecat")),
              QStringLiteral("bccissues.dbf_issuecat"));
}

TEST_F(ParametersTest, ValuesOfAnyLengthAreStoredUnchanged)
{
    const QString longValue = QString(40000, QLatin1Char('x')) + QStringLiteral(" end");
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("LONG"), longValue));
    EXPECT_EQ(m_db.GetParamValue(QStringLiteral("long")), longValue);
}

TEST_F(ParametersTest, ANewKeyWaitsForAnotherUsersAppend)
{
    {
        LockHolder holder(m_db.ParamTable(), 0);
        ASSERT_TRUE(holder.holding());
        EXPECT_FALSE(m_db.SetParamValue(QStringLiteral("NEWKEY"), QStringLiteral("v")));
        ASSERT_EQ(m_prompts.shown().size(), 1);
        EXPECT_EQ(m_prompts.last().text, QStringLiteral("RECORD LOCKED: Unable to update record!"));
    }
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(m_db.SetParamValue(QStringLiteral("NEWKEY"), QStringLiteral("v")));
    EXPECT_EQ(rows(), 1);
}

TEST_F(ParametersTest, ALockedRowKeepsItsOldValue)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("KEY"), QStringLiteral("old")));
    {
        LockHolder holder(m_db.ParamTable(), 1);
        ASSERT_TRUE(holder.holding());
        EXPECT_FALSE(m_db.SetParamValue(QStringLiteral("KEY"), QStringLiteral("new")));
        EXPECT_EQ(m_prompts.last().text, QStringLiteral("RECORD LOCKED: Unable to update record!"));
    }
    EXPECT_EQ(m_db.GetParamValue(QStringLiteral("KEY")), QStringLiteral("old"));
}

} // namespace
} // namespace bmtest
