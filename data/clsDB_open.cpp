#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "data/DbNotices.h"

namespace {

const QString kLastDbValue = QStringLiteral("db");

} // namespace

bool clsDB::OpenDB(const QString& folder)
{
    // A folder that is no database must not cost the user the open one.
    if (!DirContainsValidData(folder))
        return false;
    CloseDB();
    if (!startEngine(folder)) {
        MsgBox(DbNotice::engineInitFailed(), MsgStyle::Critical);
        return false;
    }
    if (!PromptLogin(folder)) {
        // Cancelled: the full closing shuts the engine down again.
        m_isOpen = true;
        CloseDB();
        return false;
    }
    m_isOpen = true;
    SetLastDBDir(m_dbPath);
    DbWindows::current().setCustomMenuLabels();
    CreateAttachDir();
    return true;
}

bool clsDB::startEngine(const QString& folder)
{
    m_engine = d4init_v();
    if (!m_engine)
        return false;
    code4accessMode(m_engine, 0);
    code4readOnly(m_engine, 0);
    code4readLock(m_engine, 0);
    code4lockAttempts(m_engine, -1);
    code4lockEnforce(m_engine, 1);
    code4lockDelay(m_engine, 100);
    m_dbPath = folder;
    return true;
}

void clsDB::CloseDB()
{
    DbWindows::current().unloadAllButMain();
    if (m_isOpen)
        endSession();
}

bool clsDB::OpenLastDB()
{
    return OpenDBOnCommandLine(GetLastDBDir());
}

bool clsDB::OpenDBOnCommandLine(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    if (Sys().DirExists(folder))
        return OpenDB(folder);
    CantOpenLastDB(folder);
    return false;
}

void clsDB::CantOpenLastDB(const QString& folder)
{
    Sys().ShowMsg(DbNotice::cantReach(folder), 2, -1);
}

void clsDB::SetLastDBDir(const QString& folder)
{
    SavePrefString(kLastDbValue, folder);
}

QString clsDB::GetLastDBDir() const
{
    return GetPrefString(kLastDbValue);
}

void clsDB::ClearLastDBDir()
{
    SavePrefString(kLastDbValue, QString());
}
