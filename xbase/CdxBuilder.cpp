#include "xbase/CdxBuilder.h"

#include "xbase/CdxNode.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>
#include <numeric>
#include <string>

namespace xbase::cdx {
namespace {

constexpr uint32_t kDirRoot = 0x400;

// Pages go out in file order through one buffer.
class PageWriter {
public:
    PageWriter(File* file, uint32_t start) : m_file(file), m_next(start) {}
    uint32_t nextOffset() const { return m_next + uint32_t(m_buf.size()); }
    Status put(const CdxNode& n)
    {
        const size_t at = m_buf.size();
        m_buf.resize(at + kPageSize);
        if (!encodeNode(n, m_buf.data() + at))
            return Status::invalidArgument("index entry too large for a page");
        return m_buf.size() >= (1u << 20) ? drain() : Status::ok();
    }
    Status drain()
    {
        if (m_buf.empty())
            return Status::ok();
        XB_RETURN_IF_ERROR(m_file->writeAt(m_next, m_buf.data(), m_buf.size()));
        m_next += uint32_t(m_buf.size());
        m_buf.clear();
        return Status::ok();
    }

private:
    File* m_file;
    uint32_t m_next;
    std::vector<uint8_t> m_buf;
};

// A level of the tree under construction: each node's last pair and page.
struct LevelEntry {
    std::vector<uint8_t> key;
    uint32_t recno;
    uint32_t page;
};

// Leaf bytes grow by the entry and its stored key bytes; the entry width
// follows the largest record number, as the leaf codec chooses it.
class LeafPacker {
public:
    explicit LeafPacker(CdxNode& n) : m_n(n) {}
    bool tryAdd(const uint8_t* key, uint32_t recno)
    {
        const size_t len = m_n.keyLen;
        size_t trail = 0;
        while (trail < len && key[len - 1 - trail] == m_n.fill)
            ++trail;
        size_t dup = 0;
        if (m_n.count() > 0) {
            const uint8_t* prev = m_n.key(m_n.count() - 1);
            while (dup < len && prev[dup] == key[dup])
                ++dup;
        }
        dup = std::min(dup, len - trail);
        const size_t stored = m_stored + (len - dup - trail);
        const uint32_t maxRecno = std::max(m_maxRecno, recno);
        const size_t eb = size_t(leafEntryBytes(m_n.keyLen, maxRecno, false));
        if (m_n.count() > 0 && kLeafHeader + (m_n.count() + 1) * eb + stored > kPageSize)
            return false;
        m_n.insertAt(m_n.count(), key, recno);
        m_stored = stored;
        m_maxRecno = maxRecno;
        return true;
    }
    void reset()
    {
        m_stored = 0;
        m_maxRecno = 0;
    }

private:
    CdxNode& m_n;
    size_t m_stored = 0;
    uint32_t m_maxRecno = 0;
};

Status flushNode(PageWriter& w, CdxNode& n, bool last, std::vector<LevelEntry>* up)
{
    n.offset = w.nextOffset();
    n.right = last ? kNoPage : n.offset + kPageSize;
    if (n.count() > 0)
        up->push_back({std::vector<uint8_t>(n.key(n.count() - 1), n.key(n.count() - 1) + n.keyLen), n.recnos.back(), n.offset});
    XB_RETURN_IF_ERROR(w.put(n));
    const uint32_t prev = n.offset;
    n.clear();
    n.left = prev;
    return Status::ok();
}

Status buildLeaves(PageWriter& w, const TagImage& t, const std::vector<size_t>& order, std::vector<LevelEntry>* up)
{
    CdxNode n;
    n.keyLen = t.header.keyLen;
    n.fill = t.fill;
    n.leaf = true;
    LeafPacker packer(n);
    const size_t len = t.header.keyLen;
    for (size_t k = 0; k < order.size(); ++k) {
        const size_t i = order[k];
        if (packer.tryAdd(t.keys.data() + i * len, t.recnos[i]))
            continue;
        XB_RETURN_IF_ERROR(flushNode(w, n, false, up));
        packer.reset();
        packer.tryAdd(t.keys.data() + i * len, t.recnos[i]);
    }
    n.root = up->empty();
    return flushNode(w, n, true, up);
}

Status buildInterior(PageWriter& w, const TagImage& t, std::vector<LevelEntry>& level, std::vector<LevelEntry>* up)
{
    CdxNode n;
    n.keyLen = t.header.keyLen;
    n.leaf = false;
    const size_t cap = interiorCapacity(n.keyLen);
    const size_t nodes = (level.size() + cap - 1) / cap;
    // Entries spread evenly over the nodes of the level.
    for (size_t k = 0; k < nodes; ++k) {
        for (size_t i = k * level.size() / nodes; i < (k + 1) * level.size() / nodes; ++i)
            n.insertAt(n.count(), level[i].key.data(), level[i].recno, level[i].page);
        n.root = nodes == 1;
        XB_RETURN_IF_ERROR(flushNode(w, n, k + 1 == nodes, up));
    }
    return Status::ok();
}

// Sorted pairs with equal keys follow each other, lowest record first.
Status dropDuplicates(const TagImage& t, std::vector<size_t>& order)
{
    const uint8_t opts = t.header.options;
    if (!(opts & (kOptUnique | kOptCandidate)) || order.empty())
        return Status::ok();
    const size_t len = t.header.keyLen;
    size_t kept = 1;
    for (size_t k = 1; k < order.size(); ++k) {
        if (std::memcmp(t.keys.data() + order[k] * len, t.keys.data() + order[kept - 1] * len, len) != 0) {
            order[kept++] = order[k];
            continue;
        }
        if (opts & kOptCandidate)
            return Status::invalidArgument("records " + std::to_string(t.recnos[order[kept - 1]]) + " and " +
                                           std::to_string(t.recnos[order[k]]) + " share a key of candidate tag " + t.name);
    }
    order.resize(kept);
    return Status::ok();
}

Status buildTree(PageWriter& w, TagImage& t)
{
    const size_t len = t.header.keyLen;
    std::vector<size_t> order(t.recnos.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return comparePair(t.keys.data() + a * len, t.recnos[a], t.keys.data() + b * len, t.recnos[b], len) < 0;
    });
    XB_RETURN_IF_ERROR(dropDuplicates(t, order));
    std::vector<LevelEntry> level, up;
    XB_RETURN_IF_ERROR(buildLeaves(w, t, order, &level));
    uint32_t root = w.nextOffset() - kPageSize;
    while (level.size() > 1) {
        up.clear();
        XB_RETURN_IF_ERROR(buildInterior(w, t, level, &up));
        root = w.nextOffset() - kPageSize;
        level.swap(up);
    }
    t.header.root = root;
    return Status::ok();
}

std::string directoryKey(const std::string& name)
{
    std::string k;
    for (char c : name)
        k += char(std::toupper(static_cast<unsigned char>(c)));
    k.resize(10, ' ');
    return k;
}

Status directoryNode(const std::vector<TagImage>& tags, CdxNode* dir)
{
    dir->offset = kDirRoot;
    dir->keyLen = 10;
    dir->fill = 0x20;
    dir->leaf = dir->root = true;
    std::vector<size_t> order(tags.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return directoryKey(tags[a].name) < directoryKey(tags[b].name); });
    for (size_t k = 0; k < order.size(); ++k) {
        const TagImage& t = tags[order[k]];
        const std::string key = directoryKey(t.name);
        if (t.name.empty() || t.name.size() > 10 || t.name.find(' ') != std::string::npos)
            return Status::invalidArgument("bad index tag name \"" + t.name + "\"");
        if (k > 0 && key == directoryKey(tags[order[k - 1]].name))
            return Status::invalidArgument("index tag \"" + t.name + "\" given twice");
        dir->insertAt(k, reinterpret_cast<const uint8_t*>(key.data()), tagHeaderOffset(order[k]));
    }
    if (!nodeFits(*dir))
        return Status::invalidArgument("too many index tags");
    return Status::ok();
}

