#pragma once

#include <QString>

// What a verified login hands back to the database object.
struct LoginAnswer {
    QString LoginName;    // as typed, trimmed
    qint32 UserID = -1;   // the user's row identifier
    QString Password;     // as typed, trimmed
    bool IsAdmin = false;
    QString Permissions;  // 30 characters "0"/"1"
};

// The windows that the database object needs but may not make itself (the
// data layer links no widgets): the login dialog, the under-edit dialog and
// two services of the main window. The program installs an implementation
// (data/ui's WidgetDbWindows, with the main window's label refresh); tests
// install a scripted one. Without one, a fallback cancels the login, refuses
// to edit a marked row and does nothing else.
class DbWindows {
public:
    virtual ~DbWindows() = default;

    // Runs the login dialog for the folder being opened, offering `login`
    // and `password`. The dialog checks each try with clsDB::VerifyLogin and
    // stays open after a refused one, without limit. True, with `answer`
    // filled, once a try is verified; false when the user cancelled.
    virtual bool promptLogin(const QString& folder, const QString& login, const QString& password,
                             LoginAnswer& answer) = 0;

    // The under-edit dialog naming the user and machine of a mark; true when
    // the user chose to edit anyway.
    virtual bool askEditAnyway(const QString& userName, const QString& computerName) = 0;

    // Closes every window but the main window (those tagged "MAINFORM").
    virtual void unloadAllButMain() = 0;

    // Has the main window show the custom labels of the database just opened
    // in its list-management entries.
    virtual void setCustomMenuLabels() = 0;

    // The installed implementation, or the fallback.
    static DbWindows& current();
    // Installs `windows` (not owned; nullptr goes back to the fallback) and
    // returns the one it replaces (nullptr for the fallback).
    static DbWindows* install(DbWindows* windows);
};
