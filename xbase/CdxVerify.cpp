#include "xbase/CdxVerify.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace xbase::cdx {
namespace {

class Verifier {
public:
    Verifier(CdxFile* file, const TreeShape& shape) : m_file(file), m_shape(shape) {}

    Status run(TreeStats* stats)
    {
        CdxTagHeader* h = nullptr;
        XB_RETURN_IF_ERROR(m_file->header(m_shape.header, &h));
        std::vector<uint8_t> lastKey(m_shape.keyLen);
        uint32_t lastRecno = 0;
        XB_RETURN_IF_ERROR(visit(h->root, 0, true, lastKey.data(), &lastRecno));
        for (uint32_t last : m_levels) {
            CdxNode* n = nullptr;
            XB_RETURN_IF_ERROR(m_file->node(last, m_shape.keyLen, m_shape.fill, &n));
            if (n->right != kNoPage)
                return fail(last, "last node of its level links further right");
        }
        stats->pairs = m_pairs;
        stats->depth = m_levels.size();
        stats->pages = m_seen.size();
        stats->pageOffsets.assign(m_seen.begin(), m_seen.end());
        return Status::ok();
    }

private:
    Status fail(uint32_t page, const std::string& what) const
    {
        return Status::corruption(m_file->path() + ": index page at " + std::to_string(page) + ": " + what);
    }

    // Checks the order of pairs and the sibling links of one level.
    Status linkLevel(const CdxNode& n, size_t depth)
    {
        if (m_levels.size() <= depth)
            m_levels.push_back(kNoPage);
        const uint32_t prev = m_levels[depth];
        if (n.left != prev)
            return fail(n.offset, "left link does not name the previous node of its level");
        m_levels[depth] = n.offset;
        if (prev != kNoPage) {
            CdxNode* p = nullptr;
            XB_RETURN_IF_ERROR(m_file->node(prev, m_shape.keyLen, m_shape.fill, &p));
            if (p->right != n.offset)
                return fail(prev, "right link does not name the next node of its level");
        }
        return Status::ok();
    }

    Status checkEntries(const CdxNode& n)
    {
        for (size_t i = 0; i < n.count(); ++i) {
            if (m_havePair && comparePair(n.key(i), n.recnos[i], m_prevKey.data(), m_prevRecno, m_shape.keyLen) <= 0 && n.leaf)
                return fail(n.offset, "keys out of order at entry " + std::to_string(i));
            if (n.leaf) {
                m_prevKey.assign(n.key(i), n.key(i) + m_shape.keyLen);
                m_prevRecno = n.recnos[i];
                m_havePair = true;
            }
        }
        if (!nodeFits(n))
            return fail(n.offset, "node overflows its page");
        return Status::ok();
    }

    Status visit(uint32_t page, size_t depth, bool isRoot, uint8_t* lastKey, uint32_t* lastRecno)
    {
        if (!m_seen.insert(page).second)
            return fail(page, "page reached twice (a loop?)");
        if (depth > 32)
            return fail(page, "tree too deep");
        CdxNode* n = nullptr;
        XB_RETURN_IF_ERROR(m_file->node(page, m_shape.keyLen, m_shape.fill, &n));
        if (n->root != isRoot)
            return fail(page, "root mark wrong");
        XB_RETURN_IF_ERROR(linkLevel(*n, depth));
        XB_RETURN_IF_ERROR(checkEntries(*n));
        if (n->leaf)
            return visitLeaf(*n, depth, lastKey, lastRecno);
        if (n->count() == 0)
            return fail(page, "empty interior node");
        // Copy what we need: visiting children may evict nothing, but the
        // entries must not change under us either.
        const CdxNode node = *n;
        std::vector<uint8_t> childLast(m_shape.keyLen);
        for (size_t i = 0; i < node.count(); ++i) {
            uint32_t childRecno = 0;
            XB_RETURN_IF_ERROR(visit(node.children[i], depth + 1, false, childLast.data(), &childRecno));
            if (comparePair(childLast.data(), childRecno, node.key(i), node.recnos[i], m_shape.keyLen) != 0)
                return fail(page, "entry " + std::to_string(i) + " does not carry its child's last key");
        }
        std::memcpy(lastKey, node.key(node.count() - 1), m_shape.keyLen);
        *lastRecno = node.recnos.back();
        return Status::ok();
    }

    Status visitLeaf(const CdxNode& n, size_t depth, uint8_t* lastKey, uint32_t* lastRecno)
    {
        if (m_leafDepth == ~size_t(0))
            m_leafDepth = depth;
        if (depth != m_leafDepth)
            return fail(n.offset, "leaves at different depths");
        if (n.count() == 0 && depth > 0)
            return fail(n.offset, "empty leaf below the root");
        m_pairs += n.count();
        if (n.count() > 0) {
            std::memcpy(lastKey, n.key(n.count() - 1), m_shape.keyLen);
            *lastRecno = n.recnos.back();
        }
        return Status::ok();
    }

    CdxFile* m_file;
    TreeShape m_shape;
    std::unordered_set<uint32_t> m_seen;
    std::vector<uint32_t> m_levels;
    std::vector<uint8_t> m_prevKey;
    uint32_t m_prevRecno = 0;
    bool m_havePair = false;
    size_t m_leafDepth = ~size_t(0);
    uint64_t m_pairs = 0;
};

} // namespace

Status verifyTree(CdxFile* file, const TreeShape& shape, TreeStats* stats)
{
    Verifier v(file, shape);
    return v.run(stats);
}

} // namespace xbase::cdx
