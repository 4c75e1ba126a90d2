#pragma once

#include "common/ScriptedPrompts.h"
#include "common/SettingsFile.h"
#include "data/DbWindows.h"
#include "data/ui/clsDBUtil.h"

#include "TestSupport.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <deque>
#include <gtest/gtest.h>

class frmMain;

// The login dialog for tests: each login answers from the script, checked
// as the real dialog checks it; an empty script cancels. The main window's
// services reach the window of the WindowRegistry.
class ScriptedDbWindows final : public DbWindows {
public:
    ScriptedDbWindows();
    ~ScriptedDbWindows() override;

    // The next login types `login` and `password` (and cancels when they are
    // refused, as a user who gives up would).
    void login(const QString& login, const QString& password);

    bool promptLogin(const QString& folder, const QString& login, const QString& password,
                     LoginAnswer& answer) override;
    // Records the user and machine named and answers `editAnyway`.
    bool askEditAnyway(const QString& userName, const QString& computerName) override;
    void unloadAllButMain() override;
    void setCustomMenuLabels() override;

    QStringList loginFolders;   // the folder of each login asked for
    QStringList underEditAsked; // "user@machine" of each under-edit dialog
    bool editAnyway = false;

private:
    std::deque<std::pair<QString, QString>> m_script;
    DbWindows* m_previous = nullptr;
};

// Every test of the shell starts from a fresh temporary home: settings,
// default data folder and program folder seams point into it, the clock and
// the computer name are fixed, prompts and logins are scripted, and the
// desktop's helper programs are recorded instead of run.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // A new database in `name` under the temporary folder (made first).
    QString makeDatabase(const QString& name = QStringLiteral("db"));
    // Opens it, logging in as the built-in administrator.
    void openAsAdmin(const QString& folder);
    // makeDatabase + openAsAdmin.
    QString openNewDatabase(const QString& name = QStringLiteral("db"));

    // Adds an active user whose password is the login, with `permissions`
    // (30 characters "0"/"1").
    void addUser(const QString& login, const QString& permissions);
    // Writes `value` (a whole number or a text) into `field` of the row
    // `rowid` of the table at `path`, as another program would, under the
    // row's lock.
    static void pokeField(const QString& path, qint32 rowid, const char* field, const QVariant& value);

    // Texts of the message windows / boxes shown so far.
    QStringList shownTexts(ShownPrompt::Kind kind) const;

    bmtest::TempFolder m_temp;
    SettingsFile::Override m_settings{m_temp.file(QStringLiteral("settings.ini"))};
    ScriptedPrompts m_prompts;
    ScriptedDbWindows m_logins;
    QList<QStringList> m_launched;   // program and arguments of each helper run
    // The data files listed by each showing of the maintenance window, which
    // is never shown modally here.
    QList<QStringList> m_maintenanceShown;

private:
    QByteArray m_oldHome;
    QByteArray m_oldRuntime;
};
