#include "DataFixture.h"

#include "data/CategoryTypes.h"
#include "data/DataFileReindex.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace bmtest {
namespace {

QByteArray checksum(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

class ReindexTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        if (!QFile::exists(QDir(templatesDir()).filePath(QStringLiteral("bmtool"))))
            GTEST_SKIP() << "bmtool is not built";
    }

    clsDBFile files(Schema::Table table) const { return m_db.DataFilePaths().at(static_cast<int>(table)); }

    bool reindex(Schema::Table table, quint64 tick)
    {
        const clsDBFile f = files(table);
        return ReindexTableFiles(m_db.CBEngine(), f.Table, f, tick);
    }

    // Another process reads the table shared and finds every tag in step.
    static ToolRun check(const QString& table) { return runBmtool({QStringLiteral("check"), table}); }

    QStringList folderFiles() const { return QDir(m_folder.path()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(ReindexTest, EveryTableIsRebuiltFromItsTemplateAndKeepsItsOldIndexBeside)
{
    for (Schema::Table table : Schema::allTables()) {
        const clsDBFile f = files(table);
        const QByteArray old = checksum(f.TableIndex);
        const QStringList before = folderFiles();
        ASSERT_TRUE(reindex(table, 4000 + int(table))) << f.Table.toStdString();
        const QString backup = f.TableIndex + QString::number(4000 + int(table));
        EXPECT_EQ(checksum(backup), old);
        QStringList expected = before;
        expected.append(QFileInfo(backup).fileName());
        expected.sort();
        EXPECT_EQ(folderFiles(), expected);
        const ToolRun run = check(f.Table);
        EXPECT_EQ(run.exitCode, 0) << run.all().toStdString();
    }
    EXPECT_EQ(code4accessMode(m_db.CBEngine(), 0), 0);
    EXPECT_TRUE(shownTexts().isEmpty());
}

// The other accounts of the folder's group go on writing a table whose
// index was rebuilt: the new index, like the old one kept beside it, has
// the table's group and permission bits, whatever the umask.
TEST_F(ReindexTest, TheRebuiltIndexHasTheTablesGroupAndPermissions)
{
    const mode_t umaskBefore = ::umask(022);
    const unsigned group = handableGroup();
    const clsDBFile f = files(Schema::Table::Cust);
    for (const QString& path : {f.Table, f.TableIndex}) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), uid_t(-1), group), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0664), 0);
    }
    ASSERT_TRUE(reindex(Schema::Table::Cust, 51));
    for (const QString& path : {f.TableIndex, f.TableIndex + QStringLiteral("51")})
        EXPECT_EQ(fileAccess(path), accessText(0664, group)) << path.toStdString();
    ::umask(umaskBefore);
}

