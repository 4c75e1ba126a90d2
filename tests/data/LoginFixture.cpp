#include "LoginFixture.h"

namespace bmtest {

void LoginTest::SetUp()
{
    m_settings = std::make_unique<SettingsFile::Override>(m_settingsFolder.file(QStringLiteral("settings.ini")));
    DataTest::SetUp();
}

void LoginTest::TearDown()
{
    m_db.CloseDB();
    DataTest::TearDown();
    m_settings.reset();
}

int LoginTest::addUser(const User& user)
{
    return saveNew(m_db.UserTable(), QStringLiteral("_userinfo"),
                   {{QStringLiteral("login"), user.login},
                    {QStringLiteral("useractive"), user.active ? QStringLiteral("T") : QStringLiteral("F")},
                    {QStringLiteral("usertype"), user.usertype},
                    {QStringLiteral("perm"), user.perm},
                    {QStringLiteral("firstname"), user.firstname},
                    {QStringLiteral("lastname"), user.lastname}});
}

bool LoginTest::logInAs(const QString& login, const QString& password)
{
    m_db.CloseDB();
    m_windows.tryLogin(login, password);
    return m_db.OpenDB(m_folder.path());
}

} // namespace bmtest
