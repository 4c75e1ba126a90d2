#include "data/clsDB.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

namespace {

const QString kLastLoginValue = QStringLiteral("LastLogin");

} // namespace

bool clsDB::VerifyLogin(const QString& login, const QString& typedPassword, qint32& userId, bool& isAdmin,
                        QString& permissions)
{
    bool result = false;
    try {
        TableUse users(nullptr, OpenTable(UserTable()));
        if (!users)
            return false;
        selectTag(users.get(), "ACTIVEUSER");
        // "bob" must never pass as "bobby": the whole login has to match.
        m_lastResult = seekExact(users.get(), upperWin1252(login), needField(users.get(), "login"));
        if (m_lastResult != 0)
            return false;
        const QString stored = Sys().HexStrToString(trimBlanks(fieldText(needField(users.get(), "password"))));
        if (typedPassword.toLower() != stored.toLower())
            return false;
        userId = qint32(f4long(needField(users.get(), "rowid")));
        isAdmin = trimBlanks(fieldText(needField(users.get(), "usertype"))).toUpper() == AdminCode();
        permissions = isAdmin ? QString(30, QLatin1Char('1')) : trimBlanks(fieldText(needField(users.get(), "perm")));
        result = true;
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_VerifyLogin"), f.error);
    }
    return result;
}

bool clsDB::PromptLogin(const QString& folder)
{
    // A users table that can't be read would refuse every login as a wrong
    // password: its failure is shown once and the login ends as Cancel does.
    if (TableUse users(nullptr, OpenTable(UserTable())); !users)
        return false;
    const qint32 activeUsers = GetRecCount(UserTable(), QStringLiteral("ACTIVEUSER"));
    if (activeUsers < 1)
        AddAdminUser();
    QString login = GetPrefString(kLastLoginValue).toLower();
    if (login.isEmpty() && activeUsers < 2)
        login = QStringLiteral("admin");
    // A user who still has the initial password (the login) need not type it.
    QString offeredPassword;
    if (!login.isEmpty() && GetUserPassword(login) == login.toLower())
        offeredPassword = login;
    LoginAnswer answer;
    if (!DbWindows::current().promptLogin(folder, login, offeredPassword, answer))
        return false;
    return loadLogin(answer);
}

bool clsDB::loadLogin(const LoginAnswer& answer)
{
    m_loginName = answer.LoginName;
    m_loginId = answer.UserID;
    m_isAdmin = answer.IsAdmin;
    m_permissions = answer.Permissions;
    m_password = answer.Password;
    SavePrefString(kLastLoginValue, m_loginName);
    return true;
}
