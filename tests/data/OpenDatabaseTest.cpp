#include "LoginFixture.h"

#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace bmtest {
namespace {

// The backup advice that ends the missing-files message, as users read it.
QString backupAdvice(const QString& attachPath)
{
    return QStringLiteral(
               "Brindlemark database consists of the following 28 files. All these files must exist together in a "
               "directory before a database can be opened. All these files must be BACKed up together as a unit and "
               "if needed, RESTOREd together as a unit from a single backup archive. For example, if you backup on "
               "a weekly basis, do NOT restore some files from the backup archive made this week and other files "
               "from the backup archive from last week. Instead, restore all files from either this week's or last "
               "week's backup archive. \r\n\r\n"
               "bcccat.dbf\r\nbcccat.cdx\r\nbcccust.dbf\r\nbcccust.cdx\r\nbcccust.fpt\r\nbcccust_ps.dbf\r\n"
               "bcccust_ps.cdx\r\nbcccust_ps.fpt\r\nbccid.dbf\r\nbccid.cdx\r\nbccissues.dbf\r\nbccissues.cdx\r\n"
               "bccissues.fpt\r\nbcciactions.dbf\r\nbcciactions.cdx\r\nbcciactions.fpt\r\nbccitempl.dbf\r\n"
               "bccitempl.cdx\r\nbccitempl.fpt\r\nbccuser.dbf\r\nbccuser.cdx\r\nbccuser.fpt\r\nbccrep.dbf\r\n"
               "bccrep.cdx\r\nbccrep.fpt\r\nbccparam.dbf\r\nbccparam.cdx\r\nbccparam.fpt\r\n\r\n"
               "IMPORTANT: The attachments for a Brindlemark are saved in a folder called 'bccattach' under your "
               "Customer Data directory. Therefore, you will also need to back up all directories and files under ")
        + attachPath + QStringLiteral("\r\n");
}

const QString kCreateOrOpen = QStringLiteral(
    "If you have not previously created Brindlemark database, please choose File, New Database... menu or if you "
    "have moved the Brindlemark database files to another location choose File, Open Database... menu and select "
    "the directory that contains these files.");

// The missing-files message for a folder and its list of missing files.
QString missingFilesText(const QString& folder, const QString& list, const QString& attachPath)
{
    return QStringLiteral("OPEN FAILED!\r\n\r\nThe following data files are missing from the directory '") + folder
        + QStringLiteral("':\r\n\r\n") + list + QStringLiteral("\r\n") + kCreateOrOpen
        + QStringLiteral("\r\n\r\n") + backupAdvice(attachPath);
}

class OpenDatabaseTest : public LoginTest {
protected:
    bool exists(const QString& folder, const QString& name) const { return QFile::exists(QDir(folder).filePath(name)); }
    void removeFiles(const QString& folder, const QStringList& names)
    {
        for (const QString& name : names)
            ASSERT_TRUE(QFile::remove(QDir(folder).filePath(name))) << name.toStdString();
    }
    // Every file of the folder with a checksum of its contents.
    static QMap<QString, QByteArray> checksums(const QString& folder)
    {
        QMap<QString, QByteArray> sums;
        for (const QString& name : QDir(folder).entryList(QDir::Files)) {
            QFile file(QDir(folder).filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            sums.insert(name, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
        }
        return sums;
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

// Several accounts of one group share a database folder: what the program
// makes there belongs to the folder's group and is writable by it, whatever
// the umask, and the attachments folder passes on the folder's access (its
// set-group-ID bit included) to the record folders made in it.
TEST_F(OpenDatabaseTest, ADatabaseTheProgramMakesIsWritableByItsFoldersGroup)
{
    const mode_t umaskBefore = ::umask(022);
    const unsigned group = handableGroup();
    const QStringList actions = {QStringLiteral("bcciactions.dbf"), QStringLiteral("bcciactions.cdx"),
                                 QStringLiteral("bcciactions.fpt")};
    for (const unsigned folderMode : {0755u, 0775u, 02775u}) {
        m_db.CloseDB();
        TempFolder fresh;
        const QByteArray folder = QFile::encodeName(fresh.path());
        ASSERT_EQ(::chown(folder.constData(), uid_t(-1), group), 0);
        ASSERT_EQ(::chmod(folder.constData(), folderMode), 0);
        auto access = [&](const QString& name) { return fileAccess(fresh.file(name)); };
        const std::string tableAccess = accessText((folderMode & 0666) | 0660, group);

        ASSERT_TRUE(m_db.NewDB(fresh.path()));
        for (const QString& name : clsDB::databaseFileNames())
            EXPECT_EQ(access(name), tableAccess) << name.toStdString() << " in " << accessText(folderMode, group);

        // Tables completed from the templates, and the attachments folder.
        removeFiles(fresh.path(), actions);
        m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("VORNE"));
        ASSERT_TRUE(m_db.OpenDB(fresh.path()));
        for (const QString& name : actions)
            EXPECT_EQ(access(name), tableAccess) << name.toStdString();
        EXPECT_EQ(access(QStringLiteral("bccattach")), accessText(folderMode, group));
    }
    ::umask(umaskBefore);
}

TEST_F(OpenDatabaseTest, NewDatabaseRefusesAFolderHoldingAnyDatabaseFile)
{
    TempFolder folder;
    QFile(folder.file(QStringLiteral("bccid.cdx"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(m_db.NewDB(folder.path()));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("bccid.cdx")});
    ASSERT_EQ(messageWindows().size(), 1);
    EXPECT_EQ(messageWindows().first().text,
              QStringLiteral("NEW DATABASE CREATION FAILED!\r\n\r\nThe following data files already exist in the "
                             "directory '")
                  + folder.path()
                  + QStringLiteral("':\r\n\r\nbccid.cdx\r\n\r\nPlease select a directory that does not already "
                                   "contain Brindlemark database or choose File, Open Database... menu to open an "
                                   "existing database."));
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
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Please try re-installing Brindlemark to resolve this issue."));
    EXPECT_TRUE(m_db.NewDB(target.path()));
}

TEST_F(OpenDatabaseTest, NewDatabaseInAFolderThatDoesNotExistFailsAtTheFirstCopy)
{
    TempFolder parent;
    EXPECT_FALSE(m_db.NewDB(parent.file(QStringLiteral("nothere"))));
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Please try re-installing Brindlemark to resolve this issue."));
    EXPECT_FALSE(QDir(parent.file(QStringLiteral("nothere"))).exists());
}

TEST_F(OpenDatabaseTest, MissingActionAndTemplateTablesAreCompletedFromTheTemplates)
{
    TempFolder old;
    ASSERT_TRUE(makeDatabase(old.path()));
    const QStringList addable{QStringLiteral("bcciactions.dbf"), QStringLiteral("bcciactions.cdx"),
                              QStringLiteral("bcciactions.fpt"), QStringLiteral("bccitempl.dbf"),
                              QStringLiteral("bccitempl.cdx"),   QStringLiteral("bccitempl.fpt")};
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

// A blank table copied in beside a surviving index or memo file would lose
// every row the table had: the opening fails instead and writes nothing.
TEST_F(OpenDatabaseTest, ATableMissingSomeOfItsFilesFailsToOpenAndNothingIsWritten)
{
    const QStringList cases[] = {
        {QStringLiteral("bcciactions.dbf")},
        {QStringLiteral("bccitempl.cdx")},
        {QStringLiteral("bcciactions.fpt"), QStringLiteral("bccitempl.dbf"), QStringLiteral("bccitempl.cdx"),
         QStringLiteral("bccitempl.fpt")},
    };
    for (const QStringList& gone : cases) {
        m_prompts.clear();
        TempFolder folder;
        ASSERT_TRUE(makeDatabase(folder.path()));
        removeFiles(folder.path(), gone);
        const QMap<QString, QByteArray> before = checksums(folder.path());

        EXPECT_FALSE(m_db.OpenDB(folder.path()));
        EXPECT_EQ(checksums(folder.path()), before) << gone.join(QLatin1Char(' ')).toStdString();
        // The whole table that lost only some files is named, and only it.
        const QString listed = gone.size() == 1 ? gone.first() + QStringLiteral("\r\n")
                                                : QStringLiteral("bcciactions.fpt\r\n");
        ASSERT_EQ(messageWindows().size(), 1);
        EXPECT_EQ(messageWindows().first().text, missingFilesText(folder.path(), listed, m_db.AttachPath()));
        EXPECT_EQ(messageWindows().first().style, 2);
    }
    EXPECT_EQ(m_windows.offers().size(), 0);
}

// A users table that can't be read would refuse every login as a wrong
// password: its failure shows once, naming the file and what is wrong, and
// the opening ends as a cancelled login does, without the dialog.
TEST_F(OpenDatabaseTest, AUsersTableThatCantBeReadEndsTheLoginAfterOneMessage)
{
    const struct {
        const char* name;
        std::function<void(const QString& folder)> spoil;
        QString reason;
        bool needsNonRoot;
    } cases[] = {
        {"empty users table",
         [](const QString& folder) { QFile(QDir(folder).filePath(QStringLiteral("bccuser.dbf"))).resize(0); },
         QStringLiteral("The file is damaged (truncated header (0 bytes))."), false},
        {"read-only folder",
         [](const QString& folder) {
             for (const QString& name : QDir(folder).entryList(QDir::Files))
                 QFile::setPermissions(QDir(folder).filePath(name), QFile::ReadOwner | QFile::ReadGroup);
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
         },
         QStringLiteral("The file is read-only or may not be written to."), true},
    };
    for (const auto& c : cases) {
        if (c.needsNonRoot && ::geteuid() == 0)
            continue;   // permissions don't hold back the superuser
        m_db.CloseDB();
        m_prompts.clear();
        TempFolder folder;
        ASSERT_TRUE(makeDatabase(folder.path()));
        c.spoil(folder.path());
        m_windows.tryLogin(QStringLiteral("admin"), QStringLiteral("vorne"));
        const int offers = m_windows.offers().size();

        EXPECT_FALSE(m_db.OpenDB(folder.path())) << c.name;
        EXPECT_EQ(m_windows.offers().size(), offers) << c.name;
        ASSERT_EQ(shownTexts().size(), 1) << c.name;
        EXPECT_EQ(shownTexts().first(), QStringLiteral("Unable to open: ") + folder.file(QStringLiteral("bccuser.dbf"))
                                            + QStringLiteral("\r\n\r\n") + c.reason);
        EXPECT_FALSE(m_db.IsOpen());
        EXPECT_EQ(m_db.CBEngine(), nullptr);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// The file that failed is named, index and memo files included, with what
// was wrong with it.
TEST_F(OpenDatabaseTest, AFailedOpenNamesTheFileThatFailedAndWhy)
{
    const struct {
        QString file;
        QByteArray contents;   // null: the file is removed
        QString table;
        QString reason;
    } cases[] = {
        {QStringLiteral("bccissues.cdx"), QByteArray(1024, 'x'), m_db.IssuesTable(),
         QStringLiteral("The file is damaged (bad key length).")},
        {QStringLiteral("bcccust.fpt"), QByteArray(), m_db.CustomerTable(), QStringLiteral("The file is missing.")},
        {QStringLiteral("bccrep.dbf"), QByteArray(), m_db.ReportTable(), QStringLiteral("The file is missing.")},
    };
    for (const auto& c : cases) {
        m_prompts.clear();
        const QString path = m_folder.file(c.file);
        if (c.contents.isNull()) {
            ASSERT_TRUE(QFile::remove(path));
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.contents);
        }
        EXPECT_EQ(m_db.OpenTable(c.table), nullptr) << c.file.toStdString();
        ASSERT_EQ(shownTexts().size(), 1);
        EXPECT_EQ(shownTexts().first(), QStringLiteral("Unable to open: ") + path + QStringLiteral("\r\n\r\n") + c.reason)
            << shownTexts().first().toStdString();
    }
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
    EXPECT_EQ(shown.text, missingFilesText(broken.path(), QStringLiteral("bcccust.cdx\r\n"), m_db.AttachPath()));
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
        EXPECT_EQ(p.text, QStringLiteral("OPEN FAILED!\r\n\r\nDirectory '") + gone
                              + QStringLiteral("' does not exist OR is NOT accessible at this time. If this directory "
                                               "is located on another computer on the network, please verify that "
                                               "computer is up and running.\r\n\r\n")
                              + kCreateOrOpen);
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
    EXPECT_EQ(m_db.DBMSFiles(), backupAdvice(m_folder.file(QStringLiteral("bccattach"))));
    m_db.CloseDB();
    EXPECT_EQ(m_db.DBMSFiles(), backupAdvice(QStringLiteral("bccattach")));
}

} // namespace
} // namespace bmtest
