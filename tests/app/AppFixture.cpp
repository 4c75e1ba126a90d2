#include "AppFixture.h"

#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Clock.h"
#include "common/ProgramEnv.h"
#include "common/ShellRunner.h"
#include "common/ui/clsSystemUI.h"
#include "data/ShippedData.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "data/ui/frmDBMaint.h"
#include "xbase/c4.h"

#include <QDir>
#include <QListWidget>

ScriptedDbWindows::ScriptedDbWindows()
    : m_previous(DbWindows::install(this))
{
}

ScriptedDbWindows::~ScriptedDbWindows() { DbWindows::install(m_previous); }

void ScriptedDbWindows::login(const QString& login, const QString& password)
{
    m_script.emplace_back(login, password);
}

bool ScriptedDbWindows::promptLogin(const QString& folder, const QString&, const QString&, LoginAnswer& answer)
{
    loginFolders.append(folder);
    if (m_script.empty())
        return false;
    const auto [login, password] = m_script.front();
    m_script.pop_front();
    if (!DB().VerifyLogin(login, password, answer.UserID, answer.IsAdmin, answer.Permissions))
        return false;
    answer.LoginName = login;
    answer.Password = password;
    return true;
}

bool ScriptedDbWindows::askEditAnyway(const QString& userName, const QString& computerName)
{
    underEditAsked.append(userName + QLatin1Char('@') + computerName);
    return editAnyway;
}

void ScriptedDbWindows::unloadAllButMain() { SysUI().UnloadAll(QStringLiteral("MAINFORM")); }

void ScriptedDbWindows::setCustomMenuLabels()
{
    if (auto* main = mainWindow())
        main->SetCustomMenuLabels();
}

AppFixture::AppFixture()
    : m_oldHome(qgetenv("HOME"))
    , m_oldRuntime(qgetenv("XDG_RUNTIME_DIR"))
{
    qputenv("HOME", m_temp.path().toLocal8Bit());
    // The single-instance socket and lock of each test's program.
    qputenv("XDG_RUNTIME_DIR", m_temp.path().toLocal8Bit());
    ProgramEnv::setComputerName(QStringLiteral("testbox"));
    Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    ShellRunner::setRunner([this](const QString& program, const QStringList& arguments) {
        m_launched.append(QStringList{program} + arguments);
        return 0;
    });
    clsDBUtil::installModalRunner([this](frmDBMaint& window) {
        QStringList files;
        for (int i = 0; i < window.lstDataFiles->count(); ++i)
            files.append(window.lstDataFiles->item(i)->text());
        m_maintenanceShown.append(files);
    });
}

AppFixture::~AppFixture()
{
    DB().CloseDB();
    ShellRunner::setRunner({});
    clsDBUtil::installModalRunner(nullptr);
    Clock::clearFixed();
    ProgramEnv::setComputerName(std::nullopt);
    qputenv("HOME", m_oldHome);
    if (m_oldRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
}

QString AppFixture::makeDatabase(const QString& name)
{
    const QString folder = m_temp.file(name);
    EXPECT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(DB().NewDB(folder));
    return folder;
}

void AppFixture::openAsAdmin(const QString& folder)
{
    m_logins.login(QString::fromLatin1(ShippedData::admin().login),
                   QString::fromLatin1(ShippedData::admin().password));
    ASSERT_TRUE(DB().OpenDB(folder));
}

QString AppFixture::openNewDatabase(const QString& name)
{
    const QString folder = makeDatabase(name);
    openAsAdmin(folder);
    return folder;
}

void AppFixture::addUser(const QString& login, const QString& permissions)
{
    RecColl user(DB().UserTable(), -1, QStringLiteral("_userinfo"));
    const std::pair<const char*, QString> fields[] = {
        {"login", login},        {"firstname", QString()},         {"lastname", login},
        {"dept", QString()},     {"useractive", QStringLiteral("T")}, {"usertype", QStringLiteral("0")},
        {"perm", permissions},   {"note", QString()},
    };
    for (const auto& [name, value] : fields)
        user.add(QString::fromLatin1(name), value);
    ASSERT_TRUE(DB().SaveRecord(user, false));
}

QStringList AppFixture::shownTexts(ShownPrompt::Kind kind) const
{
    QStringList texts;
    for (const ShownPrompt& p : m_prompts.shown()) {
        if (p.kind == kind)
            texts.append(p.text);
    }
    return texts;
}

void AppFixture::pokeField(const QString& path, qint32 rowid, const char* field, const QVariant& value)
{
    DATA4* t = d4open(DB().CBEngine(), path.toLocal8Bit().constData());
    ASSERT_NE(t, nullptr);
    d4tagSelect(t, d4tag(t, "ROWID"));
    ASSERT_EQ(d4seekDouble(t, double(rowid)), 0);
    ASSERT_EQ(d4lock(t, d4recNo(t)), 0);
    FIELD4* f = d4field(t, field);
    ASSERT_NE(f, nullptr);
    if (value.typeId() == QMetaType::Int) {
        f4assignLong(f, value.toInt());
    } else {
        const QByteArray text = value.toString().toLatin1();
        f4assignNVB(f, text.constData(), int(text.size()));
    }
    d4flush(t);
    d4unlock(t);
    d4close(t);
}
