#pragma once

#include "data/clsDBFile.h"
#include "xbase/c4.h"

#include <QString>

// The file work of re-indexing one table of the open database: the old index
// moves aside to its backup name (the index path followed by `tick`), the
// empty index template of the program folder takes its place, and the table,
// opened exclusively on `engine`, has every tag rebuilt from its rows. The
// result is True when the rebuild went through.
//
// An existing file of the backup name is never replaced: the move fails
// (shown by FileRename) and nothing changes. When the template is in place
// but the table can't be opened exclusively or the rebuild fails, the old
// index goes back under its own name, so that a failed re-index changes
// nothing. The engine is back in shared access on every way out.
bool ReindexTableFiles(CODE4* engine, const QString& dataPath, const clsDBFile& files, quint64 tick);

// Milliseconds since the system started: the number of a backup name.
quint64 SystemTickCount();
