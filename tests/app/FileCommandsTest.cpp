#include "AppFixture.h"

#include "app/frmMain.h"
#include "common/ui/ObjectTag.h"
#include "data/clsDB.h"

#include <QCloseEvent>
#include <QDir>
#include <QSignalSpy>

namespace {

// A record window in edit mode whose user keeps the edit: it refuses to close.
class StubbornForm : public QWidget {
public:
    explicit StubbornForm(const QString& tag) { setObjectTag(this, tag); }
    bool refuse = true;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (refuse)
            event->ignore();
        else
            event->accept();
    }
};

class FileCommandsTest : public AppFixture {
protected:
    QString folderOf(const char* name) { return m_temp.file(QString::fromLatin1(name)); }

    frmMain m_main;
};

TEST_F(FileCommandsTest, CancellingTheFolderChoiceOfNewDatabaseOnlyMakesTheDefaultFolder)
{
    m_prompts.accept().cancel();   // the introduction, then the folder dialog
    m_main.mnuFileNew_Click();
    ASSERT_EQ(m_prompts.shown().size(), 2);
    const ShownPrompt intro = m_prompts.shown().at(0);
    EXPECT_EQ(intro.kind, ShownPrompt::Kind::MessageWindow);
    EXPECT_EQ(intro.helpContext, 1600);
    EXPECT_TRUE(intro.text.startsWith(QLatin1String("You are about to create a NEW Brindlemark Database.\r\n\r\n")));
    EXPECT_EQ(m_prompts.shown().at(1).kind, ShownPrompt::Kind::FolderDialog);
    EXPECT_EQ(m_prompts.shown().at(1).text, DB().DBDefaultPath());
    EXPECT_TRUE(QDir(m_temp.file(QStringLiteral("BMKData"))).exists());
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_TRUE(m_logins.loginFolders.isEmpty());
}

TEST_F(FileCommandsTest, NewDatabaseInAFolderThatHoldsOneCreatesAndOpensNothing)
{
    const QString folder = makeDatabase();
    m_prompts.accept().text(folder);
    m_main.mnuFileNew_Click();
    const QStringList windows = shownTexts(ShownPrompt::Kind::MessageWindow);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_TRUE(windows.at(1).startsWith(QLatin1String("NEW DATABASE CREATION FAILED!")));
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_TRUE(m_logins.loginFolders.isEmpty());
    EXPECT_TRUE(m_main.findChild<QAction*>(QStringLiteral("mnuFileNew"))->isEnabled());
}

TEST_F(FileCommandsTest, TheCreationNoticeNamesTheLoginAndTheFolderBeforeTheLogin)
{
    const QString folder = folderOf("fresh");
    QDir().mkpath(folder);
    m_prompts.accept().text(folder).accept();
    m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
    m_main.mnuFileNew_Click();
    const ShownPrompt notice = m_prompts.last();
    EXPECT_EQ(notice.helpContext, 1610);
    EXPECT_TRUE(notice.text.startsWith(QLatin1String("NEW DATABASE CREATED!")));
    EXPECT_TRUE(notice.text.contains(QLatin1String("'admin'")));
    EXPECT_TRUE(notice.text.contains(QLatin1String("VORNE")));
    EXPECT_TRUE(notice.text.contains(QStringLiteral("\r\n\r\n") + folder + QStringLiteral("\r\n\r\n")));
    // It is shown before the database opens, so its advice has no folder yet.
    EXPECT_TRUE(notice.text.contains(
        QLatin1String("[The data directory will be specified here once you create/open a Brindlemark]")));
    EXPECT_TRUE(notice.text.endsWith(QLatin1String("Next you will login into the new database...")));
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_EQ(m_logins.loginFolders, QStringList{folder});
}

