#include "DataFixture.h"

#include "data/Schema.h"

#include <QDir>
#include <QFile>

namespace bmtest {
namespace {

using bmtest::ToolRun;

ToolRun bmtool(const QStringList& args)
{
    return bmtest::runBmtool(args);
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ToolCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(QDir(templatesDir()).filePath(QStringLiteral("bmtool"))))
            GTEST_SKIP() << "bmtool is not built";
    }
    TempFolder m_temp;
};

TEST_F(ToolCommandsTest, MkdbMakesADatabaseThatChecksAndHoldsTheAdministrator)
{
    const QString db = m_temp.file(QStringLiteral("db"));
    ASSERT_EQ(bmtool({QStringLiteral("mkdb"), db}).exitCode, 0);
    EXPECT_EQ(QDir(db).entryList(QDir::Files).size(), 28);
    for (Schema::Table t : Schema::allTables()) {
        const ToolRun check = bmtool({QStringLiteral("check"), QDir(db).filePath(Schema::dataFileName(t))});
        EXPECT_EQ(check.exitCode, 0) << check.all().toStdString();
    }
    const ToolRun dump = bmtool({QStringLiteral("dump"), QDir(db).filePath(QStringLiteral("bccuser.dbf"))});
    EXPECT_TRUE(dump.out.contains(QStringLiteral("LOGIN: admin"))) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains(QStringLiteral("PASSWORD: 766F726E65")));

    // A folder that holds a database already is refused and left alone.
    const QByteArray before = contents(QDir(db).filePath(QStringLiteral("bccuser.dbf")));
    EXPECT_EQ(bmtool({QStringLiteral("mkdb"), db}).exitCode, 1);
    EXPECT_EQ(contents(QDir(db).filePath(QStringLiteral("bccuser.dbf"))), before);
}

TEST_F(ToolCommandsTest, SeedFillsReproduciblyFromTheSeed)
{
    const QStringList folders{m_temp.file(QStringLiteral("a")), m_temp.file(QStringLiteral("b")),
                              m_temp.file(QStringLiteral("c"))};
    const QStringList seeds{QStringLiteral("7"), QStringLiteral("7"), QStringLiteral("8")};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(bmtool({QStringLiteral("mkdb"), folders[i]}).exitCode, 0);
        const ToolRun seed = bmtool({QStringLiteral("seed"), folders[i], QStringLiteral("--customers"), QStringLiteral("20"),
                                 QStringLiteral("--issues"), QStringLiteral("50"), QStringLiteral("--seed"), seeds[i]});
        ASSERT_EQ(seed.exitCode, 0) << seed.all().toStdString();
    }
    for (const char* name : {"bcccust.dbf", "bcccust.fpt", "bccissues.dbf", "bcciactions.dbf", "bcccat.dbf"}) {
        // The header's date of last change (bytes 1 to 3) may differ.
        const QByteArray a = contents(QDir(folders[0]).filePath(QLatin1String(name))).mid(4);
        EXPECT_FALSE(a.isEmpty());
        EXPECT_EQ(a, contents(QDir(folders[1]).filePath(QLatin1String(name))).mid(4)) << name;
    }
    EXPECT_NE(contents(QDir(folders[0]).filePath(QStringLiteral("bcccust.dbf"))).mid(4),
              contents(QDir(folders[2]).filePath(QStringLiteral("bcccust.dbf"))).mid(4));
    for (const char* table : {"bcccust.dbf", "bcccust_ps.dbf", "bccissues.dbf", "bcciactions.dbf", "bccuser.dbf"})
        EXPECT_EQ(bmtool({QStringLiteral("check"), QDir(folders[0]).filePath(QLatin1String(table))}).exitCode, 0) << table;
    const ToolRun count = bmtool({QStringLiteral("dump"), QDir(folders[0]).filePath(QStringLiteral("bccissues.dbf")),
                              QStringLiteral("--count")});
    EXPECT_EQ(count.out.trimmed(), QStringLiteral("50"));
}

TEST_F(ToolCommandsTest, SeedRefusesWrongArguments)
{
    const QString db = m_temp.file(QStringLiteral("db"));
    ASSERT_EQ(bmtool({QStringLiteral("mkdb"), db}).exitCode, 0);
    const QList<QStringList> wrong{{QStringLiteral("seed"), db},
                                   {QStringLiteral("seed"), db, QStringLiteral("--customers"), QStringLiteral("x"),
                                    QStringLiteral("--issues"), QStringLiteral("1")},
                                   {QStringLiteral("seed"), db, QStringLiteral("--customers"), QStringLiteral("-1"),
                                    QStringLiteral("--issues"), QStringLiteral("1")},
                                   {QStringLiteral("seed"), db, QStringLiteral("--customers"), QStringLiteral("1"),
                                    QStringLiteral("--issues")}};
    for (const QStringList& args : wrong)
        EXPECT_EQ(bmtool(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(bmtool({QStringLiteral("seed"), m_temp.file(QStringLiteral("none")), QStringLiteral("--customers"),
                      QStringLiteral("1"), QStringLiteral("--issues"), QStringLiteral("0")})
                  .exitCode,
              1);
}

} // namespace
} // namespace bmtest
