#include "DataFixture.h"

#include <QDir>
#include <QFile>

namespace bmtest {
namespace {

class AttachmentsTest : public DataTest {};

TEST_F(AttachmentsTest, FoldersAreNamedByKindAndRow)
{
    struct Case {
        QString folder;
        QString issue;
        QString ps;
    };
    const Case cases[] = {{QStringLiteral("/d/data"), QStringLiteral("/d/data/bccattach/_i_1001"), QStringLiteral("/d/data/bccattach/_ps_1001")},
                          {QStringLiteral("/d/data/"), QStringLiteral("/d/data/bccattach/_i_1001"), QStringLiteral("/d/data/bccattach/_ps_1001")},
                          {QString(), QStringLiteral("bccattach/_i_1001"), QStringLiteral("bccattach/_ps_1001")}};
    for (const Case& c : cases) {
        ASSERT_TRUE(m_db.startSession(c.folder, 1000, QStringLiteral("admin")));
        EXPECT_EQ(m_db.GetAttachmentSubDir(1001, QStringLiteral("_i")), c.issue);
        EXPECT_EQ(m_db.GetAttachmentSubDir(1001, QStringLiteral("_ps")), c.ps);
    }
    EXPECT_EQ(m_db.GetAttachmentSubDir(-5, QStringLiteral("_i")), QStringLiteral("bccattach/_i_-5"));
}

TEST_F(AttachmentsTest, CreateAttachDirMakesTheFolderOnce)
{
    m_db.CreateAttachDir();
    EXPECT_TRUE(QDir(m_folder.file(QStringLiteral("bccattach"))).exists());
    m_db.CreateAttachDir();
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(AttachmentsTest, DeleteAttachmentsRemovesEverythingQuietly)
{
    const QString folder = m_db.GetAttachmentSubDir(1001, QStringLiteral("_i"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/sub/deeper")));
    for (const QString& name : {QStringLiteral("/a.txt"), QStringLiteral("/sub/b.txt"), QStringLiteral("/sub/deeper/c.txt")}) {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        f.setPermissions(QFile::ReadOwner);
    }
    QFile::setPermissions(folder + QStringLiteral("/sub/deeper"), QFile::ReadOwner | QFile::ExeOwner);
    m_db.DeleteAttachments(1001, QStringLiteral("_i"));
    EXPECT_FALSE(QDir(folder).exists());
    m_db.DeleteAttachments(1002, QStringLiteral("_ps"));   // none there
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

} // namespace
} // namespace bmtest
