#include "app/frmMain.h"

#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/mdlFolderSelection.h"
#include "data/ShippedData.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUtil.h"

// The File menu chooses folders, explains and refreshes the frame; creating,
// opening and closing are the database object's.

namespace {

QString para(const QString& text) { return text + Sys().CRLF(2); }

QString newDatabaseIntro()
{
    const QString pn = Product::name();
    return para(QStringLiteral("You are about to create a NEW ") + pn + QStringLiteral(" Database."))
        + para(QStringLiteral(
            "SHARED/NETWORK DATABASE: If you would like to share the new database with other users on your "
            "Local Area Network, you may want to create this database on a File Server or a Shared Network "
            "Directory that is accessible by other users. While you are creating the new database, please note "
            "the network directory location of the new database. Other users will need to select this network "
            "directory location when they choose File, Open Database... from their machines."))
        + QStringLiteral("LOCAL DATABASE: If you are creating the new database for your exclusive use, you may "
                         "want to create the database on your local machine.");
}

} // namespace

void frmMain::mnuFileNew_Click()
{
    Sys().ShowMsg(newDatabaseIntro(), 1, 1600);
    (void)Sys().CreateDir(DB().DBDefaultPath());
    const QString folder = BrowseForFolder(
        DB().DBDefaultPath(),
        QStringLiteral("NEW DATABASE: Please select the Directory where you want to store the new ")
            + Product::name() + QStringLiteral(" database:"));
    if (folder.isEmpty())
        return;
    if (DB().NewDB(folder)) {
        Sys().ShowMsg(creationNotice(folder), 1, 1610);
        // A window that keeps its edit keeps its database open too.
        if (closeChildren())
            (void)DB().OpenDB(folder);
    }
    SetUI();
}

QString frmMain::creationNotice(const QString& folder) const
{
    const QString admin = QString::fromLatin1(ShippedData::admin().login);
    return para(QStringLiteral("NEW DATABASE CREATED! Login as '") + admin
                + QStringLiteral("' with the password VORNE."))
        + para(QStringLiteral("New ") + Product::name() + QStringLiteral(" database has been created in:"))
        + para(folder)
        + para(QStringLiteral("If you are sharing this data with other users, please note this directory "
                              "location. Other users will need to specify this location when opening the "
                              "database."))
        + para(BackupMsg(folder)) + QStringLiteral("Next you will login into the new database...");
}

void frmMain::mnuFileOpen_Click()
{
    const QString folder = BrowseForFolder(
        DB().DBDefaultPath(),
        QStringLiteral("EXISTING DATABASE: Please select the Directory that contains an existing ")
            + Product::name() + QStringLiteral(" database:"));
    if (folder.isEmpty())
        return;
    // Only a folder that holds a database closes the windows, and a window
    // that keeps its edit keeps its database open too.
    if (DB().DirContainsValidData(folder) && closeChildren())
        (void)DB().OpenDB(folder);
    SetUI();
}

void frmMain::mnuFileClose_Click()
{
    (void)closeDatabase();
    SetUI();
}

void frmMain::mnuDisplayDataFolder_Click() { Sys().ShowFolder(DB().DBPath()); }

void frmMain::mnuFileChangePWD_Click() { ChangePassword(); }

void frmMain::mnuFileExit_Click() { close(); }

QString frmMain::BackupMsg(const QString& dataDir) const
{
    const QString pn = Product::name();
    const QString folder = dataDir.isEmpty() ? DB().DBPath() : dataDir;
    const QString where = DB().IsOpen()
        ? folder
        : QStringLiteral("[The data directory will be specified here once you create/open a ") + pn
            + QLatin1Char(']');
    return para(QStringLiteral("BACKING UP, COPYING OR MOVING YOUR DATABASE"))
        + para(QStringLiteral("In order to safe keep your ") + pn
               + QStringLiteral(" database in case of computer failure or data corruption we suggest that you "
                                "periodically copy all ")
               + pn + QStringLiteral(" files AND sub-directories in the following directory:"))
        + para(where)
        + para(QStringLiteral("to a removable media such as tape media, floppy disk, zip or jaz disk, CDR, tape "
                              "or to another computer on your network. THIS IS THE ONLY WAY TO RECOVER YOUR DATA "
                              "IN CASE YOUR DATABASE GETS CORRUPTED!"))
        + para(QStringLiteral("ALL ") + pn
               + QStringLiteral(" database files in the directory above must be BACKed up together and if "
                                "needed, RESTOREd together."))
        + para(QStringLiteral("We suggest use of UPS (Uninterruptible Power Supply) for machines that access or "
                              "host the database. Never reboot your machine while you are editing ")
               + pn + QStringLiteral(" data. Please consult your Network or System Administrator for advice on how "
                                     "to protect your ")
               + pn + QStringLiteral(" data."))
        + para(QStringLiteral("We suggest backing up data at the end of each day so the most you will loose in "
                              "case of system failure is one day's work. Please consult YOUR Network "
                              "Administrator to come up with a backup and disaster recovery scheme that suits "
                              "your needs."))
        + DB().DBMSFiles();
}

// The maintenance window works on the table files alone, so every other
// window goes first; one that refuses to close stops the command.
void frmMain::menuHelpDatabaseMaintenance_Click()
{
    // Without a database there is no login whose permission could be asked.
    if (!DB().IsOpen()) {
        MsgBox(QStringLiteral("No database is currently open. See File menu."), MsgStyle::Information,
               QStringLiteral("No Database Open"));
        return;
    }
    if (!DB().Perm_DBAdmin())
        return;
    if (!closeChildren())
        return;
    DBUtil().DlgDBMaintenance(this, DB().DataFilePaths());
}
