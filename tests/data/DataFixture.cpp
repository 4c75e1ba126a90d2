#include "DataFixture.h"

#include "common/Clock.h"
#include "common/ProgramEnv.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

namespace bmtest {

QString templatesDir()
{
#ifdef BM_TEST_PROGRAM_DIR
    if (qEnvironmentVariableIsEmpty("BM_PROGRAM_DIR"))
        qputenv("BM_PROGRAM_DIR", BM_TEST_PROGRAM_DIR);
#endif
    return programDir();
}

bool makeDatabase(const QString& folder)
{
    const QDir program(templatesDir());
    for (Schema::Table t : Schema::allTables()) {
        QStringList exts{QStringLiteral(".dbf"), QStringLiteral(".cdx")};
        if (Schema::table(t).hasMemo())
            exts.append(QStringLiteral(".fpt"));
        for (const QString& ext : exts) {
            const QString name = Schema::tableName(t) + ext;
            if (!QFile::copy(program.filePath(Schema::templateName(name)), QDir(folder).filePath(name)))
                return false;
        }
    }
    return true;
}

LockHolder::LockHolder(const QString& tablePath, long recno)
{
    int ready[2];
    int release[2];
    if (pipe(ready) != 0 || pipe(release) != 0)
        return;
    const std::string path = tablePath.toStdString();
    m_pid = fork();
    if (m_pid == 0) {
        // The child touches only the engine, never Qt.
        close(ready[0]);
        close(release[1]);
        CODE4* c4 = d4init_v();
        DATA4* table = c4 ? d4open(c4, path.c_str()) : nullptr;
        bool ok = false;
        if (table && recno == 0)
            ok = c4->waitLock(table->dataFile(), xbase::Table::kHeaderLockOffset).isOk();
        else if (table)
            ok = d4lock(table, recno) == 0;
        const char answer = ok ? '1' : '0';
        (void)!write(ready[1], &answer, 1);
        char done;
        (void)!read(release[0], &done, 1);
        _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    char answer = '0';
    m_holding = read(ready[0], &answer, 1) == 1 && answer == '1';
    close(ready[0]);
    m_release = release[1];
}

LockHolder::~LockHolder()
{
    if (m_release >= 0)
        close(m_release);
    if (m_pid > 0)
        waitpid(m_pid, nullptr, 0);
}

void DataTest::SetUp()
{
    if (!makeDatabase(m_folder.path()))
        GTEST_SKIP() << "the table templates are not built in " << programDir().toStdString();
    ASSERT_TRUE(m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin")));
    code4lockDelay(m_db.CBEngine(), 5);
    Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 9)));
    ProgramEnv::setComputerName(QStringLiteral("DESK1"));
}

void DataTest::TearDown()
{
    m_db.endSession();
    Clock::clearFixed();
    ProgramEnv::setComputerName(std::nullopt);
}

RecColl DataTest::newColl(const QString& path, const QString& rectype, int rowid)
{
    RecColl coll(path, rowid, rectype);
    if (const Schema::RecordType* rt = Schema::recordType(rectype))
        for (const Schema::KindField& f : rt->writes)
            coll.add(QLatin1String(f.name), QString());
    return coll;
}

int DataTest::saveNew(const QString& path, const QString& rectype,
                      const QList<std::pair<QString, QString>>& fields)
{
    RecColl coll = newColl(path, rectype);
    for (const auto& [name, value] : fields)
        coll.set(name, value);
    if (!m_db.SaveRecord(coll, false))
        return -1;
    return coll.value(QStringLiteral("_rowid")).toInt();
}

RecColl DataTest::read(const QString& path, int rowid, const QString& rectype)
{
    RecColl coll(path, rowid, rectype);
    if (!m_db.ReadRecord(coll, true))
        coll.clear();
    return coll;
}

int DataTest::lastId(const QString& tableName)
{
    DATA4* ids = m_db.OpenTable(m_db.LastIDTable());
    if (!ids)
        return -1;
    int result = -1;
    for (int rc = d4top(ids); rc == 0; rc = d4skip(ids, 1)) {
        FIELD4* name = d4field(ids, "tblname");
        if (QString::fromLatin1(f4ptr(name), f4len_v(name)).trimmed() == tableName)
            result = int(f4long(d4field(ids, "lastid")));
    }
    d4close(ids);
    return result;
}

QStringList DataTest::shownTexts() const
{
    QStringList texts;
    for (const ShownPrompt& p : m_prompts.shown())
        texts.append(p.text);
    return texts;
}

} // namespace bmtest
