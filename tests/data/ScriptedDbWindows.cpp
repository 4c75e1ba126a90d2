#include "ScriptedDbWindows.h"

#include "data/clsDB.h"

namespace bmtest {

ScriptedDbWindows::ScriptedDbWindows() : m_previous(DbWindows::install(this)) {}

ScriptedDbWindows::~ScriptedDbWindows()
{
    DbWindows::install(m_previous);
}

ScriptedDbWindows& ScriptedDbWindows::tryLogin(const QString& login, const QString& password)
{
    m_tries.emplace_back(login, password);
    return *this;
}

ScriptedDbWindows& ScriptedDbWindows::editAnyway(bool answer)
{
    m_answers.push_back(answer);
    return *this;
}

bool ScriptedDbWindows::promptLogin(const QString& folder, const QString& login, const QString& password,
                                    LoginAnswer& answer)
{
    m_offers.append(Offer{folder, login, password});
    while (!m_tries.empty()) {
        const auto [typedLogin, typedPassword] = m_tries.front();
        m_tries.pop_front();
        LoginAnswer a{typedLogin.trimmed(), -1, typedPassword.trimmed(), false, QString()};
        if (clsDB::instance().VerifyLogin(a.LoginName, a.Password, a.UserID, a.IsAdmin, a.Permissions)) {
            answer = a;
            return true;
        }
        ++m_refused;
    }
    return false;
}

bool ScriptedDbWindows::askEditAnyway(const QString& userName, const QString& computerName)
{
    m_marks.append(Mark{userName, computerName});
    if (m_answers.empty())
        return false;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

} // namespace bmtest
