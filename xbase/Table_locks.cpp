#include "xbase/Engine.h"
#include "xbase/Table.h"

namespace xbase {

Status Table::takeLock(uint64_t offset) { return m_engine.waitLock(*m_file, offset); }

// Exclusive tables are nobody else's, and read-only files can carry no write
// lock; neither needs record locks.
Status Table::lock(uint32_t recno)
{
    if (m_exclusive || m_readOnly || isLocked(recno))
        return Status::ok();
    XB_RETURN_IF_ERROR(takeLock(recordLockOffset(recno)));
    m_locks.insert(recno);
    // What was read before the lock may be stale: another user may have
    // changed the record in between.
    if (recno == m_recno && !m_changed && !m_appending && !m_eof) {
        m_view = m_record.data();
        XB_RETURN_IF_ERROR(readImage(recno, m_record.data()));
        m_readAhead.store(recno, m_record.data());
        resetMemos();
    }
    return Status::ok();
}

Status Table::unlock()
{
    Status result = flush();
    for (uint32_t recno : m_locks) {
        Status s = m_file->unlock(recordLockOffset(recno), 1);
        if (result.isOk())
            result = s;
    }
    m_locks.clear();
    return result;
}

} // namespace xbase
