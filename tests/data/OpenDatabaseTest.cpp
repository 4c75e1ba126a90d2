#include "LoginFixture.h"

#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "data/DbNotices.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>

namespace bmtest {
namespace {

class OpenDatabaseTest : public LoginTest {
protected:
    bool exists(const QString& folder, const QString& name) const { return QFile::exists(QDir(folder).filePath(name)); }
    void removeFiles(const QString& folder, const QStringList& names)
    {
        for (const QString& name : names)
            ASSERT_TRUE(QFile::remove(QDir(folder).filePath(name))) << name.toStdString();
    }
    QList<ShownPrompt> messageWindows() const
    {
        QList<ShownPrompt> windows;
        for (const ShownPrompt& p : m_prompts.shown())
            if (p.kind == ShownPrompt::Kind::MessageWindow)
                windows.append(p);
        return windows;
    }
};

TEST_F(OpenDatabaseTest, NewFolderGetsEveryFileAndOpensWithTheAttachmentsFolder)
{
    TempFolder fresh;
    ASSERT_TRUE(m_db.NewDB(fresh.path()));
    const QStringList names = clsDB::databaseFileNames();
    ASSERT_EQ(names.size(), 28);
    for (const QString& name : names)
        EXPECT_TRUE(exists(fresh.path(), name)) << name.toStdString();
    EXPECT_FALSE(exists(fresh.path(), QStringLiteral("bccattach")));   // not opened yet

    m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("VORNE"));
    ASSERT_TRUE(m_db.OpenDB(fresh.path()));
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(m_db.DBPath(), fresh.path());
    EXPECT_EQ(m_db.LoginID(), 1000);
    EXPECT_TRUE(Sys().DirExists(QDir(fresh.path()).filePath(QStringLiteral("bccattach"))));
    EXPECT_EQ(m_db.GetLastDBDir(), fresh.path());
    EXPECT_EQ(m_windows.labelRefreshes(), 1);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(OpenDatabaseTest, NewDatabaseRefusesAFolderHoldingAnyDatabaseFile)
{
    TempFolder folder;
    QFile(folder.file(QStringLiteral("bccid.cdx"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(m_db.NewDB(folder.path()));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("bccid.cdx")});
    ASSERT_EQ(messageWindows().size(), 1);
    EXPECT_EQ(messageWindows().first().text, DbNotice::existingFiles(folder.path(), QStringLiteral("bccid.cdx\r\n")));
    EXPECT_EQ(messageWindows().first().style, 3);
}

TEST_F(OpenDatabaseTest, FailedNewDatabaseRemovesWhatItCopiedSoASecondTryWorks)
{
    // A program folder that lacks the templates after the first ten files.
    TempFolder program;
    const QStringList names = clsDB::databaseFileNames();
    for (const QString& name : names.mid(0, 10))
        ASSERT_TRUE(QFile::copy(QDir(programDir()).filePath(Schema::templateName(name)),
                                program.file(Schema::templateName(name))));
    const QByteArray before = qgetenv("BM_PROGRAM_DIR");
    qputenv("BM_PROGRAM_DIR", program.path().toLocal8Bit());
    TempFolder target;
    const bool created = m_db.NewDB(target.path());
    qputenv("BM_PROGRAM_DIR", before);

    EXPECT_FALSE(created);
    EXPECT_TRUE(QDir(target.path()).entryList(QDir::Files).isEmpty());
    ASSERT_FALSE(m_prompts.shown().isEmpty());
    EXPECT_EQ(m_prompts.last().text, DbNotice::reinstall());
    EXPECT_TRUE(m_db.NewDB(target.path()));
}

TEST_F(OpenDatabaseTest, NewDatabaseInAFolderThatDoesNotExistFailsAtTheFirstCopy)
{
    TempFolder parent;
    EXPECT_FALSE(m_db.NewDB(parent.file(QStringLiteral("nothere"))));
    EXPECT_EQ(m_prompts.last().text, DbNotice::reinstall());
    EXPECT_FALSE(QDir(parent.file(QStringLiteral("nothere"))).exists());
}

TEST_F(OpenDatabaseTest, MissingActionAndTemplateFilesAreCompletedFromTheTemplates)
{
    TempFolder old;
    ASSERT_TRUE(makeDatabase(old.path()));
    const QStringList addable{QStringLiteral("bcciactions.dbf"), QStringLiteral("bcciactions.cdx"),
                              QStringLiteral("bcciactions.fpt"), QStringLiteral("bccitempl.cdx")};
    removeFiles(old.path(), addable);
    m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("vorne"));
    ASSERT_TRUE(m_db.OpenDB(old.path()));
    for (const QString& name : addable)
        EXPECT_TRUE(exists(old.path(), name)) << name.toStdString();
    EXPECT_TRUE(messageWindows().isEmpty());
    // The issue-action table works after its completion.
    EXPECT_GE(saveNew(m_db.IssuesActionsTable(), QStringLiteral("_issueaction"),
                      {{QStringLiteral("issueid"), QStringLiteral("1")}}),
              1000);
}

TEST_F(OpenDatabaseTest, MissingRequiredFileStopsTheOpeningBeforeAnythingIsClosed)
{
    ASSERT_TRUE(logInAs(QStringLiteral("admin"), QStringLiteral("vorne")));
    const int unloadsBefore = m_windows.unloads();
    TempFolder broken;
    ASSERT_TRUE(makeDatabase(broken.path()));
    removeFiles(broken.path(), {QStringLiteral("bcccust.cdx"), QStringLiteral("bcciactions.dbf"),
                                QStringLiteral("bcciactions.cdx"), QStringLiteral("bcciactions.fpt")});

    EXPECT_FALSE(m_db.OpenDB(broken.path()));
    ASSERT_EQ(messageWindows().size(), 1);
    const ShownPrompt shown = messageWindows().first();
    EXPECT_EQ(shown.text, DbNotice::missingFiles(broken.path(), QStringLiteral("bcccust.cdx\r\n"), m_db.DBMSFiles()));
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("OPEN FAILED!")));
    EXPECT_EQ(shown.style, 2);
    EXPECT_FALSE(exists(broken.path(), QStringLiteral("bcciactions.dbf")));   // nothing copied
    // The database open before stays open, windows and login included.
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(m_db.DBPath(), m_folder.path());
    EXPECT_EQ(m_db.LoginName(), QStringLiteral("admin"));
    EXPECT_EQ(m_windows.unloads(), unloadsBefore);
    EXPECT_EQ(m_db.GetLastDBDir(), m_folder.path());
}

