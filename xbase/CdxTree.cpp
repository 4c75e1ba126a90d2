#include "xbase/CdxTree.h"

#include <string>

namespace xbase::cdx {
namespace {

constexpr size_t kMaxDepth = 32;

} // namespace

size_t nodeLowerBound(const CdxNode& n, const uint8_t* key, uint32_t recno)
{
    size_t lo = 0, hi = n.count();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (comparePair(n.key(mid), n.recnos[mid], key, recno, n.keyLen) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

Status CdxTree::damaged(const CdxNode& n, const std::string& what) const
{
    return named(Status::corruption("index page at " + std::to_string(n.offset) + ": " + what));
}

// Damage found here or below (a page that does not decode, a free-page list
// that names a page in use) names the file and the tag and asks for a
// re-index. The tag directory holds what a re-index rebuilds from, so its
// damage only names the file.
Status CdxTree::named(Status s) const
{
    static const std::string kAsk = "re-index it with Database Maintenance";
    const std::string prefix = m_file->path() + ": ";
    if (!s.isCorruption() || s.message().find(kAsk) != std::string::npos)
        return s;
    std::string detail = s.message();
    if (detail.compare(0, prefix.size(), prefix) == 0)
        detail.erase(0, prefix.size());
    if (m_shape.tag.empty())
        return Status::corruption(prefix + detail);
    return Status::corruption(prefix + "tag " + m_shape.tag + " is damaged; " + kAsk + " (" + detail + ")");
}

Status CdxTree::node(uint32_t offset, CdxNode** out)
{
    XB_RETURN_IF_ERROR(stepNode(offset, out));
    return checkNode(**out);
}

// Steps along the leaf chain check the links and the order where leaves
// meet; the whole of a leaf is checked when a search or a change comes down
// to it, so that a walk does not pay for it on every page.
Status CdxTree::stepNode(uint32_t offset, CdxNode** out)
{
    Status s = m_file->node(offset, m_shape.keyLen, m_shape.fill, out);
    return s.isOk() ? s : named(std::move(s));
}

// Once per page read: what a search or a change relies on in the node itself.
Status CdxTree::checkNode(CdxNode& n) const
{
    if (n.checked)
        return Status::ok();
    for (size_t i = 1; i < n.count(); ++i)
        if (comparePair(n.key(i - 1), n.recnos[i - 1], n.key(i), n.recnos[i], m_shape.keyLen) >= 0)
            return damaged(n, "keys out of order at entry " + std::to_string(i));
    auto offPage = [](uint32_t p) { return p == 0 || p % kPageSize != 0; };
    if (!n.leaf)
        for (uint32_t c : n.children)
            if (c == kNoPage || offPage(c))
                return damaged(n, "child pointer " + std::to_string(c) + " off the page grid");
    if ((n.left != kNoPage && offPage(n.left)) || (n.right != kNoPage && offPage(n.right)))
        return damaged(n, "neighbour link off the page grid");
    n.checked = true;
    return Status::ok();
}

Status CdxTree::root(CdxNode** out)
{
    CdxTagHeader* h = nullptr;
    Status s = m_file->header(m_shape.header, &h);
    if (!s.isOk())
        return named(std::move(s));
    return node(h->root, out);
}

// The child of entry i, as its parent describes it: ending with the entry's
// pair and linked to the children beside it.
Status CdxTree::child(const CdxNode* parent, size_t i, CdxNode** out)
{
    XB_RETURN_IF_ERROR(node(parent->children[i], out));
    const CdxNode* c = *out;
    if (c == parent)
        return damaged(*parent, "node is its own child");
    if (c->count() == 0)
        return damaged(*c, "empty node below the root");
    if (comparePair(c->key(c->count() - 1), c->recnos.back(), parent->key(i), parent->recnos[i], m_shape.keyLen) != 0)
        return damaged(*parent, "entry " + std::to_string(i) + " does not carry its child's last key");
    if ((i > 0 && c->left != parent->children[i - 1]) || (i + 1 < parent->count() && c->right != parent->children[i + 1]))
        return damaged(*c, "neighbour links do not name the nodes beside it");
    return Status::ok();
}

Status CdxTree::descend(const uint8_t* key, uint32_t recno, Path* path)
{
    path->clear();
    CdxNode* n = nullptr;
    XB_RETURN_IF_ERROR(root(&n));
    while (!n->leaf) {
        if (n->count() == 0)
            return damaged(*n, "empty interior node");
        if (path->size() >= kMaxDepth)
            return damaged(*n, "tree too deep (a loop?)");
        size_t i = nodeLowerBound(*n, key, recno);
        if (i == n->count())
            i = n->count() - 1; // beyond every key: the last subtree
        path->push_back({n, i});
        XB_RETURN_IF_ERROR(child(n, i, &n));
    }
    path->push_back({n, nodeLowerBound(*n, key, recno)});
    return Status::ok();
}

Status CdxTree::lowerBound(const uint8_t* key, uint32_t recno, TreePos* out)
{
    Path path;
    XB_RETURN_IF_ERROR(descend(key, recno, &path));
    const Step& leaf = path.back();
    *out = {leaf.node->offset, uint32_t(leaf.index)};
    if (leaf.index < leaf.node->count())
        return Status::ok();
    // Past the last entry of this leaf: the answer starts the next one.
    out->index = leaf.node->count() == 0 ? 0 : uint32_t(leaf.node->count() - 1);
    if (leaf.node->count() == 0) {
        *out = {};
        return Status::ok();
    }
    return next(out);
}

Status CdxTree::edge(bool toLast, TreePos* out)
{
    CdxNode* n = nullptr;
    XB_RETURN_IF_ERROR(root(&n));
    for (size_t depth = 0; !n->leaf; ++depth) {
        if (n->count() == 0)
            return damaged(*n, "empty interior node");
        if (depth >= kMaxDepth)
            return damaged(*n, "tree too deep (a loop?)");
        XB_RETURN_IF_ERROR(child(n, toLast ? n->count() - 1 : 0, &n));
    }
    if (n->count() == 0) {
        *out = {};
        return Status::ok();
    }
    *out = {n->offset, toLast ? uint32_t(n->count() - 1) : 0};
    return Status::ok();
}

Status CdxTree::first(TreePos* out) { return edge(false, out); }
Status CdxTree::last(TreePos* out) { return edge(true, out); }

Status CdxTree::next(TreePos* pos)
{
    CdxNode* n = nullptr;
    XB_RETURN_IF_ERROR(stepNode(pos->leaf, &n));
    if (!n->leaf)
        return damaged(*n, "interior node in the leaf chain");
    if (pos->index + 1 < n->count()) {
        ++pos->index;
        return Status::ok();
    }
    if (n->right == kNoPage) {
        *pos = {};
        return Status::ok();
    }
    CdxNode* r = nullptr;
    XB_RETURN_IF_ERROR(stepNode(n->right, &r));
    if (!r->leaf || r->left != n->offset || r->count() == 0)
        return damaged(*r, "broken leaf chain");
    if (n->count() > 0
        && comparePair(r->key(0), r->recnos[0], n->key(n->count() - 1), n->recnos.back(), m_shape.keyLen) <= 0)
        return damaged(*r, "leaf chain out of order");
    *pos = {r->offset, 0};
    return Status::ok();
}

Status CdxTree::prev(TreePos* pos)
{
    CdxNode* n = nullptr;
    XB_RETURN_IF_ERROR(stepNode(pos->leaf, &n));
    if (!n->leaf)
        return damaged(*n, "interior node in the leaf chain");
    if (pos->index > 0 && pos->index <= n->count()) {
        --pos->index;
        return Status::ok();
    }
    if (n->left == kNoPage) {
        *pos = {};
        return Status::ok();
    }
    CdxNode* l = nullptr;
    XB_RETURN_IF_ERROR(stepNode(n->left, &l));
    if (!l->leaf || l->right != n->offset || l->count() == 0)
        return damaged(*l, "broken leaf chain");
    if (n->count() > 0
        && comparePair(l->key(l->count() - 1), l->recnos.back(), n->key(0), n->recnos[0], m_shape.keyLen) >= 0)
        return damaged(*l, "leaf chain out of order");
    *pos = {l->offset, uint32_t(l->count() - 1)};
    return Status::ok();
}

Status CdxTree::entry(const TreePos& pos, uint8_t* key, uint32_t* recno)
{
    CdxNode* n = nullptr;
    XB_RETURN_IF_ERROR(stepNode(pos.leaf, &n));
    if (!n->leaf || pos.index >= n->count())
        return damaged(*n, "position outside the leaf");
    std::memcpy(key, n->key(pos.index), m_shape.keyLen);
    *recno = n->recnos[pos.index];
    return Status::ok();
}

uint32_t CdxTree::recnoBeside(const TreePos& pos, bool forward)
{
    CdxNode* n = nullptr;
    if (!pos.valid() || !stepNode(pos.leaf, &n).isOk() || !n->leaf || pos.index >= n->count())
        return 0;
    if (forward)
        return pos.index + 1 < n->count() ? n->recnos[pos.index + 1] : 0;
    return pos.index > 0 ? n->recnos[pos.index - 1] : 0;
}

} // namespace xbase::cdx
