#include "xbase/RecordCache.h"

#include <algorithm>
#include <cstring>

namespace xbase {

void RecordCache::configure(uint64_t firstOffset, uint32_t recordLength, bool ageLimited)
{
    m_firstOffset = firstOffset;
    m_recordLength = std::max<uint32_t>(recordLength, 1);
    m_perBlock = std::max<uint32_t>(uint32_t(kBlockBytes / m_recordLength), 1);
    m_ageLimited = ageLimited;
    m_blocks.clear();
    m_blocks.reserve(kMaxBlocks); // blocks never move: m_last stays valid
    clear();
}

RecordCache::Block* RecordCache::slotOf(uint32_t block)
{
    if (m_last && m_last->number == block + 1)
        return m_last;
    for (Block& b : m_blocks)
        if (b.number == block + 1)
            return &b;
    return nullptr;
}

const uint8_t* RecordCache::findSlow(uint32_t recno)
{
    // Tag walks switch between a few blocks at every step.
    for (Block& b : m_blocks) {
        const uint32_t index = recno - b.first;
        if (index >= b.records)
            continue;
        if (!fresh(b)) {
            b.number = b.records = 0;
            return nullptr;
        }
        m_last = &b;
        b.lastUse = ++m_tick;
        return b.bytes.data() + size_t(index) * m_recordLength;
    }
    return nullptr;
}

RecordCache::Block& RecordCache::freeSlot()
{
    if (m_blocks.size() < kMaxBlocks)
        return m_blocks.emplace_back();
    auto oldest = std::min_element(m_blocks.begin(), m_blocks.end(), [](const Block& a, const Block& b) {
        return (a.number != 0 ? a.lastUse + 1 : 0) < (b.number != 0 ? b.lastUse + 1 : 0);
    });
    return *oldest;
}

Status RecordCache::readRecords(File& file, uint64_t offset, uint8_t* buf, size_t n, uint32_t recordLength, size_t* got)
{
    XB_RETURN_IF_ERROR(file.readFastAt(offset, buf, n, got));
    for (size_t at = 0; at + recordLength <= *got; at += recordLength)
        if (buf[at] != ' ' && buf[at] != '*')
            return file.readAt(offset, buf, n, got);
    return Status::ok();
}

Status RecordCache::load(File& file, uint32_t recno, const uint8_t** image)
{
    *image = nullptr;
    const uint32_t block = blockOf(recno);
    Block* slot = slotOf(block);
    Block& b = slot ? *slot : freeSlot();
    b.number = 0; // until the read succeeds
    b.records = 0;
    b.bytes.resize(size_t(m_perBlock) * m_recordLength);
    const uint64_t first = uint64_t(block) * m_perBlock;
    size_t got = 0;
    const uint64_t offset = m_firstOffset + first * m_recordLength;
    XB_RETURN_IF_ERROR(readRecords(file, offset, b.bytes.data(), b.bytes.size(), m_recordLength, &got));
    // A record the file holds only in part is not served: it may be an
    // append still under way, or the file was cut short.
    b.records = uint32_t(got / m_recordLength);
    b.first = uint32_t(first + 1);
    b.number = block + 1;
    b.readAt = m_ageLimited ? coarseMillis() : 0;
    b.lastUse = ++m_tick;
    m_last = &b;
    const uint32_t index = recno - 1 - block * m_perBlock;
    if (index < b.records)
        *image = b.bytes.data() + size_t(index) * m_recordLength;
    return Status::ok();
}

bool RecordCache::revisits(uint32_t recno)
{
    const uint32_t mark = blockOf(recno) + 1;
    for (uint32_t v : m_visits)
        if (v == mark)
            return true;
    m_visits[m_nextVisit] = mark;
    m_nextVisit = (m_nextVisit + 1) % kVisits;
    return false;
}

void RecordCache::store(uint32_t recno, const uint8_t* image)
{
    if (recno == 0)
        return;
    Block* b = slotOf(blockOf(recno));
    if (!b)
        return;
    const uint32_t index = recno - 1 - blockOf(recno) * m_perBlock;
    if (index < b->records)
        std::memcpy(b->bytes.data() + size_t(index) * m_recordLength, image, m_recordLength);
    else
        forget(recno);
}

void RecordCache::forget(uint32_t recno)
{
    if (recno == 0)
        return;
    if (Block* b = slotOf(blockOf(recno))) {
        b->number = 0;
        b->records = 0;
        if (m_last == b)
            m_last = nullptr;
    }
}

void RecordCache::clear()
{
    for (Block& b : m_blocks)
        b.number = b.records = 0;
    m_last = nullptr;
    std::fill(std::begin(m_visits), std::end(m_visits), 0u);
    m_nextVisit = 0;
}

} // namespace xbase
