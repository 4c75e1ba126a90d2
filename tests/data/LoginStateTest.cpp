#include "LoginFixture.h"

#include "common/clsSystem.h"
#include "common/mdlRegistry.h"

namespace bmtest {
namespace {

using LoginStateTest = LoginTest;

TEST_F(LoginStateTest, VerifyLoginMatchesTheWholeLoginAndThePasswordInAnyCase)
{
    addUser({QStringLiteral("bobby")});
    addUser({QStringLiteral("carol"), false});
    struct Case {
        QString login;
        QString password;
        bool accepted;
    };
    const Case cases[] = {
        {QStringLiteral("admin"), QStringLiteral("VORNE"), true},  {QStringLiteral("ADMIN"), QStringLiteral("vorne"), true},
        {QStringLiteral("Admin"), QStringLiteral("VoRnE"), true},  {QStringLiteral("admin"), QStringLiteral("vorn"), false},
        {QStringLiteral("adm"), QStringLiteral("vorne"), false},   {QStringLiteral("bobby"), QStringLiteral("BOBBY"), true},
        {QStringLiteral("bob"), QStringLiteral("bobby"), false},   {QStringLiteral("bob"), QStringLiteral("bob"), false},
        {QStringLiteral("carol"), QStringLiteral("carol"), false}, // inactive
        {QStringLiteral("nobody"), QStringLiteral("nobody"), false},
    };
    for (const Case& c : cases) {
        qint32 id = -7;
        bool admin = false;
        QString perm = QStringLiteral("untouched");
        EXPECT_EQ(m_db.VerifyLogin(c.login, c.password, id, admin, perm), c.accepted) << c.login.toStdString();
        if (!c.accepted) {
            EXPECT_EQ(perm, QStringLiteral("untouched"));
        }
    }
}

TEST_F(LoginStateTest, AdministratorHoldsEveryPermissionWhateverTheStoredString)
{
    const int boss = addUser({QStringLiteral("boss"), true, QStringLiteral("1"), QString(30, QLatin1Char('0'))});
    const int clerk = addUser({QStringLiteral("clerk"), true, QStringLiteral("0"), QStringLiteral("1010")});
    qint32 id = 0;
    bool admin = false;
    QString perm;
    ASSERT_TRUE(m_db.VerifyLogin(QStringLiteral("boss"), QStringLiteral("boss"), id, admin, perm));
    EXPECT_EQ(id, boss);
    EXPECT_TRUE(admin);
    EXPECT_EQ(perm, QString(30, QLatin1Char('1')));
    ASSERT_TRUE(m_db.VerifyLogin(QStringLiteral("clerk"), QStringLiteral("clerk"), id, admin, perm));
    EXPECT_EQ(id, clerk);
    EXPECT_FALSE(admin);
    EXPECT_EQ(perm, QStringLiteral("1010"));
}

TEST_F(LoginStateTest, AcceptedLoginFillsTheStateAndRemembersTheLoginAsTyped)
{
    const int id = addUser({QStringLiteral("Fred")});
    ASSERT_TRUE(logInAs(QStringLiteral(" Fred "), QStringLiteral("FRED")));
    EXPECT_EQ(m_db.LoginName(), QStringLiteral("Fred"));
    EXPECT_EQ(m_db.LoginID(), id);
    EXPECT_FALSE(m_db.IsAdminUser());
    EXPECT_EQ(m_db.password(), QStringLiteral("FRED"));
    EXPECT_EQ(GetPrefString(QStringLiteral("LastLogin")), QStringLiteral("Fred"));

    m_db.CloseDB();
    EXPECT_TRUE(m_db.LoginName().isEmpty());
    EXPECT_EQ(m_db.LoginID(), -1);
    // The next opening offers the remembered login in lower case; Fred still
    // has the initial password, so it is offered too.
    m_db.OpenDB(m_folder.path());
    EXPECT_EQ(m_windows.offers().last().login, QStringLiteral("fred"));
    EXPECT_EQ(m_windows.offers().last().password, QStringLiteral("fred"));
}

TEST_F(LoginStateTest, OfferedLoginDependsOnTheActiveUsers)
{
    // One active user: "admin", whose password is no longer the login.
    m_db.CloseDB();
    m_db.OpenDB(m_folder.path());
    EXPECT_EQ(m_windows.offers().last().login, QStringLiteral("admin"));
    EXPECT_TRUE(m_windows.offers().last().password.isEmpty());

    // Two active users and no remembered login: nothing offered.
    m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin"));
    addUser({QStringLiteral("dana")});
    m_db.CloseDB();
    m_db.OpenDB(m_folder.path());
    EXPECT_TRUE(m_windows.offers().last().login.isEmpty());
    EXPECT_TRUE(m_windows.offers().last().password.isEmpty());
}

TEST_F(LoginStateTest, RefusedTriesKeepTheDialogUntilOneIsAccepted)
{
    m_db.CloseDB();
    for (int i = 0; i < 5; ++i)
        m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("wrong"));
    m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("vorne"));
    EXPECT_TRUE(m_db.OpenDB(m_folder.path()));
    EXPECT_EQ(m_windows.refusedTries(), 5);
    EXPECT_TRUE(m_db.IsAdminUser());
}

