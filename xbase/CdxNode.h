#pragma once

#include "xbase/Status.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace xbase::cdx {

constexpr uint32_t kPageSize = 512;
constexpr uint32_t kNoPage = 0xFFFFFFFFu;
constexpr int kLeafHeader = 24;
constexpr int kInteriorHeader = 12;
constexpr int kMaxKeyLen = 240;

// One decoded tree node (a 512-byte page) of one tag. Keys are full-length
// (padding restored) and kept in one contiguous buffer; entry i is
// (key(i), recno(i)) and, in interior nodes, child(i), the page whose subtree
// ends with that pair. Entries are in ascending (key, recno) order.
struct CdxNode {
    uint32_t offset = 0;
    bool leaf = true;
    bool root = false;
    uint32_t left = kNoPage;
    uint32_t right = kNoPage;
    uint16_t keyLen = 0;
    uint8_t fill = 0x20; // the tag's padding byte, dropped from key ends in leaves
    std::vector<uint8_t> keys;
    std::vector<uint32_t> recnos;
    std::vector<uint32_t> children;
    bool dirty = false;
    bool checked = false; // its order and pointers were found sound (CdxTree)
    uint64_t lastUse = 0; // cache bookkeeping
    // Leaves: the key bytes the entries store once compressed, kept up to
    // date by insertAt and eraseAt so that a change need not measure the
    // whole node again.
    mutable size_t storedSum = 0;
    mutable bool sumValid = false;

    size_t count() const { return recnos.size(); }
    const uint8_t* key(size_t i) const { return keys.data() + i * keyLen; }
    uint8_t* key(size_t i) { return keys.data() + i * keyLen; }

    void insertAt(size_t i, const uint8_t* k, uint32_t recno, uint32_t child = 0);
    void eraseAt(size_t i);
    // Moves entries [from, count) to the end of `to` (same kind, same key length).
    void moveTail(size_t from, CdxNode& to);
    void setEntry(size_t i, const uint8_t* k, uint32_t recno);
    void clear();
    // Key bytes entry i of a leaf stores: its key without the bytes shared
    // with the entry before and without its trailing padding.
    size_t storedBytes(size_t i) const;
};

// Compares (key a, recno ra) with (key b, recno rb): <0, 0, >0.
inline int comparePair(const uint8_t* a, uint32_t ra, const uint8_t* b, uint32_t rb, size_t len)
{
    const int c = std::memcmp(a, b, len);
    if (c != 0)
        return c;
    return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

// Decodes a page. `fill` is the tag's padding byte. A damaged page (counts or
// bit widths that overrun the page, impossible offsets) gives Corruption.
Status decodeNode(const uint8_t* page, uint32_t offset, uint16_t keyLen, uint8_t fill, CdxNode* out);

// Encodes a node into a 512-byte page; false when it does not fit.
bool encodeNode(const CdxNode& node, uint8_t* page);

// Whether the node fits one page once encoded.
bool nodeFits(const CdxNode& node);

// Bytes per leaf entry for a leaf whose largest record number is maxRecno.
int leafEntryBytes(uint16_t keyLen, uint32_t maxRecno, bool empty);

// Bytes a leaf needs once compressed (header included); may exceed a page.
size_t leafEncodedSize(const CdxNode& node);

// Most entries an interior node of this key length holds.
inline size_t interiorCapacity(uint16_t keyLen) { return (kPageSize - kInteriorHeader) / (keyLen + 8u); }

} // namespace xbase::cdx
