#pragma once

#include <QString>

// What the program makes inside a database folder, where several accounts
// of one group may work: each new file or folder takes the group and the
// permission bits of what it belongs to (xbase/FileAccess.h), whatever the
// umask.

// The bits every table file of a database gives at least: its owner and its
// folder's group read and write it.
constexpr unsigned kTableFileBits = 0660;

// Gives the file or folder at `path`, which this process has just made, the
// group and permission bits of `like` (its table, or its folder); `extra`
// bits are added. A link at `path` is left alone. False when either side
// could not be looked at.
bool shareAccessOf(const QString& path, const QString& like, unsigned extra = 0);

// Renames `from` to `to` in one step, never replacing an entry that holds
// the new name, or a name the file system takes for it (a link, a name that
// differs only in letter case on a share that ignores it); a new name that
// only changes the letter case of the same file is still taken. Gives 0 or
// the errno value of the failure (EEXIST when the name is taken).
int renameWithoutReplacing(const QString& from, const QString& to);
