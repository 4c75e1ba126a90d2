#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/DbNotices.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

QString clsDB::GetUserPassword(const QString& login)
{
    QString result;
    const qint32 id = GetLoginID(login);
    if (id > 0) {
        RecColl coll(UserTable(), id, QStringLiteral("_userinfo"));
        if (ReadRecord(coll, false))
            result = Sys().HexStrToString(coll.text(QStringLiteral("password")));
    }
    return result;
}

QString clsDB::GetUserTypeStr(const QString& userType) const
{
    return userType.left(1).toUpper() == AdminCode() ? QStringLiteral("administrator") : QStringLiteral("user");
}

QString clsDB::GetUsername(qint32 userId)
{
    if (userId < 1)
        return QString();
    RecColl coll(UserTable(), userId, QStringLiteral("_userinfo"));
    return ReadRecord(coll, true) ? coll.text(QStringLiteral("login")) : QString();
}

QString clsDB::PasswordRuleBroken(const QString& newPassword)
{
    // Stored lower-cased, two hexadecimal digits a character, in a field of
    // 40: each character must survive the code page, and 20 fit.
    constexpr qsizetype kMaxLength = 20;
    const QString stored = newPassword.toLower();
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const qsizetype len = stored.at(i).isHighSurrogate() && i + 1 < stored.size() ? 2 : 1;
        const QString c = stored.mid(i, len);
        if (fromWin1252(toWin1252(c)) != c)
            return DbNotice::passwordCharacter(newPassword.mid(i, len));
        i += len - 1;
    }
    if (newPassword.size() > kMaxLength)
        return DbNotice::passwordTooLong(kMaxLength);
    return QString();
}

bool clsDB::SetPassword(qint32 userId, const QString& newPassword)
{
    const QString broken = PasswordRuleBroken(newPassword);
    if (!broken.isEmpty()) {
        MsgBox(broken, MsgStyle::Exclamation);
        return false;
    }
    RecColl coll(UserTable(), userId, QStringLiteral("_setpwd"));
    coll.add(QStringLiteral("password"), newPassword);
    return SaveRecord(coll, false);
}

bool clsDB::CheckAdmin() const
{
    if (m_isAdmin)
        return true;
    Sys().ShowMsg(DbNotice::notAdmin(), 2, -1);
    return false;
}

std::optional<DbListRows> clsDB::userRows(bool activeOnly)
{
    DbListRows rows;
    try {
        TableUse users(nullptr, OpenTable(UserTable()));
        if (!users)
            return std::nullopt;
        DATA4* t = users.get();
        selectTag(t, "login");
        FIELD4* rowid = needField(t, "rowid");
        FIELD4* login = needField(t, "login");
        FIELD4* active = needField(t, "useractive");
        FIELD4* first = needField(t, "firstname");
        FIELD4* last = needField(t, "lastname");
        for (int rc = check(m_engine, d4top(t)); rc == 0; rc = check(m_engine, d4skip(t, 1))) {
            if (activeOnly && !TorF2Bool(trimBlanks(fieldText(active))))
                continue;
            const QString name = Sys().MakeFullName(trimBlanks(fieldText(first)), trimBlanks(fieldText(last)));
            const QString loginText = trimBlanks(fieldText(login));
            const QString text = name.isEmpty() ? loginText : name + QStringLiteral(" (") + loginText + QLatin1Char(')');
            rows.append(DbListRow{qint32(f4long(rowid)), text});
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_LoadCbo_Users"), f.error);
    }
    return rows;
}
