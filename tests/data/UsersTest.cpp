#include "DataFixture.h"

#include "common/clsSystem.h"

namespace bmtest {
namespace {

class UsersTest : public DataTest {
protected:
    int newUser(const QString& login)
    {
        return saveNew(m_db.UserTable(), QStringLiteral("_userinfo"),
                       {{QStringLiteral("login"), login}, {QStringLiteral("password"), QStringLiteral("ignored")},
                        {QStringLiteral("useractive"), QStringLiteral("T")}, {QStringLiteral("usertype"), QStringLiteral("0")}});
    }
    QString storedPassword(int id)
    {
        return read(m_db.UserTable(), id, QStringLiteral("_userinfo")).text(QStringLiteral("password"));
    }
};

TEST_F(UsersTest, ShippedAdministratorReadsBack)
{
    const RecColl admin = read(m_db.UserTable(), 1000, QStringLiteral("_userinfo"));
    EXPECT_EQ(admin.text(QStringLiteral("login")), QStringLiteral("admin"));
    EXPECT_EQ(admin.text(QStringLiteral("password")), Sys().StringToHexStr(QStringLiteral("vorne")));
    EXPECT_EQ(admin.text(QStringLiteral("usertype")), QStringLiteral("1"));
    EXPECT_EQ(admin.text(QStringLiteral("useractive")), QStringLiteral("T"));
    EXPECT_EQ(admin.text(QStringLiteral("perm")), QString(30, QLatin1Char('1')));
    // The next user never takes the administrator's identifier.
    EXPECT_EQ(newUser(QStringLiteral("bob")), 1001);
}

TEST_F(UsersTest, NewUserGetsTheLoginAsPasswordAndSavesNeverChangeIt)
{
    const int id = newUser(QStringLiteral("Carol"));
    EXPECT_EQ(storedPassword(id), QStringLiteral("6361726F6C"));   // "carol"

    RecColl edit = read(m_db.UserTable(), id, QStringLiteral("_userinfo"));
    edit.set(QStringLiteral("login"), QStringLiteral("carola"));
    edit.set(QStringLiteral("password"), QStringLiteral("secret"));
    ASSERT_TRUE(m_db.SaveRecord(edit, false));
    EXPECT_EQ(storedPassword(id), QStringLiteral("6361726F6C"));
}

TEST_F(UsersTest, SetPasswordStoresLowerCaseOrResetsToTheLogin)
{
    const int id = newUser(QStringLiteral("dave"));
    struct Case {
        QString typed;
        QString stored;
    };
    const Case cases[] = {{QStringLiteral("NewPass"), Sys().StringToHexStr(QStringLiteral("newpass"))},
                          {QString(), Sys().StringToHexStr(QStringLiteral("dave"))},
                          {QStringLiteral("x y"), Sys().StringToHexStr(QStringLiteral("x y"))}};
    for (const Case& c : cases) {
        RecColl coll(m_db.UserTable(), id, QStringLiteral("_setpwd"));
        coll.add(QStringLiteral("password"), c.typed);
        ASSERT_TRUE(m_db.SaveRecord(coll, false));
        EXPECT_EQ(storedPassword(id), c.stored) << c.typed.toStdString();
    }
}

TEST_F(UsersTest, LoginUniquenessIgnoresCaseAndTheEditedRow)
{
    const int bob = newUser(QStringLiteral("bob"));
    const int bobby = newUser(QStringLiteral("bobby"));
    struct Case {
        int rowid;
        QString login;
        bool unique;
    };
    const Case cases[] = {{-1, QStringLiteral("BOB"), false},   {bob, QStringLiteral("Bob"), true},
                          {bobby, QStringLiteral("bob"), false}, {bob, QStringLiteral("bobby"), false},
                          {-1, QStringLiteral("bo"), true},      {-1, QStringLiteral("carl"), true}};
    for (const Case& c : cases)
        EXPECT_EQ(m_db.IsUniqueVal(c.rowid, c.login, QStringLiteral("login"), m_db.UserTable()), c.unique)
            << c.login.toStdString() << " " << c.rowid;
}

TEST_F(UsersTest, ActiveUserTagCountsOnlyActiveUsers)
{
    newUser(QStringLiteral("erin"));
    saveNew(m_db.UserTable(), QStringLiteral("_userinfo"),
            {{QStringLiteral("login"), QStringLiteral("frank")}, {QStringLiteral("useractive"), QStringLiteral("F")}});
    EXPECT_EQ(m_db.GetRecCount(m_db.UserTable(), QStringLiteral("ACTIVEUSER")), 2);
    EXPECT_EQ(m_db.GetRecCount(m_db.UserTable(), QStringLiteral("rowid")), 3);
}

TEST_F(UsersTest, FlagTexts)
{
    EXPECT_TRUE(m_db.TorF2Bool(QStringLiteral("t")));
    EXPECT_FALSE(m_db.TorF2Bool(QStringLiteral("F")));
    EXPECT_FALSE(m_db.TorF2Bool(QString()));
    EXPECT_EQ(m_db.TorF2Str(QStringLiteral("T")), QStringLiteral("Yes"));
    EXPECT_EQ(m_db.TorF2Str(QStringLiteral("x")), QStringLiteral("No"));
}

} // namespace
} // namespace bmtest
