#include "xbase/Coding.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <algorithm>

namespace xbase {

uint8_t* Table::recordForUpdate()
{
    m_changed = true;
    return ownImage();
}

uint8_t* Table::ownImage()
{
    if (m_view != m_record.data()) {
        std::copy_n(m_view, m_record.size(), m_record.begin());
        m_view = m_record.data();
    }
    return m_record.data();
}

Status Table::setDeleted(bool on)
{
    if (!m_appending && (m_recno == 0 || m_eof))
        return Status::invalidArgument(m_path + ": no current record");
    recordForUpdate()[0] = on ? '*' : ' ';
    return Status::ok();
}

// The one place where records reach the file: the observers (the index) see
// the change first, then memo texts go to the memo file and the record image
// to the data file. The caller holds the lock that guards `recno`.
Status Table::commitRecord(uint32_t recno, const uint8_t* oldImage)
{
    ownImage();
    size_t told = 0;
    Status s;
    for (; told < m_observers.size(); ++told) {
        s = m_observers[told]->beforeWrite(*this, recno, oldImage, m_record.data());
        if (!s.isOk())
            break;
    }
    if (s.isOk())
        s = storeMemos();
    if (s.isOk())
        s = writeRecord(recno);
    const bool written = s.isOk();
    if (written)
        m_readAhead.store(recno, m_record.data());
    else
        m_readAhead.forget(recno); // the file may hold part of the write
    while (told > 0) {
        Status after = m_observers[--told]->afterWrite(*this, recno, s);
        if (s.isOk())
            s = after;
    }
    if (!written)
        return s;
    for (auto& f : m_fields)
        if (f->memoChanged())
            f->resetMemo();
    m_changed = false;
    return s;
}

// In a batch, appended records gather and reach the file together.
Status Table::writeRecord(uint32_t recno)
{
    const size_t length = m_record.size();
    if (m_batch && m_appending) {
        if (!m_pending.empty() && recno != m_pendingFirst + m_pending.size() / length)
            XB_RETURN_IF_ERROR(writePending());
        if (m_pending.empty())
            m_pendingFirst = recno;
        m_pending.insert(m_pending.end(), m_record.begin(), m_record.end());
        return m_pending.size() >= kPendingBytes ? writePending() : Status::ok();
    }
    XB_RETURN_IF_ERROR(writePending());
    if (!m_appending)
        return m_file->writeAt(recordOffset(recno), m_record.data(), length);
    // A new last record goes with the end-of-file byte after it.
    m_appended.assign(m_record.begin(), m_record.end());
    m_appended.push_back(0x1A);
    return m_file->writeAt(recordOffset(recno), m_appended.data(), m_appended.size());
}

Status Table::writePending()
{
    if (m_pending.empty())
        return Status::ok();
    Status s = m_file->writeAt(recordOffset(m_pendingFirst), m_pending.data(), m_pending.size());
    m_pending.clear();
    // Records the caller was told are appended did not all get through.
    if (!s.isOk() && m_batch && m_batchStatus.isOk())
        m_batchStatus = s;
    return s;
}

Status Table::storeMemos()
{
    // Nobody else has an exclusive table's memo file open.
    MemoFile::LockWaiter waitLock;
    if (!m_exclusive)
        waitLock = [this](File& file, uint64_t offset) { return m_engine.waitLock(file, offset); };
    for (auto& f : m_fields) {
        if (!f->memoChanged())
            continue;
        if (!m_memo)
            return Status::corruption(m_path + ": memo field " + f->name() + " without a memo file");
        uint32_t oldBlock = 0;
        // A new record never shares blocks with the one it was started from.
        if (!m_appending && !f->memoBlock(&oldBlock).isOk())
            oldBlock = 0;
        uint32_t block = 0;
        XB_RETURN_IF_ERROR(m_memo->write(oldBlock, f->memoText(), waitLock, &block));
        f->setMemoBlock(block);
    }
    return Status::ok();
}

Status Table::writeChanged()
{
    if (m_readOnly)
        return Status::invalidArgument(m_path + ": the table is open read-only");
    if (m_recno == 0 || m_eof)
        return Status::invalidArgument(m_path + ": no current record to write");
    const bool needLock = !m_exclusive && !isLocked(m_recno);
    if (needLock && m_engine.settings().lockEnforce)
        return Status::locked(m_path + ": record " + std::to_string(m_recno) + " must be locked before it is changed");
    if (needLock)
        XB_RETURN_IF_ERROR(takeLock(recordLockOffset(m_recno)));
    m_old.resize(m_record.size());
    XB_RETURN_IF_ERROR(writePending());
    Status s = beginWrite();
    if (s.isOk()) {
        Status w = readImage(m_recno, m_old.data());
        if (w.isOk())
            w = commitRecord(m_recno, m_old.data());
        s = endWrite(w);
    }
    if (needLock) {
        Status u = m_file->unlock(recordLockOffset(m_recno), 1);
        if (s.isOk())
            s = u;
    }
    return s;
}

Status Table::flush()
{
    if (m_changed && !m_appending)
        XB_RETURN_IF_ERROR(writeChanged());
    for (auto& extension : m_extensions)
        XB_RETURN_IF_ERROR(extension->flush());
    return Status::ok();
}

Status Table::discardChanges()
{
    const bool hadRecord = !m_appending && m_recno != 0 && !m_eof;
    m_appending = false;
    m_changed = false;
    resetMemos();
    m_view = m_record.data();
    if (hadRecord) {
        XB_RETURN_IF_ERROR(readImage(m_recno, m_record.data()));
        m_readAhead.store(m_recno, m_record.data());
        return Status::ok();
    }
    setBlank(m_record.data());
    return Status::ok();
}

} // namespace xbase
