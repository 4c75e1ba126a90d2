#include "xbase/Coding.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

namespace xbase {

// The new record starts as a copy of the current one; its memo pointers are
// cleared so that it never shares memo blocks with that record.
Status Table::appendStart()
{
    if (m_readOnly)
        return Status::invalidArgument(m_path + ": the table is open read-only");
    XB_RETURN_IF_ERROR(leaveRecord());
    resetMemos();
    for (auto& f : m_fields)
        if (f->isMemo())
            f->setMemoBlock(0);
    ownImage();
    m_appending = true;
    m_changed = true;
    return Status::ok();
}

Status Table::blank()
{
    if (!m_appending && (m_recno == 0 || m_eof))
        return Status::invalidArgument(m_path + ": no current record");
    setBlank(recordForUpdate());
    resetMemos();
    return Status::ok();
}

Status Table::append()
{
    if (!m_appending)
        return Status::invalidArgument(m_path + ": append without appendStart");
    bool shared = !m_exclusive;
    if (shared)
        XB_RETURN_IF_ERROR(takeLock(kHeaderLockOffset));
    // The append lock guards the record count and the end of the file only:
    // it goes as soon as the record and the header are written, before the
    // call is closed, so that the next appender queues for the journal lock
    // alone. A failed append keeps it until its play-back has cut the file
    // back.
    Status s = beginWrite();
    Status u;
    if (s.isOk()) {
        const Status appended = appendLocked();
        if (shared && appended.isOk()) {
            u = m_file->unlock(kHeaderLockOffset, 1);
            shared = false;
        }
        s = endWrite(appended);
    }
    if (shared)
        u = m_file->unlock(kHeaderLockOffset, 1);
    return s.isOk() ? u : s;
}

// Runs under the append lock: the count read here is the count, and the new
// record lands after the last one whoever appended it.
Status Table::appendLocked()
{
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(recordCount(&count));
    // Record locks of the FoxPro scheme reach 0x07FFFFFF records.
    if (count >= 0x07FFFFFF)
        return Status::invalidArgument(m_path + ": the table is full");
    const uint32_t recno = count + 1;
    // The record with its end byte, and the header's date and count; in a
    // batch the record alone (endBatch writes the rest).
    if (m_batch)
        XB_RETURN_IF_ERROR(m_file->willWrite({{recordOffset(recno), m_header.recordLength}}));
    else
        XB_RETURN_IF_ERROR(m_file->willWrite({{recordOffset(recno), uint64_t(m_header.recordLength) + 1}, {0, TableHeader::kSize}}));
    Status s = commitRecord(recno, nullptr);
    if (m_changed)
        return s; // nothing reached the file; the append stays pending
    // The record is in the file even when an observer complained afterwards,
    // so the header must count it.
    m_appending = false;
    m_recno = recno;
    m_eof = m_bof = false;
    m_count = recno;
    if (m_batch)
        return s;
    // The end-of-file byte went with the record.
    Status header = writeHeaderCount(recno);
    return !s.isOk() ? s : header;
}

Status Table::beginBatch()
{
    if (m_readOnly)
        return Status::invalidArgument(m_path + ": the table is open read-only");
    if (!m_exclusive)
        return Status::invalidArgument(m_path + ": a batch needs the table opened exclusively");
    if (m_batch)
        return Status::invalidArgument(m_path + ": a batch is already open");
    XB_RETURN_IF_ERROR(leaveRecord());
    XB_RETURN_IF_ERROR(beginWrite());
    m_batch = true;
    m_batchStatus = Status::ok();
    m_batchCount = m_count;
    if (m_memo)
        m_memo->beginBatch();
    return Status::ok();
}

Status Table::endBatch()
{
    if (!m_batch)
        return Status::invalidArgument(m_path + ": no batch is open");
    Status s = m_batchStatus;
    if (s.isOk() && m_changed && !m_appending)
        s = writeChanged();
    if (s.isOk())
        s = writePending();
    m_pending.clear();
    if (s.isOk() && m_count != m_batchCount) {
        const uint8_t eof = 0x1A;
        s = m_file->willWrite({{recordOffset(m_count + 1), 1}, {0, TableHeader::kSize}});
        if (s.isOk())
            s = m_file->writeAt(recordOffset(m_count + 1), &eof, 1);
        if (s.isOk())
            s = writeHeaderCount(m_count);
    }
    if (s.isOk() && m_memo)
        s = m_memo->endBatch();
    if (m_memo)
        m_memo->dropBatch();
    // Off before the index writes its pages (it then keeps no more than
    // its cache again) and before the call ends, so that a play-back sees
    // no batch.
    m_batch = false;
    m_batchStatus = Status::ok();
    for (auto& extension : m_extensions)
        if (s.isOk())
            s = extension->flush();
    return endWrite(s);
}

Status Table::writeHeaderCount(uint32_t count)
{
    m_header.recordCount = count;
    m_header.touch();
    uint8_t bytes[TableHeader::kSize];
    m_header.encode(bytes);
    return m_file->writeAt(TableHeader::kDateOffset, bytes + TableHeader::kDateOffset,
                           TableHeader::kCountOffset + 4 - TableHeader::kDateOffset);
}

} // namespace xbase
