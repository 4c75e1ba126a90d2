#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <algorithm>

namespace xbase {

// Shared tables count what the file holds, so that records other processes
// appended count at once; the header's word may lag behind.
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
    return Status::ok();
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
    for (auto& f : m_fields)
        if (f->isMemo())
            f->resetMemo();
}

Status Table::readImage(uint32_t recno, uint8_t* image)
{
    size_t got = 0;
    XB_RETURN_IF_ERROR(m_file->readAt(recordOffset(recno), image, m_header.recordLength, &got));
    if (got != m_header.recordLength)
        return Status::corruption(m_path + ": record " + std::to_string(recno) + " is cut short");
    return Status::ok();
}

Status Table::load(uint32_t recno)
{
    if (m_engine.settings().readLock)
        XB_RETURN_IF_ERROR(lock(recno));
    XB_RETURN_IF_ERROR(readImage(recno, m_record.data()));
    m_recno = recno;
    m_eof = m_bof = false;
    m_changed = false;
    resetMemos();
    return Status::ok();
}

void Table::positionAtEof(uint32_t count)
{
    m_recno = count + 1;
    m_eof = true;
    m_bof = false;
    m_changed = false;
    setBlank(m_record.data());
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

Status Table::go(uint32_t recno)
{
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(recordCount(&count));
    if (recno < 1 || recno > count)
        return Status::invalidArgument(m_path + ": record " + std::to_string(recno) + " does not exist (" +
                                       std::to_string(count) + " records)");
    return load(recno);
}

Status Table::goEof()
{
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(recordCount(&count));
    positionAtEof(count);
    return Status::ok();
}

Status Table::top()
{
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = 0, recno = 0;
    XB_RETURN_IF_ERROR(recordCount(&count));
    if (m_order)
        XB_RETURN_IF_ERROR(m_order->first(&recno));
    else
        recno = count > 0 ? 1 : 0;
    if (recno == 0) {
        positionAtEof(count);
        return Status::ok();
    }
    return load(recno);
}

Status Table::skip(long delta)
{
    XB_RETURN_IF_ERROR(leaveRecord());
    uint32_t count = 0, recno = 0;
    XB_RETURN_IF_ERROR(recordCount(&count));
    if (m_order) {
        XB_RETURN_IF_ERROR(m_order->skip(delta, &recno));
    } else {
        const int64_t target = int64_t(std::min(m_recno, count + 1)) + delta;
        recno = target >= 1 && target <= int64_t(count) ? uint32_t(target) : 0;
    }
    if (recno != 0)
        return load(recno);
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
