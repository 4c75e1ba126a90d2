#include "LoginFixture.h"


namespace bmtest {
namespace {

class PermissionsTest : public LoginTest {
protected:
    // Which of the seven checks pass, in the order of their positions.
    std::array<bool, 7> checks()
    {
        return {m_db.Perm_Customers(), m_db.Perm_PS(),         m_db.Perm_Issues(),  m_db.Perm_Reports(),
                m_db.Perm_ReportsMailEmail(), m_db.Perm_ListMgmt(), m_db.Perm_DBAdmin()};
    }
};

TEST_F(PermissionsTest, DefaultStringGrantsTheFirstFour)
{
    EXPECT_EQ(m_db.GetDefaultPermissionsStr(), QStringLiteral("1111") + QString(26, QLatin1Char('0')));
}

TEST_F(PermissionsTest, AdministratorPassesEveryCheckWhateverTheString)
{
    addUser({QStringLiteral("boss"), true, QStringLiteral("1"), QString(30, QLatin1Char('0'))});
    ASSERT_TRUE(logInAs(QStringLiteral("boss"), QStringLiteral("boss")));
    const std::array<bool, 7> all{true, true, true, true, true, true, true};
    EXPECT_EQ(checks(), all);
    EXPECT_TRUE(m_db.Perm_ReportsNoMsg());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(PermissionsTest, DefaultUserIsRefusedMailListsAndAdministrationByName)
{
    addUser({QStringLiteral("Clerk"), true, QStringLiteral("0"), m_db.GetDefaultPermissionsStr()});
    ASSERT_TRUE(logInAs(QStringLiteral("Clerk"), QStringLiteral("clerk")));
    const std::array<bool, 7> expected{true, true, true, true, false, false, false};
    EXPECT_EQ(checks(), expected);
    ASSERT_EQ(m_prompts.shown().size(), 3);
    for (const ShownPrompt& p : m_prompts.shown()) {
        EXPECT_EQ(p.kind, ShownPrompt::Kind::MessageWindow);
        EXPECT_EQ(p.text, QStringLiteral("Sorry, you are not permitted to perform this action. Please ask your system "
                                         "administrator to grant this permission to your login 'Clerk'. After your "
                                         "system administrator has granted you the permission, you will need to close "
                                         "down and then re-open Brindlemark."));
        EXPECT_EQ(p.style, 4);
    }
    EXPECT_TRUE(m_prompts.last().text.contains(QStringLiteral("your login 'Clerk'")));
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("re-open Brindlemark.")));
}

TEST_F(PermissionsTest, OnlyACharacterOneGrants)
{
    addUser({QStringLiteral("odd"), true, QStringLiteral("0"), QStringLiteral("1x 1T")});
    ASSERT_TRUE(logInAs(QStringLiteral("odd"), QStringLiteral("odd")));
    const std::array<bool, 7> expected{true, false, false, true, false, false, false};
    EXPECT_EQ(checks(), expected);
}

TEST_F(PermissionsTest, EmptyStringRefusesAllAndTheQuietCheckSaysNothing)
{
    addUser({QStringLiteral("none")});
    ASSERT_TRUE(logInAs(QStringLiteral("none"), QStringLiteral("none")));
    EXPECT_FALSE(m_db.Perm_ReportsNoMsg());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_FALSE(m_db.Perm_Customers());
    EXPECT_EQ(m_prompts.shown().size(), 1);
}

TEST_F(PermissionsTest, ChangedPermissionsWaitForTheNextLogin)
{
    const int id = addUser({QStringLiteral("later")});
    ASSERT_TRUE(logInAs(QStringLiteral("later"), QStringLiteral("later")));
    RecColl user = read(m_db.UserTable(), id, QStringLiteral("_userinfo"));
    user.set(QStringLiteral("perm"), QStringLiteral("1"));
    ASSERT_TRUE(m_db.SaveRecord(user, false));
    EXPECT_FALSE(m_db.CheckPerm(1, true));
    ASSERT_TRUE(logInAs(QStringLiteral("later"), QStringLiteral("later")));
    EXPECT_TRUE(m_db.CheckPerm(1, true));
}

} // namespace
} // namespace bmtest