TEST_F(LoginStateTest, UserServices)
{
    const int ann = addUser({QStringLiteral("ann")});
    EXPECT_EQ(m_db.GetUserPassword(QStringLiteral("ANN")), QStringLiteral("ann"));
    EXPECT_EQ(m_db.GetUserPassword(QStringLiteral("admin")), QStringLiteral("vorne"));
    EXPECT_EQ(m_db.GetUserPassword(QStringLiteral("an")), QString());
    EXPECT_EQ(m_db.GetUsername(ann), QStringLiteral("ann"));
    EXPECT_EQ(m_db.GetUsername(0), QString());
    EXPECT_EQ(m_db.GetUsername(4242), QString());
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    ASSERT_TRUE(m_db.SetPassword(ann, QStringLiteral("Secret")));
    EXPECT_EQ(m_db.GetUserPassword(QStringLiteral("ann")), QStringLiteral("secret"));
    ASSERT_TRUE(m_db.SetPassword(ann, QString()));
    EXPECT_EQ(m_db.GetUserPassword(QStringLiteral("ann")), QStringLiteral("ann"));
    EXPECT_FALSE(m_db.CreateAdminLogin());
}

TEST_F(LoginStateTest, UserTypeTexts)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("1"), QStringLiteral("administrator")}, {QStringLiteral("1x"), QStringLiteral("administrator")},
        {QStringLiteral("0"), QStringLiteral("user")},          {QString(), QStringLiteral("user")},
        {QStringLiteral(" 1"), QStringLiteral("user")}};
    for (const auto& [code, text] : cases)
        EXPECT_EQ(m_db.GetUserTypeStr(code), text) << code.toStdString();
}

TEST_F(LoginStateTest, UserRowsShowNamesWithTheLoginInLoginOrder)
{
    const int ann = addUser({QStringLiteral("ann"), true, QStringLiteral("0"), QString(), QStringLiteral("Ann"),
                             QStringLiteral("Smith")});
    const int bea = addUser({QStringLiteral("bea"), true, QStringLiteral("0"), QString(), QString(), QStringLiteral("Smith")});
    const int cy = addUser({QStringLiteral("cy"), false});
    const auto all = m_db.userRows(false);
    ASSERT_TRUE(all);
    // The shipped administrator has the last name "Administrator".
    const DbListRows expected{{1000, QStringLiteral("Administrator (admin)")},
                              {ann, QStringLiteral("Smith, Ann (ann)")},
                              {bea, QStringLiteral("Smith (bea)")},
                              {cy, QStringLiteral("cy")}};
    EXPECT_EQ(*all, expected);
    const auto active = m_db.userRows(true);
    ASSERT_TRUE(active);
    EXPECT_EQ(*active, expected.mid(0, 3));
}

TEST_F(LoginStateTest, CheckAdminRefusesOrdinaryUsers)
{
    addUser({QStringLiteral("eve")});
    ASSERT_TRUE(logInAs(QStringLiteral("eve"), QStringLiteral("eve")));
    EXPECT_FALSE(m_db.CheckAdmin());
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Only the users who have 'admin' role can perform this action!\r\n\r\nIf you believe you "
                             "should be able to perform this function, please ask your administrator to change your "
                             "role to 'admin' (See Database Admin, User Management icon)."));
    EXPECT_EQ(m_prompts.last().style, 2);
    ASSERT_TRUE(logInAs(QStringLiteral("admin"), QStringLiteral("vorne")));
    EXPECT_TRUE(m_db.CheckAdmin());
    EXPECT_EQ(m_prompts.shown().size(), 1);
}

} // namespace
} // namespace bmtest
