#include "data/DataFileReindex.h"

#include "common/RunError.h"
#include "common/clsSystem.h"
#include "xbase/IndexC4.h"

#include <cstdio>
#include <ctime>

namespace {

// Exclusive access for the length of the scope, then shared again.
class ExclusiveAccess {
public:
    explicit ExclusiveAccess(CODE4* engine) : m_engine(engine) { code4accessMode(m_engine, 1); }
    ~ExclusiveAccess() { code4accessMode(m_engine, 0); }
    ExclusiveAccess(const ExclusiveAccess&) = delete;
    ExclusiveAccess& operator=(const ExclusiveAccess&) = delete;

private:
    CODE4* m_engine;
};

bool rebuild(CODE4* engine, const QString& dataPath)
{
    DATA4* table = d4open(engine, dataPath.toLocal8Bit().constData());
    bool done = false;
    if (table) {
        done = d4reindex(table) == 0;
        done = d4close(table) == 0 && done;
    }
    // The reason goes with the failure message of the caller; the engine
    // must not carry it into later calls.
    if (!done)
        code4errorCode(engine, 0);
    return done;
}

// Puts the old index back over the template copy in one step, so that no
// moment passes without an index of that name.
void restore(const QString& backup, const QString& index)
{
    if (std::rename(backup.toLocal8Bit().constData(), index.toLocal8Bit().constData()) != 0)
        Sys().ShowError(QStringLiteral("clsSystem_FileRename"), RunError::pathFileAccess());
}

} // namespace

bool ReindexTableFiles(CODE4* engine, const QString& dataPath, const clsDBFile& files, quint64 tick)
{
    if (!engine)
        return false;
    ExclusiveAccess access(engine);
    const QString backup = files.TableIndex + QString::number(tick);
    if (!Sys().FileRename(files.TableIndex, backup))
        return false;
    if (Sys().FileCopyFn(files.TableIndexSource, files.TableIndex) && rebuild(engine, dataPath))
        return true;
    restore(backup, files.TableIndex);
    return false;
}

quint64 SystemTickCount()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return quint64(now.tv_sec) * 1000u + quint64(now.tv_nsec) / 1000000u;
}
