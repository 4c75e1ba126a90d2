#include "DataFixture.h"

#include <QDir>

namespace bmtest {
namespace {

class PathsTest : public DataTest {};

TEST_F(PathsTest, TablePathsFollowTheDataFolder)
{
    struct Case {
        QString folder;
        QString customers;
    };
    const Case cases[] = {{QStringLiteral("/d/data"), QStringLiteral("/d/data/bcccust.dbf")},
                          {QStringLiteral("/d/data/"), QStringLiteral("/d/data/bcccust.dbf")},
                          {QString(), QStringLiteral("bcccust.dbf")}};
    const QString program = QDir(templatesDir()).filePath(QStringLiteral("bcccat.cd_"));
    for (const Case& c : cases) {
        ASSERT_TRUE(m_db.startSession(c.folder, 1000, QStringLiteral("admin")));
        EXPECT_EQ(m_db.CustomerTable(), c.customers);
        EXPECT_EQ(m_db.CategoryTableIndexSource(), program);
        const QList<clsDBFile> files = m_db.DataFilePaths();
        ASSERT_EQ(files.size(), 10);
        EXPECT_TRUE(files[1].Table == c.customers);
        EXPECT_TRUE(files[9].TableIndex.endsWith(QStringLiteral("bccparam.cdx")));
        EXPECT_TRUE(files[0].TableIndexSource == program);
    }
    m_db.endSession();
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_TRUE(m_db.DBPath().isEmpty());
    EXPECT_EQ(m_db.LoginID(), -1);
    EXPECT_EQ(m_db.MakePath(QString(), QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(m_db.ReportColumnsTable(), QDir(templatesDir()).filePath(QStringLiteral("bccrepcols.dbf")));
    EXPECT_EQ(m_db.MailMergeTable(), QDir(templatesDir()).filePath(QStringLiteral("bccmm.db_")));
    EXPECT_EQ(m_db.DBDefaultPath(), QDir::home().filePath(QStringLiteral("BMKData")));
}

} // namespace
} // namespace bmtest
