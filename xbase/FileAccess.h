#pragma once

#include "xbase/Status.h"

#include <string>

namespace xbase {

// Access for what a process makes inside a folder that several accounts of
// one group share: a new file or folder belongs to a table or a folder
// there, and whoever may write that must be able to write it too, whatever
// the umask of the process that made it.
//
// Gives the file or folder open as `fd`, which this process made, the group
// of `like` and its permission bits: for a file, the read and write bits of
// `like` (a table, or the folder the file is made in); for a folder, the
// bits of `like` (its parent folder), the set-group-ID bit included. `extra`
// bits are added. A group this process does not belong to, or a file system
// that keeps rules of its own (a share that refuses the change), leaves
// what it cannot change as it is; only a failed look at either side is an
// error.
Status shareAccess(int fd, const std::string& like, unsigned extra = 0);

// The same for the file or folder at `path`, which is opened without
// following a link in its last step (a link is never changed).
Status shareAccessAt(const std::string& path, const std::string& like, unsigned extra = 0);

} // namespace xbase
