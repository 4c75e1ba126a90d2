#pragma once

#include "DataFixture.h"
#include "WhenModal.h"
#include "common/SettingsFile.h"
#include "data/ui/WidgetDbWindows.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

namespace bmtest {

// A DataTest with a temporary settings file and the real database windows.
class DataUiTest : public DataTest {
protected:
    void SetUp() override
    {
        m_settings = std::make_unique<SettingsFile::Override>(m_settingsFolder.file(QStringLiteral("settings.ini")));
        DataTest::SetUp();
        DbWindows::install(&m_windows);
    }
    void TearDown() override
    {
        m_db.CloseDB();
        DbWindows::install(nullptr);
        DataTest::TearDown();
        m_settings.reset();
    }
    // A new user whose password is the login.
    int addUser(const QString& login, bool active = true, const QString& first = {}, const QString& last = {})
    {
        return saveNew(m_db.UserTable(), QStringLiteral("_userinfo"),
                       {{QStringLiteral("login"), login},
                        {QStringLiteral("useractive"), active ? QStringLiteral("T") : QStringLiteral("F")},
                        {QStringLiteral("usertype"), QStringLiteral("0")},
                        {QStringLiteral("firstname"), first},
                        {QStringLiteral("lastname"), last}});
    }

    TempFolder m_settingsFolder;
    std::unique_ptr<SettingsFile::Override> m_settings;
    WidgetDbWindows m_windows;
};

} // namespace bmtest