// An older copy of the index put back after rows were added: the tags lack
// the new rows until the re-index.
TEST_F(ReindexTest, ReindexRepairsAnIndexOutOfStepWithItsTable)
{
    const clsDBFile f = files(Schema::Table::Cat);
    const QString stale = m_folder.file(QStringLiteral("stale.cdx"));
    ASSERT_TRUE(QFile::copy(f.TableIndex, stale));
    QList<int> ids;
    DATA4* cats = m_db.OpenTable(f.Table);
    ASSERT_NE(cats, nullptr);
    for (const char* text : {"Hardware", "Software", "Consulting"})
        ids.append(m_db.AddCategory(QLatin1String(text), CatType::ProductService, cats));
    d4close(cats);
    ASSERT_TRUE(QFile::remove(f.TableIndex));
    ASSERT_TRUE(QFile::rename(stale, f.TableIndex));
    EXPECT_EQ(check(f.Table).exitCode, 1);

    ASSERT_TRUE(reindex(Schema::Table::Cat, 77));
    const ToolRun run = check(f.Table);
    EXPECT_EQ(run.exitCode, 0) << run.all().toStdString();
    const QStringList texts{QStringLiteral("Hardware"), QStringLiteral("Software"), QStringLiteral("Consulting")};
    cats = m_db.OpenTable(f.Table);
    ASSERT_NE(cats, nullptr);
    for (int i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(m_db.GetCategoryDesc(ids[i], cats), texts[i]);                         // tag rowid
        EXPECT_EQ(m_db.CategoryExists(texts[i], CatType::ProductService, cats), ids[i]); // tag desc
    }
    ASSERT_EQ(d4tagSelect(cats, d4tag(cats, "type")), 0);
    int ofType = 0;
    for (int rc = d4seekDouble(cats, CatType::ProductService); rc == 0;
         rc = d4seekNextDouble(cats, CatType::ProductService))
        ++ofType;
    EXPECT_EQ(ofType, 3);
    d4close(cats);
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(ReindexTest, AnIndexThatCannotBeReadIsReplacedFromTheTemplate)
{
    const clsDBFile f = files(Schema::Table::User);
    {
        QFile index(f.TableIndex);
        ASSERT_TRUE(index.open(QIODevice::ReadWrite));
        index.seek(0);
        index.write(QByteArray(512, '\xA5'));
    }
    EXPECT_NE(check(f.Table).exitCode, 0);
    ASSERT_TRUE(reindex(Schema::Table::User, 31));
    const ToolRun run = check(f.Table);
    EXPECT_EQ(run.exitCode, 0) << run.all().toStdString();
    EXPECT_EQ(m_db.GetLoginID(QStringLiteral("admin")), 1000);   // found through tag login
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(ReindexTest, ABackupNameThatExistsIsNeverReplaced)
{
    const clsDBFile f = files(Schema::Table::Cust);
    const QString taken = f.TableIndex + QStringLiteral("4242");
    {
        QFile file(taken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an earlier backup");
    }
    const QByteArray index = checksum(f.TableIndex);
    const QByteArray backup = checksum(taken);
    const QStringList before = folderFiles();
    EXPECT_FALSE(reindex(Schema::Table::Cust, 4242));
    EXPECT_EQ(checksum(f.TableIndex), index);
    EXPECT_EQ(checksum(taken), backup);
    EXPECT_EQ(folderFiles(), before);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Error"));
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Error #  58 was generated by Brindlemark\rFile already exists\rclsSystem_FileRename"));
    EXPECT_EQ(code4accessMode(m_db.CBEngine(), 0), 0);
    EXPECT_EQ(check(f.Table).exitCode, 0);
}

TEST_F(ReindexTest, ATemplateThatCannotBeCopiedPutsTheOldIndexBack)
{
    clsDBFile f = files(Schema::Table::User);
    f.TableIndexSource = m_folder.file(QStringLiteral("missing.cd_"));
    const QByteArray index = checksum(f.TableIndex);
    const QStringList before = folderFiles();
    EXPECT_FALSE(ReindexTableFiles(m_db.CBEngine(), f.Table, f, 99));
    EXPECT_EQ(checksum(f.TableIndex), index);
    EXPECT_EQ(folderFiles(), before);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Error #  53 was generated by Brindlemark\rFile not found\rclsSystem_FileCopyFn"));
    EXPECT_EQ(code4accessMode(m_db.CBEngine(), 0), 0);
}

TEST_F(ReindexTest, ATableHeldOpenElsewhereIsLeftWithItsOldIndex)
{
    const clsDBFile f = files(Schema::Table::Issues);
    const QByteArray index = checksum(f.TableIndex);
    const QStringList before = folderFiles();
    {
        LockHolder other(f.Table, 0);
        ASSERT_TRUE(other.holding());
        EXPECT_FALSE(reindex(Schema::Table::Issues, 5150));
        EXPECT_EQ(checksum(f.TableIndex), index);
        EXPECT_EQ(folderFiles(), before);
    }
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(code4accessMode(m_db.CBEngine(), 0), 0);
    EXPECT_EQ(code4errorCode(m_db.CBEngine(), 0), 0);
    EXPECT_EQ(check(f.Table).exitCode, 0);
}

} // namespace
} // namespace bmtest
