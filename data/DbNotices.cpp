#include "data/DbNotices.h"

#include "common/Product.h"

namespace DbNotice {
namespace {

const QString kBreak = QStringLiteral("\r\n");
const QString kTwoBreaks = QStringLiteral("\r\n\r\n");

QString createOrOpenAdvice()
{
    return QStringLiteral("If you have not previously created ") + Product::name()
        + QStringLiteral(" database, please choose File, New Database... menu or if you have moved the ")
        + Product::name()
        + QStringLiteral(" database files to another location choose File, Open Database... menu and select "
                         "the directory that contains these files.");
}

} // namespace

QString missingFiles(const QString& folder, const QString& fileList, const QString& backupAdvice)
{
    return QStringLiteral("OPEN FAILED!") + kTwoBreaks
        + QStringLiteral("The following data files are missing from the directory '") + folder
        + QStringLiteral("':") + kTwoBreaks + fileList + kBreak + createOrOpenAdvice() + kTwoBreaks + backupAdvice;
}

QString existingFiles(const QString& folder, const QString& fileList)
{
    return QStringLiteral("NEW DATABASE CREATION FAILED!") + kTwoBreaks
        + QStringLiteral("The following data files already exist in the directory '") + folder
        + QStringLiteral("':") + kTwoBreaks + fileList + kBreak
        + QStringLiteral("Please select a directory that does not already contain ") + Product::name()
        + QStringLiteral(" database or choose File, Open Database... menu to open an existing database.");
}

QString cantReach(const QString& folder)
{
    return QStringLiteral("OPEN FAILED!") + kTwoBreaks + QStringLiteral("Directory '") + folder
        + QStringLiteral("' does not exist OR is NOT accessible at this time. If this directory is located on "
                         "another computer on the network, please verify that computer is up and running.")
        + kTwoBreaks + createOrOpenAdvice();
}

QString engineInitFailed()
{
    return QStringLiteral("CODE4 could NOT be initialized!");
}

QString reinstall()
{
    return QStringLiteral("Please try re-installing ") + Product::name() + QStringLiteral(" to resolve this issue.");
}

QString loginHint()
{
    return QStringLiteral("Unless they have been changed, the initial Login Name of a new database is ADMIN "
                          "and its initial Password is VORNE.");
}

QString loginNameMissing()
{
    return QStringLiteral("Login Name must be entered!");
}

QString passwordMissing()
{
    return QStringLiteral("Password must be entered!");
}

QString loginFailed()
{
    return QStringLiteral("Invalid Login Name or Password! Please try again.") + kTwoBreaks
        + QStringLiteral("If you believe you are getting this message in error, please ask your administrator "
                         "to check whether your Login Name exists in the system. Your administrator can:")
        + kBreak + QStringLiteral("  - Add a Login Name for you") + kBreak
        + QStringLiteral("  - Activate a Login Name if it is not ACTIVE") + kBreak
        + QStringLiteral("  - Reset your Password to your Login Name (if you have forgotten your password)")
        + kTwoBreaks
        + QStringLiteral("Please note BOTH the Login Name and Password for a new database is set initially as "
                         "follows: Login Name ADMIN, Password VORNE.");
}

QString notAdmin()
{
    return QStringLiteral("Only the users who have 'admin' role can perform this action!") + kTwoBreaks
        + QStringLiteral("If you believe you should be able to perform this function, please ask your "
                         "administrator to change your role to 'admin' (See Database Admin, User Management "
                         "icon).");
}

QString passwordCharacter(const QString& character)
{
    return QStringLiteral("The password can't contain '") + character
        + QStringLiteral("'! A password can only use the letters, digits and signs of Western European "
                         "languages.");
}

QString characterNotStored(const QString& character)
{
    return QStringLiteral("The character '") + character
        + QStringLiteral("' can't be stored! The database can only hold the letters, digits and signs of Western "
                         "European languages.");
}

QString passwordTooLong(int maxLength)
{
    return QStringLiteral("The password is too long! A password can have at most ") + QString::number(maxLength)
        + QStringLiteral(" characters.");
}

QString noPermission(const QString& login)
{
    return QStringLiteral("Sorry, you are not permitted to perform this action. Please ask your system "
                          "administrator to grant this permission to your login '")
        + login
        + QStringLiteral("'. After your system administrator has granted you the permission, you will need to "
                         "close down and then re-open ")
        + Product::name() + QLatin1Char('.');
}

QString underEdit(const QString& userName, const QString& computerName)
{
    return QStringLiteral("The record you are trying to edit is currently being edited by user '") + userName
        + QStringLiteral("' from machine '") + computerName + QStringLiteral("'") + QStringLiteral("\n\n")
        + QStringLiteral("What would you like to do?");
}

QString recordGone()
{
    return QStringLiteral("Record cannot be accessed or no longer exists. It may have been deleted by another "
                          "user.");
}

} // namespace DbNotice
