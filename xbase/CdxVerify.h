#pragma once

#include "xbase/CdxTree.h"

#include <vector>

namespace xbase::cdx {

// Checks the structure of one tag's tree: every interior entry carries the
// last pair of its child, pairs ascend within and across nodes, all leaves
// lie at one depth, sibling links at every level agree, and no page is
// visited twice. Runs inside a read operation of the file. Any fault gives Corruption naming the page.
struct TreeStats {
    uint64_t pairs = 0;
    size_t depth = 0; // levels, 1 for a root leaf
    size_t pages = 0;
    std::vector<uint32_t> pageOffsets; // every page of the tree
};
Status verifyTree(CdxFile* file, const TreeShape& shape, TreeStats* stats);

} // namespace xbase::cdx
