#include "xbase/CdxTree.h"

#include <algorithm>

// Changes to a tag's tree. A node's entry in its parent carries the node's
// last pair, so every change of a last pair climbs while it stays last.
// Full nodes split (an append at the right edge splits off just the new
// entry, so ascending inserts fill pages); nodes that fall below a quarter
// merge with a neighbour of the same parent; an empty node leaves the tree;
// an interior root with one child hands the root over.

namespace xbase::cdx {

Status CdxTree::insert(const uint8_t* key, uint32_t recno, bool* added)
{
    if (added)
        *added = false;
    Path path;
    XB_RETURN_IF_ERROR(descend(key, recno, &path));
    CdxNode* leaf = path.back().node;
    const size_t i = path.back().index;
    if (i < leaf->count() && comparePair(leaf->key(i), leaf->recnos[i], key, recno, m_shape.keyLen) == 0)
        return Status::ok();
    leaf->insertAt(i, key, recno);
    m_file->markDirty(leaf);
    if (added)
        *added = true;
    const bool atEnd = i + 1 == leaf->count();
    if (atEnd)
        fixParentKeys(path, path.size() - 1);
    if (nodeFits(*leaf))
        return Status::ok();
    return split(path, path.size() - 1, atEnd && leaf->right == kNoPage);
}

Status CdxTree::remove(const uint8_t* key, uint32_t recno, bool* removed)
{
    if (removed)
        *removed = false;
    Path path;
    XB_RETURN_IF_ERROR(descend(key, recno, &path));
    CdxNode* leaf = path.back().node;
    const size_t i = path.back().index;
    if (i >= leaf->count() || comparePair(leaf->key(i), leaf->recnos[i], key, recno, m_shape.keyLen) != 0)
        return Status::ok();
    leaf->eraseAt(i);
    m_file->markDirty(leaf);
    if (removed)
        *removed = true;
    const size_t level = path.size() - 1;
    if (leaf->count() == 0 && level > 0)
        return removeEmpty(path, level);
    if (i == leaf->count())
        fixParentKeys(path, level);
    return rebalance(path, level);
}

void CdxTree::fixParentKeys(Path& path, size_t level)
{
    for (size_t l = level; l > 0; --l) {
        const CdxNode* c = path[l].node;
        if (c->count() == 0)
            return;
        CdxNode* p = path[l - 1].node;
        const size_t ci = path[l - 1].index;
        p->setEntry(ci, c->key(c->count() - 1), c->recnos.back());
        m_file->markDirty(p);
        if (ci + 1 != p->count())
            return;
    }
}

size_t CdxTree::splitPoint(const CdxNode& n) const
{
    if (!n.leaf)
        return n.count() / 2;
    // Balance the compressed bytes rather than the entry count.
    CdxNode part;
    part.keyLen = n.keyLen;
    part.fill = n.fill;
    size_t best = n.count() / 2, bestSize = ~size_t(0);
    size_t lo = 1, hi = n.count() - 1;
    while (lo <= hi) {
        const size_t s = (lo + hi) / 2;
        part.keys.assign(n.keys.begin(), n.keys.begin() + std::ptrdiff_t(s * n.keyLen));
        part.recnos.assign(n.recnos.begin(), n.recnos.begin() + std::ptrdiff_t(s));
        const size_t left = leafEncodedSize(part);
        part.keys.assign(n.keys.begin() + std::ptrdiff_t(s * n.keyLen), n.keys.end());
        part.recnos.assign(n.recnos.begin() + std::ptrdiff_t(s), n.recnos.end());
        const size_t right = leafEncodedSize(part);
        if (std::max(left, right) < bestSize) {
            bestSize = std::max(left, right);
            best = s;
        }
        if (left < right)
            lo = s + 1;
        else if (s == 0)
            break;
        else
            hi = s - 1;
    }
    return best;
}

Status CdxTree::split(Path& path, size_t level, bool appending)
{
    CdxNode* n = path[level].node;
    CdxNode* r = nullptr;
    XB_RETURN_IF_ERROR(named(m_file->allocNode(m_shape.keyLen, m_shape.fill, n->leaf, &r)));
    const size_t at = appending ? n->count() - 1 : splitPoint(*n);
    n->moveTail(at, *r);
    r->left = n->offset;
    r->right = n->right;
    if (n->right != kNoPage) {
        CdxNode* rr = nullptr;
        XB_RETURN_IF_ERROR(node(n->right, &rr));
        if (rr->left != n->offset)
            return damaged(*rr, "left link does not name the node before it");
        rr->left = r->offset;
        m_file->markDirty(rr);
    }
    n->right = r->offset;
    m_file->markDirty(n);
    if (!nodeFits(*n) || !nodeFits(*r))
        return damaged(*n, "entry too large to split");
    if (level == 0)
        return splitRoot(n, r);
    CdxNode* p = path[level - 1].node;
    const size_t ci = path[level - 1].index;
    p->setEntry(ci, n->key(n->count() - 1), n->recnos.back());
    p->insertAt(ci + 1, r->key(r->count() - 1), r->recnos.back(), r->offset);
    m_file->markDirty(p);
    if (nodeFits(*p))
        return Status::ok();
    return split(path, level - 1, appending && ci + 2 == p->count() && p->right == kNoPage);
}

Status CdxTree::splitRoot(CdxNode* left, CdxNode* right)
{
    CdxNode* root = nullptr;
    XB_RETURN_IF_ERROR(named(m_file->allocNode(m_shape.keyLen, m_shape.fill, false, &root)));
    root->root = true;
    left->root = false;
    right->root = false;
    root->insertAt(0, left->key(left->count() - 1), left->recnos.back(), left->offset);
    root->insertAt(1, right->key(right->count() - 1), right->recnos.back(), right->offset);
    CdxTagHeader* h = nullptr;
    XB_RETURN_IF_ERROR(named(m_file->header(m_shape.header, &h)));
    h->root = root->offset;
    m_file->markHeaderDirty(m_shape.header);
    return Status::ok();
}

Status CdxTree::unlinkNode(CdxNode* n)
{
    CdxNode* side = nullptr;
    if (n->left != kNoPage) {
        XB_RETURN_IF_ERROR(node(n->left, &side));
        if (side->right != n->offset)
            return damaged(*side, "right link does not name the node after it");
        side->right = n->right;
        m_file->markDirty(side);
    }
    if (n->right != kNoPage) {
        XB_RETURN_IF_ERROR(node(n->right, &side));
        if (side->left != n->offset)
            return damaged(*side, "left link does not name the node before it");
        side->left = n->left;
        m_file->markDirty(side);
    }
    return named(m_file->freeNode(n));
}

Status CdxTree::removeEmpty(Path& path, size_t level)
{
    XB_RETURN_IF_ERROR(unlinkNode(path[level].node));
    CdxNode* p = path[level - 1].node;
    const size_t ci = path[level - 1].index;
    p->eraseAt(ci);
    m_file->markDirty(p);
    if (p->count() == 0) {
        if (level - 1 > 0)
            return removeEmpty(path, level - 1);
        p->leaf = true; // the tree is empty: the root becomes an empty leaf
        return Status::ok();
    }
    if (ci == p->count())
        fixParentKeys(path, level - 1);
    return rebalance(path, level - 1);
}

bool CdxTree::underfull(const CdxNode& n) const
{
    if (n.leaf)
        return leafEncodedSize(n) < kPageSize / 4;
    return n.count() < std::max<size_t>(2, interiorCapacity(n.keyLen) / 4);
}

Status CdxTree::rebalance(Path& path, size_t level)
{
    if (level == 0)
        return collapseRoot();
    if (!underfull(*path[level].node))
        return Status::ok();
    const size_t ci = path[level - 1].index;
    const CdxNode* p = path[level - 1].node;
    bool merged = false;
    if (ci + 1 < p->count())
        XB_RETURN_IF_ERROR(mergeChildren(path, level - 1, ci, &merged));
    if (!merged && ci > 0)
        XB_RETURN_IF_ERROR(mergeChildren(path, level - 1, ci - 1, &merged));
    return merged ? rebalance(path, level - 1) : Status::ok();
}

Status CdxTree::mergeChildren(Path& path, size_t level, size_t j, bool* merged)
{
    CdxNode* p = path[level].node;
    CdxNode *a = nullptr, *b = nullptr;
    XB_RETURN_IF_ERROR(child(p, j, &a));
    XB_RETURN_IF_ERROR(child(p, j + 1, &b));
    if (a->leaf != b->leaf || a->right != b->offset || b->left != a->offset)
        return damaged(*p, "children not linked as siblings");
    const size_t keep = a->count();
    b->moveTail(0, *a);
    if (!nodeFits(*a)) {
        a->moveTail(keep, *b); // does not fit: put the entries back
        *merged = false;
        return Status::ok();
    }
    a->right = b->right;
    m_file->markDirty(a);
    b->right = kNoPage; // already linked around
    if (a->right != kNoPage) {
        CdxNode* rr = nullptr;
        XB_RETURN_IF_ERROR(node(a->right, &rr));
        if (rr->left != b->offset)
            return damaged(*rr, "left link does not name the node before it");
        rr->left = a->offset;
        m_file->markDirty(rr);
    }
    XB_RETURN_IF_ERROR(named(m_file->freeNode(b)));
    p->setEntry(j, p->key(j + 1), p->recnos[j + 1]);
    p->eraseAt(j + 1);
    m_file->markDirty(p);
    path[level].index = j;
    *merged = true;
    return Status::ok();
}

Status CdxTree::collapseRoot()
{
    for (;;) {
        CdxNode* r = nullptr;
        XB_RETURN_IF_ERROR(root(&r));
        if (r->leaf || r->count() != 1)
            return Status::ok();
        CdxNode* c = nullptr;
        XB_RETURN_IF_ERROR(child(r, 0, &c));
        c->root = true;
        c->left = c->right = kNoPage;
        m_file->markDirty(c);
        CdxTagHeader* h = nullptr;
        XB_RETURN_IF_ERROR(named(m_file->header(m_shape.header, &h)));
        h->root = c->offset;
        m_file->markHeaderDirty(m_shape.header);
        XB_RETURN_IF_ERROR(named(m_file->freeNode(r)));
    }
}

} // namespace xbase::cdx