Status writeHeader(File* f, uint32_t offset, const CdxTagHeader& h)
{
    uint8_t data[kHeaderSize];
    XB_RETURN_IF_ERROR(encodeTagHeader(h, data));
    return f->writeAt(offset, data, kHeaderSize);
}

} // namespace

Status writeCdx(Env* env, const std::string& path, std::vector<TagImage>& tags, const std::string& like)
{
    CdxNode dir;
    XB_RETURN_IF_ERROR(directoryNode(tags, &dir));
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(env->open(path, Env::OpenMode::CreateTruncate, &file));
    if (!like.empty())
        (void)file->shareAccessOf(like);
    PageWriter w(file.get(), tagHeaderOffset(tags.size()));
    for (TagImage& t : tags) {
        t.header.options |= kOptCompact | kOptCompound;
        XB_RETURN_IF_ERROR(buildTree(w, t));
    }
    XB_RETURN_IF_ERROR(w.drain());
    for (size_t i = 0; i < tags.size(); ++i)
        XB_RETURN_IF_ERROR(writeHeader(file.get(), tagHeaderOffset(i), tags[i].header));
    uint8_t page[kPageSize];
    encodeNode(dir, page);
    XB_RETURN_IF_ERROR(file->writeAt(kDirRoot, page, kPageSize));
    CdxTagHeader top;
    top.root = kDirRoot;
    top.keyLen = 10;
    top.options = kOptCompact | kOptCompound | kOptDirectory;
    XB_RETURN_IF_ERROR(writeHeader(file.get(), 0, top));
    return file->sync();
}

} // namespace xbase::cdx
