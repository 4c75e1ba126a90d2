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

// A password that the stored form can't hold would be saved yet never log
// in; it is refused, with the rule it breaks, and the row stays as it was.
TEST_F(UsersTest, SetPasswordRefusesPasswordsThatCouldNeverLogIn)
{
    const int id = newUser(QStringLiteral("erik"));
    const QString before = storedPassword(id);
    struct Case {
        QString typed;
        QString message;
    };
    const Case cases[] = {
        {QStringLiteral("łódź123"),
         QStringLiteral("The password can't contain 'ł'! A password can only use the letters, digits and signs of "
                        "Western European languages.")},
        {QStringLiteral("abc\U0001F600"),
         QStringLiteral("The password can't contain '\U0001F600'! A password can only use the letters, digits and "
                        "signs of Western European languages.")},
        {QString(21, QLatin1Char('x')),
         QStringLiteral("The password is too long! A password can have at most 20 characters.")},
    };
    for (const Case& c : cases) {
        m_prompts.clear();
        EXPECT_FALSE(m_db.SetPassword(id, c.typed)) << c.typed.toStdString();
        EXPECT_EQ(shownTexts(), QStringList{c.message});
        EXPECT_EQ(storedPassword(id), before);
    }

    // At the limit, and with letters of the code page, the password is kept
    // and logs in.
    for (const QString& typed : {QString(20, QLatin1Char('y')), QStringLiteral("Größe€µ")}) {
        m_prompts.clear();
        ASSERT_TRUE(m_db.SetPassword(id, typed));
        EXPECT_TRUE(shownTexts().isEmpty());
        qint32 userId = 0;
        bool isAdmin = true;
        QString perm;
        EXPECT_TRUE(m_db.VerifyLogin(QStringLiteral("ERIK"), typed, userId, isAdmin, perm)) << typed.toStdString();
        EXPECT_EQ(userId, id);
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
    // ACTIVEUSER keys the login too, under a name of its own.
    for (const QString& tag : {QStringLiteral("login"), QStringLiteral("ACTIVEUSER")}) {
        for (const Case& c : cases)
            EXPECT_EQ(m_db.IsUniqueVal(c.rowid, c.login, tag, m_db.UserTable()), c.unique)
                << tag.toStdString() << " " << c.login.toStdString() << " " << c.rowid;
    }
    EXPECT_TRUE(m_prompts.shown().isEmpty());
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