TEST_F(OpenDatabaseTest, AFolderThatDoesNotExistListsEveryRequiredFile)
{
    TempFolder parent;
    const QString folder = parent.file(QStringLiteral("gone"));
    EXPECT_FALSE(m_db.OpenDB(folder));
    ASSERT_EQ(messageWindows().size(), 1);
    QString all;
    for (const QString& name : clsDB::databaseFileNames())
        if (!clsDB::isAddableFile(name))
            all += name + QStringLiteral("\r\n");
    EXPECT_EQ(all.count(QStringLiteral("\r\n")), 22);
    EXPECT_TRUE(messageWindows().first().text.contains(all));
}

TEST_F(OpenDatabaseTest, StartUpOpensTheCommandLineFolderOrTheLastOne)
{
    m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("vorne"));
    ASSERT_TRUE(m_db.OpenDBOnCommandLine(m_folder.path()));
    EXPECT_TRUE(m_db.IsOpen());
    m_db.CloseDB();

    m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("vorne"));
    ASSERT_TRUE(m_db.OpenLastDB());
    EXPECT_EQ(m_db.DBPath(), m_folder.path());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(OpenDatabaseTest, EmptyLastFolderOpensNothingAndAMissingOneSaysSo)
{
    m_db.CloseDB();
    const int offers = m_windows.offers().size();
    EXPECT_FALSE(m_db.OpenLastDB());
    EXPECT_FALSE(m_db.OpenDBOnCommandLine(QString()));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_EQ(m_windows.offers().size(), offers);

    TempFolder parent;
    const QString gone = parent.file(QStringLiteral("share"));
    m_db.SetLastDBDir(gone);
    EXPECT_FALSE(m_db.OpenLastDB());
    EXPECT_FALSE(m_db.OpenDBOnCommandLine(gone));
    ASSERT_EQ(messageWindows().size(), 2);
    for (const ShownPrompt& p : messageWindows()) {
        EXPECT_EQ(p.text, DbNotice::cantReach(gone));
        EXPECT_EQ(p.style, 2);
    }
    EXPECT_FALSE(m_db.IsOpen());
}

TEST_F(OpenDatabaseTest, CancelledLoginClosesTheDatabaseAndKeepsTheLastFolder)
{
    m_db.SetLastDBDir(QStringLiteral("/elsewhere"));
    EXPECT_FALSE(m_db.OpenDB(m_folder.path()));   // no try scripted: Cancel
    EXPECT_EQ(m_windows.offers().size(), 1);
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_TRUE(m_db.DBPath().isEmpty());
    EXPECT_EQ(m_db.LoginID(), -1);
    EXPECT_TRUE(m_db.LoginName().isEmpty());
    EXPECT_EQ(m_db.CBEngine(), nullptr);
    EXPECT_EQ(m_db.GetLastDBDir(), QStringLiteral("/elsewhere"));
    EXPECT_GE(m_windows.unloads(), 2);   // before the login and in the closing
}

TEST_F(OpenDatabaseTest, ClosingUnloadsWindowsEvenWithNoDatabaseOpen)
{
    m_db.CloseDB();
    const int before = m_windows.unloads();
    m_db.CloseDB();
    EXPECT_EQ(m_windows.unloads(), before + 1);
    EXPECT_FALSE(m_db.IsOpen());
}

TEST_F(OpenDatabaseTest, BackupAdviceNamesTheFilesAndTheAttachmentsFolder)
{
    const QString advice = m_db.DBMSFiles();
    EXPECT_TRUE(advice.startsWith(QStringLiteral("Brindlemark database consists of the following 28 files.")));
    EXPECT_TRUE(advice.contains(QStringLiteral("\r\n\r\nbcccat.dbf\r\nbcccat.cdx\r\n")));
    EXPECT_TRUE(advice.contains(QStringLiteral("\r\nbccparam.fpt\r\n\r\nIMPORTANT: ")));
    EXPECT_TRUE(advice.endsWith(m_db.AttachPath() + QStringLiteral("\r\n")));
    m_db.CloseDB();
    EXPECT_TRUE(m_db.DBMSFiles().endsWith(QStringLiteral("files under bccattach\r\n")));
}

} // namespace
} // namespace bmtest
