#include "data/clsDB.h"

#include "common/ProgramEnv.h"
#include "data/Schema.h"

#include <QDir>

clsDB& clsDB::instance()
{
    static clsDB db;
    return db;
}

clsDB::~clsDB()
{
    endSession();
}

bool clsDB::startSession(const QString& folder, qint32 loginId, const QString& loginName)
{
    endSession();
    if (!startEngine(folder))
        return false;
    m_loginId = loginId;
    m_loginName = loginName;
    m_isOpen = true;
    return true;
}

void clsDB::endSession()
{
    KeepIdTableOpen(false);
    m_isOpen = false;
    m_dbPath.clear();
    m_loginName.clear();
    m_loginId = -1;
    if (m_engine) {
        (void)d4initUndo(m_engine);
        // A shut-down engine is never used again: null instead of a dangling handle.
        m_engine = nullptr;
    }
}

QString clsDB::MakePath(const QString& folder, const QString& name) const
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString clsDB::DBDefaultPath() const
{
    return MakePath(QDir::homePath(), QStringLiteral("BMKData"));
}

QString clsDB::programPath(const QString& name) const
{
    return MakePath(ProgramEnv::programFolder(), name);
}

QString clsDB::dataPath(int table, const char* ext) const
{
    return MakePath(m_dbPath, Schema::tableName(Schema::Table(table)) + QLatin1String(ext));
}

QString clsDB::sourcePath(int table) const
{
    return programPath(Schema::tableName(Schema::Table(table)) + QLatin1String(".cd_"));
}

QString clsDB::ReportColumnsTable() const { return programPath(Schema::reportColumnsFileName()); }
QString clsDB::MailMergeTable() const { return programPath(Schema::mailMergeFileName()); }

QList<clsDBFile> clsDB::DataFilePaths() const
{
    QList<clsDBFile> files;
    for (Schema::Table t : Schema::allTables()) {
        const int i = int(t);
        files.append(clsDBFile{dataPath(i, ".dbf"), dataPath(i, ".cdx"), sourcePath(i)});
    }
    return files;
}
