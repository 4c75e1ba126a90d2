#pragma once

#include "xbase/CdxFile.h"

#include <string>
#include <vector>

namespace xbase::cdx {

// Where a tag's tree lives and how its keys are padded.
struct TreeShape {
    uint32_t header = 0; // offset of the tag header
    uint16_t keyLen = 0;
    uint8_t fill = 0x20;
    std::string tag; // for messages; empty for the tag directory
};

// A place in a tag's leaf chain: entry `index` of the leaf at `leaf`;
// leaf == kNoPage is past either end.
struct TreePos {
    uint32_t leaf = kNoPage;
    uint32_t index = 0;
    bool valid() const { return leaf != kNoPage; }
};

// The B-tree of one tag, ordered by (key, record number). All calls run
// inside an operation of the CdxFile (reads in a read or write operation,
// changes in a write operation). Keys are exactly shape.keyLen bytes.
//
// Every node a search or a change meets on its way down is checked before
// it is trusted: pairs ascend within it, its pointers lie on the page grid,
// it carries the pair its parent's entry names and it links to the children
// beside it. Steps along the leaf chain check the links and the order where
// two leaves meet. Damage is a
// Corruption status that names the index file and the tag and asks for a
// re-index; a change that meets it leaves the tree as it was.
class CdxTree {
public:
    CdxTree(CdxFile* file, const TreeShape& shape) : m_file(file), m_shape(shape) {}

    // Adds the pair; *added is false when it was already there.
    Status insert(const uint8_t* key, uint32_t recno, bool* added = nullptr);
    // Removes the pair; *removed is false when it was not there.
    Status remove(const uint8_t* key, uint32_t recno, bool* removed = nullptr);

    // First entry >= (key, recno), or an invalid position.
    Status lowerBound(const uint8_t* key, uint32_t recno, TreePos* out);
    Status first(TreePos* out);
    Status last(TreePos* out);
    // Steps along the leaf chain; past the end the position becomes invalid.
    // A chain that loops, breaks its back links or goes out of order gives
    // Corruption.
    Status next(TreePos* pos);
    Status prev(TreePos* pos);
    // Copies the key (keyLen bytes) and record number at a valid position.
    Status entry(const TreePos& pos, uint8_t* key, uint32_t* recno);
    // The record number of the entry beside a valid position within its
    // leaf (after it, or before it when !forward); 0 at the leaf's edge.
    uint32_t recnoBeside(const TreePos& pos, bool forward);

    const TreeShape& shape() const { return m_shape; }

private:
    struct Step {
        CdxNode* node;
        size_t index;
    };
    using Path = std::vector<Step>;

    Status node(uint32_t offset, CdxNode** out);
    Status stepNode(uint32_t offset, CdxNode** out);
    Status checkNode(CdxNode& n) const;
    Status root(CdxNode** out);
    Status child(const CdxNode* parent, size_t i, CdxNode** out);
    Status descend(const uint8_t* key, uint32_t recno, Path* path);
    Status edge(bool toLast, TreePos* out);
    void fixParentKeys(Path& path, size_t level);
    Status split(Path& path, size_t level, bool appending);
    Status splitRoot(CdxNode* left, CdxNode* right);
    Status unlinkNode(CdxNode* n);
    Status removeEmpty(Path& path, size_t level);
    Status rebalance(Path& path, size_t level);
    Status mergeChildren(Path& path, size_t level, size_t j, bool* merged);
    Status collapseRoot();
    size_t splitPoint(const CdxNode& n) const;
    bool underfull(const CdxNode& n) const;
    Status damaged(const CdxNode& n, const std::string& what) const;
    Status named(Status s) const;

    CdxFile* m_file;
    TreeShape m_shape;
};

// Index of the first entry of n that is >= (key, recno).
size_t nodeLowerBound(const CdxNode& n, const uint8_t* key, uint32_t recno);

} // namespace xbase::cdx
