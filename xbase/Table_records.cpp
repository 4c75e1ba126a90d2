#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <algorithm>

namespace xbase {

// Shared tables count what the file holds, so that records other processes
// appended count at once; the header's word may lag behind. A count that
// moved means others changed the file: what was read ahead goes.
Status Table::recordCount(uint32_t* out)
{
    if (m_exclusive) {
        *out = m_count;
        return Status::ok();
    }
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(m_file->size(&size));
    const uint64_t n = size > m_header.headerLength ? (size - m_header.headerLength) / m_header.recordLength : 0;
    *out = uint32_t(std::min<uint64_t>(n, UINT32_MAX - 1));
    if (*out != m_count)
        m_readAhead.clear();
    m_count = *out;
    return Status::ok();
}

// A move within the count last seen needs no look at the file size; one at
// or past its end looks again, so that a walk reaching the end meets the
// records others appended meanwhile.
Status Table::countFor(uint64_t recno, uint32_t* count)
{
    if (recno >= 1 && recno <= m_count) {
        *count = m_count;
        return Status::ok();
    }
    return recordCount(count);
}

void Table::setBlank(uint8_t* image) const
{
    std::fill(image, image + m_header.recordLength, uint8_t(' '));
    for (const FieldDescriptor& f : m_layout.fields()) {
        const bool binary = f.type == 'I' || f.type == 'B' || f.type == 'Y' || f.type == 'T' || f.type == '0' ||
            (f.isMemo() && f.length == 4);
        if (binary)
            std::fill(image + f.offset, image + f.offset + f.length, uint8_t(0));
    }
}

void Table::resetMemos()
{
    if (!m_memosHeld)
        return; // a walk passes here per record and seldom reads a memo
    for (Field* f : m_memoFields)
        f->resetMemo();
    m_memosHeld = false;
}

Status Table::readImage(uint32_t recno, uint8_t* image)
{
    XB_RETURN_IF_ERROR(writePending());
    size_t got = 0;
    XB_RETURN_IF_ERROR(m_file->readAt(recordOffset(recno), image, m_header.recordLength, &got));
    if (got != m_header.recordLength)
        return cutShort(recno);
    return Status::ok();
}

Status Table::cutShort(uint32_t recno) const
{
    return Status::corruption(m_path + ": record " + std::to_string(recno) + " is cut short");
}

// Into the current image; *inFile false, and the image untouched, when the
// file ends before the record does. A lock held or taken on every read
// (readLock) means the record is to be read from the file.
Status Table::fetch(uint32_t recno, Read how, bool* inFile)
{
    *inFile = true;
    const bool fresh = how == Read::Fresh || m_engine.settings().readLock || (!m_locks.empty() && isLocked(recno));
    if (!m_pending.empty())
        XB_RETURN_IF_ERROR(writePending());
    if (!fresh) {
        const uint8_t* image = m_readAhead.find(recno);
        if (!image && (how == Read::Ahead || (how == Read::Clustered && m_readAhead.revisits(recno)))) {
            ownImage(); // the block read may reuse the memory the current image lies in
            XB_RETURN_IF_ERROR(m_readAhead.load(*m_file, recno, &image));
        }
        if (image) {
            m_view = image;
            return Status::ok();
        }
    }
    size_t got = 0;
    XB_RETURN_IF_ERROR(RecordCache::readRecords(*m_file, recordOffset(recno), m_scratch.data(), m_scratch.size(),
                                                m_header.recordLength, &got));
    if (got != m_scratch.size()) {
        *inFile = false;
        return Status::ok();
    }
    std::copy(m_scratch.begin(), m_scratch.end(), m_record.begin());
    m_view = m_record.data();
    m_readAhead.store(recno, m_record.data());
    return Status::ok();
}

Status Table::load(uint32_t recno, Read how, bool* inFile)
{
    if (m_engine.settings().readLock)
        XB_RETURN_IF_ERROR(lock(recno));
    XB_RETURN_IF_ERROR(fetch(recno, how, inFile));
    if (!*inFile)
        return Status::ok();
    m_recno = recno;
    m_eof = m_bof = false;
    m_changed = false;
    resetMemos();
    return Status::ok();
}

// For top and skip: a record the order names must be in the file.
Status Table::loadInOrder(uint32_t recno)
{
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(countFor(recno, &count));
    bool inFile = false;
    XB_RETURN_IF_ERROR(load(recno, m_order ? Read::Clustered : Read::Ahead, &inFile));
    return inFile ? Status::ok() : cutShort(recno);
}

void Table::positionAtEof(uint32_t count)
{
    m_recno = count + 1;
    m_eof = true;
    m_bof = false;
    m_changed = false;
    setBlank(m_record.data());
    m_view = m_record.data();
    resetMemos();
}

// Leaving a record writes its change; a started append is abandoned.
Status Table::leaveRecord()
{
    if (m_appending) {
        m_appending = false;
        m_changed = false;
        return Status::ok();
    }
    return m_changed ? writeChanged() : Status::ok();
}

// Nobody else writes an exclusive table, and this handle's own writes
// replace what it read ahead: a record once read is used again.
Status Table::go(uint32_t recno) { return moveTo(recno, m_exclusive ? Read::Cached : Read::Fresh); }

Status Table::step(uint32_t recno) { return moveTo(recno, Read::Clustered); }

Status Table::moveTo(uint32_t recno, Read how)
{
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(countFor(recno, &count));
    bool inFile = recno >= 1 && recno <= count;
    if (inFile)
        XB_RETURN_IF_ERROR(load(recno, how, &inFile));
    if (!inFile && recno >= 1 && recno <= count)
        XB_RETURN_IF_ERROR(recordCount(&count)); // the file is shorter than it was
    if (!inFile)
        return Status::invalidArgument(m_path + ": record " + std::to_string(recno) + " does not exist (" +
                                       std::to_string(count) + " records)");
    return Status::ok();
}

Status Table::goEof()
{
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(recordCount(&count));
    positionAtEof(count);
    return Status::ok();
}

// A fresh top reads the file afresh.
Status Table::top()
{
    XB_RETURN_IF_ERROR(leaveRecord());
    m_readAhead.clear();
    uint32_t count = 0, recno = 0;
    if (m_order) {
        XB_RETURN_IF_ERROR(m_order->first(&recno));
    } else {
        XB_RETURN_IF_ERROR(countFor(1, &count));
        recno = count > 0 ? 1 : 0;
    }
    if (recno == 0) {
        XB_RETURN_IF_ERROR(recordCount(&count));
        positionAtEof(count);
        return Status::ok();
    }
    return loadInOrder(recno);
}

Status Table::skip(long delta)
{
    // The common step of a scan, as the general path below would take it:
    // nothing to write or lock, the next record already read ahead.
    if (delta == 1 && !m_order && !m_changed && !m_appending && !m_eof && m_recno >= 1 && m_recno < m_count &&
        m_locks.empty() && !m_engine.settings().readLock) {
        if (const uint8_t* image = m_readAhead.find(m_recno + 1)) {
            m_view = image;
            ++m_recno;
            m_bof = false;
            resetMemos();
            return Status::ok();
        }
    }
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = m_count, recno = 0;
    if (m_order) {
        XB_RETURN_IF_ERROR(m_order->skip(delta, &recno));
    } else {
        // Within the count last seen, or else against the file's own.
        auto target = [&] { return int64_t(std::min(m_recno, count + 1)) + delta; };
        if (target() < 1 || target() > int64_t(count))
            XB_RETURN_IF_ERROR(recordCount(&count));
        recno = target() >= 1 && target() <= int64_t(count) ? uint32_t(target()) : 0;
        if (recno != 0) {
            bool inFile = false;
            XB_RETURN_IF_ERROR(load(recno, Read::Ahead, &inFile));
            if (inFile)
                return Status::ok();
            XB_RETURN_IF_ERROR(recordCount(&count)); // cut short since: the walk ends there
            if (recno <= count)
                return cutShort(recno);
            recno = 0;
        }
    }
    if (recno != 0)
        return loadInOrder(recno);
    XB_RETURN_IF_ERROR(recordCount(&count));
    if (delta >= 0 || count == 0) {
        positionAtEof(count);
        return Status::ok();
    }
    // Running off the front leaves the first record current, marked bof.
    XB_RETURN_IF_ERROR(top());
    m_bof = true;
    return Status::ok();
}

} // namespace xbase