TEST_F(FileCommandsTest, BackupAdviceNamesTheOpenFolderOrThePlaceholder)
{
    m_main.mnuHelpBackup_Click();
    EXPECT_EQ(m_prompts.last().helpContext, 1610);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("BACKING UP, COPYING OR MOVING YOUR DATABASE\r\n\r\n")));
    EXPECT_TRUE(m_prompts.last().text.contains(QLatin1String("[The data directory will be specified here")));
    EXPECT_TRUE(m_prompts.last().text.endsWith(DB().DBMSFiles()));

    const QString folder = openNewDatabase();
    m_main.mnuHelpBackup_Click();
    EXPECT_TRUE(m_prompts.last().text.contains(QStringLiteral("directory:\r\n\r\n") + folder + QStringLiteral("\r\n\r\n")));
    EXPECT_FALSE(m_prompts.last().text.contains(QLatin1String("[The data directory")));
}

TEST_F(FileCommandsTest, OpenDatabaseOpensTheChosenFolderAndCancelChangesNothing)
{
    const QString folder = makeDatabase();
    m_prompts.cancel();
    m_main.mnuFileOpen_Click();
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_FALSE(QDir(m_temp.file(QStringLiteral("BMKData"))).exists());

    m_prompts.text(folder);
    m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
    m_main.mnuFileOpen_Click();
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_EQ(m_main.statusText(1), QStringLiteral("Database Location: ") + folder);
}

TEST_F(FileCommandsTest, DisplayDataFolderHandsTheFolderToTheDesktop)
{
    const QString folder = openNewDatabase();
    m_main.mnuDisplayDataFolder_Click();
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_EQ(m_launched.first(), (QStringList{QStringLiteral("xdg-open"), folder}));
}

TEST_F(FileCommandsTest, AWindowThatRefusesToCloseKeepsTheDatabaseOpenOnCloseAndExit)
{
    openNewDatabase();
    m_main.show();
    auto* form = new StubbornForm(QStringLiteral("C1000"));
    m_main.addMdiChild(form);
    QSignalSpy unloaded(&m_main, &frmMain::unloaded);

    m_main.mnuFileClose_Click();
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(m_main.findChild<QAction*>(QStringLiteral("mnuFileClose"))->isEnabled());

    m_main.mnuFileExit_Click();
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_TRUE(m_main.isVisible());
    EXPECT_EQ(unloaded.count(), 0);

    m_main.menuHelpDatabaseMaintenance_Click();
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    form->refuse = false;
    m_main.mnuFileExit_Click();
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_FALSE(m_main.isVisible());
    EXPECT_EQ(unloaded.count(), 1);
}

TEST_F(FileCommandsTest, DatabaseMaintenanceClosesEveryOtherWindowFirst)
{
    openNewDatabase();
    m_main.show();
    auto* form = new StubbornForm(QStringLiteral("C1000"));
    form->refuse = false;
    m_main.addMdiChild(form);
    m_main.menuHelpDatabaseMaintenance_Click();
    EXPECT_EQ(m_main.openForms().size(), 1);
    EXPECT_TRUE(DB().IsOpen());
    // The window came up once, listing the ten data files of the database.
    ASSERT_EQ(m_maintenanceShown.size(), 1);
    QStringList tables;
    for (const clsDBFile& file : DB().DataFilePaths())
        tables.append(file.Table);
    EXPECT_EQ(m_maintenanceShown.first(), tables);
    EXPECT_EQ(tables.size(), 10);
}

// Without a database the notice comes first: there is no login whose
// permission could be refused.
TEST_F(FileCommandsTest, DatabaseMaintenanceWithoutADatabaseSaysSoFirst)
{
    ASSERT_FALSE(DB().IsOpen());
    m_main.menuHelpDatabaseMaintenance_Click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    const ShownPrompt box = m_prompts.last();
    EXPECT_EQ(box.kind, ShownPrompt::Kind::MessageBox);
    EXPECT_EQ(box.text, QStringLiteral("No database is currently open. See File menu."));
    EXPECT_EQ(box.title, QStringLiteral("No Database Open"));
    EXPECT_EQ(box.style, 64);
}

} // namespace
