#pragma once

#include "DataFixture.h"
#include "ScriptedDbWindows.h"
#include "common/SettingsFile.h"

#include <memory>

namespace bmtest {

// A DataTest with a temporary settings file and scripted database windows,
// for tests that open databases and log in.
class LoginTest : public DataTest {
protected:
    void SetUp() override;
    void TearDown() override;

    struct User {
        User(QString login_, bool active_ = true, QString usertype_ = QStringLiteral("0"), QString perm_ = {},
             QString firstname_ = {}, QString lastname_ = {})
            : login(std::move(login_)), active(active_), usertype(std::move(usertype_)), perm(std::move(perm_)),
              firstname(std::move(firstname_)), lastname(std::move(lastname_))
        {
        }
        QString login;
        bool active;
        QString usertype;
        QString perm;
        QString firstname;
        QString lastname;
    };
    // A new user whose password is the login; its identifier.
    int addUser(const User& user);
    // Closes the session and opens the fixture's database logged in as that
    // user; the result of the opening.
    bool logInAs(const QString& login, const QString& password);

    TempFolder m_settingsFolder;
    std::unique_ptr<SettingsFile::Override> m_settings;
    ScriptedDbWindows m_windows;
};

} // namespace bmtest
