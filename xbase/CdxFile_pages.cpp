#include "xbase/CdxFile.h"

#include "xbase/Coding.h"

#include <algorithm>
#include <vector>

// The pages of the file as the cache holds them: reading on a miss,
// allocating and freeing, writing what changed, and keeping the cache small.

namespace xbase::cdx {

Status CdxFile::checkOffset(uint32_t offset, const char* what)
{
    if (offset == 0 || offset == kNoPage || offset % kPageSize != 0)
        return Status::corruption(path() + ": bad " + what + " offset " + std::to_string(offset));
    return Status::ok();
}

Status CdxFile::pageMiss()
{
    if (m_options.exclusive || m_locked)
        return Status::ok();
    // A lock-free read needs a page it lacks: read it under the lock, and
    // only while the cached pages are still those of the file.
    const uint32_t seen = m_counter;
    XB_RETURN_IF_ERROR(lockFile());
    if (m_counter == seen)
        return Status::ok();
    m_retry = true;
    return Status::locked(path() + ": index changed during a read");
}

Status CdxFile::node(uint32_t offset, uint16_t keyLen, uint8_t fill, CdxNode** out)
{
    // Walks ask for the same leaf again and again.
    if (m_last && m_last->offset == offset && m_last->keyLen == keyLen && m_last->fill == fill) {
        m_last->lastUse = ++m_tick;
        *out = m_last;
        return Status::ok();
    }
    XB_RETURN_IF_ERROR(checkOffset(offset, "page"));
    CdxNode*& recent = m_recent[recentSlot(offset)];
    if (recent && recent->offset == offset && recent->keyLen == keyLen && recent->fill == fill) {
        recent->lastUse = ++m_tick;
        *out = m_last = recent;
        return Status::ok();
    }
    auto it = m_nodes.find(offset);
    if (it == m_nodes.end()) {
        XB_RETURN_IF_ERROR(pageMiss());
        uint8_t page[kPageSize];
        XB_RETURN_IF_ERROR(readPage(offset, page, kPageSize));
        auto n = std::make_unique<CdxNode>();
        XB_RETURN_IF_ERROR(decodeNode(page, offset, keyLen, fill, n.get()));
        it = m_nodes.emplace(offset, std::move(n)).first;
    }
    CdxNode* n = it->second.get();
    if (n->keyLen != keyLen || n->fill != fill)
        return Status::corruption(path() + ": page " + std::to_string(offset) + " shared by two tags");
    n->lastUse = ++m_tick;
    *out = m_last = recent = n;
    return Status::ok();
}

Status CdxFile::header(uint32_t offset, CdxTagHeader** out)
{
    if (offset % kPageSize != 0)
        return Status::corruption(path() + ": bad tag header offset " + std::to_string(offset));
    auto it = m_headers.find(offset);
    if (it == m_headers.end()) {
        if (m_depth > 0)
            XB_RETURN_IF_ERROR(pageMiss());
        uint8_t buf[kHeaderSize];
        XB_RETURN_IF_ERROR(readPage(offset, buf, kHeaderSize));
        CachedHeader h;
        XB_RETURN_IF_ERROR(decodeTagHeader(buf, offset, &h.header));
        it = m_headers.emplace(offset, std::move(h)).first;
    }
    *out = &it->second.header;
    return Status::ok();
}

void CdxFile::markHeaderDirty(uint32_t offset)
{
    m_headers[offset].dirty = true;
    m_modified = true;
    ++m_generation;
}

Status CdxFile::fileEnd(uint64_t* out)
{
    if (m_end == 0) {
        uint64_t size = 0;
        XB_RETURN_IF_ERROR(m_file->size(&size));
        m_end = (size + kPageSize - 1) / kPageSize * kPageSize;
    }
    *out = m_end;
    return Status::ok();
}

Status CdxFile::allocNode(uint16_t keyLen, uint8_t fill, bool leaf, CdxNode** out)
{
    CdxTagHeader* dir = nullptr;
    XB_RETURN_IF_ERROR(header(0, &dir));
    uint32_t offset = dir->freeList;
    if (offset != 0) {
        XB_RETURN_IF_ERROR(checkOffset(offset, "free page"));
        // A damaged list may name a page in use; handing it out again would
        // overwrite a node or header still being worked on.
        if (m_headers.count(offset) || m_headers.count(offset - kPageSize))
            return Status::corruption(path() + ": the free-page list names page " + std::to_string(offset) + ", which is in use");
        uint32_t next = 0;
        if (auto f = m_freed.find(offset); f != m_freed.end()) {
            next = f->second;
            m_freed.erase(f);
        } else {
            uint8_t buf[4];
            XB_RETURN_IF_ERROR(readPage(offset, buf, 4));
            next = coding::getU32LE(buf);
        }
        if (next != 0 && next != kNoPage && next % kPageSize != 0)
            return Status::corruption(path() + ": the free-page list leaves the page grid after page " + std::to_string(offset));
        dir->freeList = next == kNoPage ? 0 : next;
    } else {
        uint64_t end = 0;
        XB_RETURN_IF_ERROR(fileEnd(&end));
        if (end >= 0xFFFFF000u)
            return Status::ioError(path() + ": index file full");
        offset = uint32_t(end);
        m_end = end + kPageSize;
    }
    if (m_nodes.count(offset))
        return Status::corruption(path() + ": the free-page list names page " + std::to_string(offset) + ", which is in use");
    markHeaderDirty(0);
    auto n = std::make_unique<CdxNode>();
    n->offset = offset;
    n->keyLen = keyLen;
    n->fill = fill;
    n->leaf = leaf;
    n->checked = true;
    n->lastUse = ++m_tick;
    *out = n.get();
    markDirty(n.get());
    m_nodes.emplace(offset, std::move(n));
    return Status::ok();
}

Status CdxFile::freeNode(CdxNode* n)
{
    CdxTagHeader* dir = nullptr;
    XB_RETURN_IF_ERROR(header(0, &dir));
    const uint32_t offset = n->offset;
    m_freed[offset] = dir->freeList;
    dir->freeList = offset;
    markHeaderDirty(0);
    forget(offset);
    return Status::ok();
}

Status CdxFile::encodePage(const CdxNode& n, uint8_t* page)
{
    if (!encodeNode(n, page))
        return Status::corruption(path() + ": node at " + std::to_string(n.offset) + " overflows its page");
    return Status::ok();
}

Status CdxFile::writeNode(CdxNode& n)
{
    uint8_t page[kPageSize];
    XB_RETURN_IF_ERROR(encodePage(n, page));
    XB_RETURN_IF_ERROR(m_file->writeAt(n.offset, page, kPageSize));
    n.dirty = false;
    return Status::ok();
}

// Everything a flush would write, announced at once (a journal saves the
// old bytes with one write).
Status CdxFile::announce()
{
    if (!m_modified)
        return Status::ok();
    m_ranges.clear();
    m_ranges.emplace_back(kCounterOffset, 4);
    for (uint32_t offset : m_dirty)
        m_ranges.emplace_back(offset, kPageSize);
    for (const auto& [offset, next] : m_freed)
        m_ranges.emplace_back(offset, kPageSize);
    for (const auto& [offset, h] : m_headers)
        if (h.dirty)
            m_ranges.emplace_back(offset, kHeaderSize);
    return m_file->willWrite(m_ranges);
}

Status CdxFile::flush()
{
    if (!m_modified)
        return Status::ok();
    XB_RETURN_IF_ERROR(announce());
    // The counter moves first, so that a reader working from its cache
    // notices a change before any page of it reaches the file.
    ++m_counter;
    uint8_t buf[4];
    coding::putU32BE(buf, m_counter);
    XB_RETURN_IF_ERROR(m_file->writeAt(kCounterOffset, buf, 4));
    std::sort(m_dirty.begin(), m_dirty.end());
    // Pages that follow one another in the file (the right edges of tags
    // that grow at the end) go in one write.
    m_run.clear();
    auto writeRun = [&] {
        if (m_run.empty())
            return Status::ok();
        m_runBytes.resize(m_run.size() * kPageSize);
        for (size_t i = 0; i < m_run.size(); ++i)
            XB_RETURN_IF_ERROR(encodePage(*m_run[i], m_runBytes.data() + i * kPageSize));
        XB_RETURN_IF_ERROR(m_file->writeAt(m_run.front()->offset, m_runBytes.data(), m_runBytes.size()));
        for (CdxNode* n : m_run)
            n->dirty = false;
        m_run.clear();
        return Status::ok();
    };
    for (uint32_t offset : m_dirty) {
        auto it = m_nodes.find(offset);
        if (it == m_nodes.end() || !it->second->dirty || (!m_run.empty() && m_run.back()->offset == offset))
            continue;
        if (!m_run.empty() && m_run.back()->offset + kPageSize != offset)
            XB_RETURN_IF_ERROR(writeRun());
        m_run.push_back(it->second.get());
    }
    XB_RETURN_IF_ERROR(writeRun());
    m_dirty.clear();
    for (auto& [offset, next] : m_freed) {
        uint8_t page[kPageSize] = {};
        coding::putU32LE(page, next);
        XB_RETURN_IF_ERROR(m_file->writeAt(offset, page, kPageSize));
    }
    m_freed.clear();
    for (auto& [offset, h] : m_headers) {
        if (offset == 0)
            h.header.counter = m_counter;
        if (!h.dirty)
            continue;
        uint8_t data[kHeaderSize];
        XB_RETURN_IF_ERROR(encodeTagHeader(h.header, data));
        XB_RETURN_IF_ERROR(m_file->writeAt(offset, data, kHeaderSize));
        h.dirty = false;
    }
    m_modified = false;
    return Status::ok();
}

Status CdxFile::freePages(std::vector<uint32_t>* out)
{
    CdxTagHeader* dir = nullptr;
    XB_RETURN_IF_ERROR(header(0, &dir));
    uint64_t end = 0;
    XB_RETURN_IF_ERROR(fileEnd(&end));
    out->clear();
    for (uint32_t offset = dir->freeList; offset != 0 && offset != kNoPage;) {
        XB_RETURN_IF_ERROR(checkOffset(offset, "free page"));
        if (offset >= end || out->size() > end / kPageSize)
            return Status::corruption(path() + ": the free-page list leaves the file or loops at page " + std::to_string(offset));
        out->push_back(offset);
        if (auto f = m_freed.find(offset); f != m_freed.end()) {
            offset = f->second;
            continue;
        }
        uint8_t buf[4];
        XB_RETURN_IF_ERROR(readPage(offset, buf, 4));
        offset = coding::getU32LE(buf);
    }
    return Status::ok();
}

void CdxFile::forget(uint32_t offset)
{
    if (m_last && m_last->offset == offset)
        m_last = nullptr;
    CdxNode*& recent = m_recent[recentSlot(offset)];
    if (recent && recent->offset == offset)
        recent = nullptr;
    m_nodes.erase(offset);
}

void CdxFile::dropCache()
{
    m_nodes.clear();
    m_last = nullptr;
    std::fill(std::begin(m_recent), std::end(m_recent), nullptr);
    m_headers.clear();
    m_freed.clear();
    m_dirty.clear();
    m_modified = false;
    ++m_generation;
}

void CdxFile::evict()
{
    if (m_nodes.size() <= m_cacheNodes)
        return;
    // Leaves go first, the least recently used of them first.
    std::vector<std::pair<uint64_t, uint32_t>> order;
    order.reserve(m_nodes.size());
    for (auto& [offset, n] : m_nodes)
        order.emplace_back(n->lastUse + (n->leaf ? 0 : (uint64_t(1) << 62)), offset);
    const size_t target = m_cacheNodes * 3 / 4;
    const size_t drop = order.size() - target;
    std::nth_element(order.begin(), order.begin() + ptrdiff_t(drop), order.end());
    order.resize(drop);
    // Changed pages that leave are written first. An exclusive handle
    // writes just those (the rest wait for its flush, which a long batch of
    // appends makes once); a shared one has written everything already.
    if (m_modified) {
        const Status s = m_options.exclusive ? writeLeaving(order) : flush();
        if (!s.isOk()) {
            dropCache();
            return;
        }
    }
    for (const auto& [use, offset] : order)
        forget(offset);
}

Status CdxFile::writeLeaving(const std::vector<std::pair<uint64_t, uint32_t>>& leaving)
{
    m_ranges.clear();
    for (const auto& [use, offset] : leaving) {
        auto it = m_nodes.find(offset);
        if (it != m_nodes.end() && it->second->dirty)
            m_ranges.emplace_back(offset, kPageSize);
    }
    if (m_ranges.empty())
        return Status::ok();
    std::sort(m_ranges.begin(), m_ranges.end());
    XB_RETURN_IF_ERROR(m_file->willWrite(m_ranges));
    for (const auto& [offset, n] : m_ranges)
        XB_RETURN_IF_ERROR(writeNode(*m_nodes.at(uint32_t(offset))));
    // The pages still waiting for the flush.
    std::erase_if(m_dirty, [this](uint32_t offset) {
        auto it = m_nodes.find(offset);
        return it == m_nodes.end() || !it->second->dirty;
    });
    return Status::ok();
}

} // namespace xbase::cdx
