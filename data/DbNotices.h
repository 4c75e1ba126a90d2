#pragma once

#include <QString>

// The texts of the database object's openings, logins, permissions and
// under-edit marks. Line breaks are CR LF. The product name comes from
// Product::name().
namespace DbNotice {

// "OPEN FAILED!" with the folder, the missing files (each followed by a line
// break) and the backup advice.
QString missingFiles(const QString& folder, const QString& fileList, const QString& backupAdvice);
// "NEW DATABASE CREATION FAILED!" with the folder and the files found there.
QString existingFiles(const QString& folder, const QString& fileList);
// "OPEN FAILED!": the folder does not exist or cannot be reached.
QString cantReach(const QString& folder);
QString engineInitFailed();     // "CODE4 could NOT be initialized!"
QString reinstall();            // "Please try re-installing <product> to resolve this issue."

QString loginHint();            // the initial login of a new database
QString loginNameMissing();     // "Login Name must be entered!"
QString passwordMissing();      // "Password must be entered!"
QString loginFailed();          // "Invalid Login Name or Password! ..."
QString notAdmin();             // "Only the users who have 'admin' role ..."
// A new password that could never be used: "The password can't contain 'ł'! ..."
QString passwordCharacter(const QString& character);
// "The password is too long! A password can have at most 20 characters."
QString passwordTooLong(int maxLength);
// A typed character that the tables' code page cannot hold: "The character
// 'ł' can't be stored! ..."
QString characterNotStored(const QString& character);
// "Sorry, you are not permitted ... your login '<login>' ..."
QString noPermission(const QString& login);

// "The record you are trying to edit is currently being edited by user ..."
QString underEdit(const QString& userName, const QString& computerName);
QString recordGone();           // "Record cannot be accessed or no longer exists. ..."

} // namespace DbNotice
