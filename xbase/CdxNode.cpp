#include "xbase/CdxNode.h"

#include "xbase/Coding.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <string>

namespace xbase::cdx {
namespace {

using namespace xbase::coding;

struct LeafBits {
    int entryBytes;
    int recBits;
    int countBits; // bits of the duplicate and of the trailing count
};

// Smallest entry that holds the largest record number; the count fields are
// as wide as the key length needs, widened only so the record mask stays
// within 32 bits.
LeafBits chooseLeafBits(uint16_t keyLen, uint32_t maxRecno, bool empty)
{
    const int countBits = std::bit_width(unsigned(keyLen));
    const int needBits = std::max(1, int(std::bit_width(maxRecno)));
    for (int eb = empty ? 3 : 2; eb <= 8; ++eb) {
        const int cb = std::max(countBits, (8 * eb - 32 + 1) / 2);
        const int rb = 8 * eb - 2 * cb;
        if (rb >= needBits)
            return {eb, rb, cb};
    }
    return {8, 32, 16};
}

static_assert(std::endian::native == std::endian::little, "the word-wise key scans assume little-endian loads");

// Both counts run eight bytes at a time: every key of every node passes
// through them whenever a node is measured or written.
size_t trailingFill(const uint8_t* k, size_t len, uint8_t fill)
{
    const uint64_t pattern = 0x0101010101010101ULL * fill;
    size_t n = 0;
    while (n + 8 <= len) {
        uint64_t word;
        std::memcpy(&word, k + len - n - 8, 8);
        const uint64_t diff = word ^ pattern;
        if (diff != 0)
            return n + size_t(std::countl_zero(diff) / 8); // little-endian: high bytes come last
        n += 8;
    }
    while (n < len && k[len - 1 - n] == fill)
        ++n;
    return n;
}

size_t commonPrefix(const uint8_t* a, const uint8_t* b, size_t len)
{
    size_t n = 0;
    while (n + 8 <= len) {
        uint64_t wa, wb;
        std::memcpy(&wa, a + n, 8);
        std::memcpy(&wb, b + n, 8);
        if (wa != wb)
            return n + size_t(std::countr_zero(wa ^ wb) / 8);
        n += 8;
    }
    while (n < len && a[n] == b[n])
        ++n;
    return n;
}

// Stored bytes of entry i and its duplicate/trailing counts.
struct Packed {
    size_t dup, trail;
};

Packed packEntry(const CdxNode& node, size_t i)
{
    const uint8_t fill = node.fill;
    const size_t len = node.keyLen;
    const size_t trail = trailingFill(node.key(i), len, fill);
    if (i == 0)
        return {0, trail};
    // Shared bytes come from what the previous entry stores: its padding is
    // not stored, so a key that continues where the previous one was padded
    // ("PHONE CALL" after "PHONE") must store those bytes itself.
    const uint8_t* prev = node.key(i - 1);
    const size_t dup = std::min({commonPrefix(prev, node.key(i), len), len - trail, len - trailingFill(prev, len, fill)});
    return {dup, trail};
}

uint32_t maxRecno(const CdxNode& node)
{
    uint32_t m = 0;
    for (uint32_t r : node.recnos)
        m = std::max(m, r);
    return m;
}

Status damaged(uint32_t offset, const char* what)
{
    return Status::corruption("index page at " + std::to_string(offset) + ": " + what);
}

void writeCommonHeader(const CdxNode& node, uint8_t* page)
{
    putU16LE(page, uint16_t((node.root ? 1 : 0) | (node.leaf ? 2 : 0)));
    putU16LE(page + 2, uint16_t(node.count()));
    putU32LE(page + 4, node.left);
    putU32LE(page + 8, node.right);
}

Status decodeLeaf(const uint8_t* page, uint32_t offset, uint8_t fill, CdxNode* out)
{
    const size_t n = getU16LE(page + 2);
    const uint32_t recMask = getU32LE(page + 14);
    const uint32_t dupMask = page[18], trailMask = page[19];
    const int recBits = page[20], dupBits = page[21], eb = page[23];
    if (eb < 1 || eb > 8 || recBits > 32 || recBits + dupBits + page[22] > 8 * eb)
        return damaged(offset, "bad leaf entry layout");
    if (n * size_t(eb) > kPageSize - kLeafHeader)
        return damaged(offset, "key count past the end of the page");
    const size_t len = out->keyLen;
    out->keys.resize(n * len);
    out->recnos.resize(n);
    size_t p = kPageSize;
    const size_t floor = kLeafHeader + n * eb;
    for (size_t i = 0; i < n; ++i) {
        uint64_t e = 0;
        for (int b = eb - 1; b >= 0; --b)
            e = (e << 8) | page[kLeafHeader + i * eb + b];
        const size_t dup = i == 0 ? 0 : size_t((e >> recBits) & dupMask);
        const size_t trail = size_t((e >> (recBits + dupBits)) & trailMask);
        if (dup + trail > len)
            return damaged(offset, "bad duplicate or trailing count");
        const size_t stored = len - dup - trail;
        if (p < floor + stored)
            return damaged(offset, "key bytes overlap the entries");
        p -= stored;
        uint8_t* k = out->key(i);
        if (dup)
            std::memcpy(k, out->key(i - 1), dup);
        std::memcpy(k + dup, page + p, stored);
        std::memset(k + dup + stored, fill, trail);
        out->recnos[i] = uint32_t(e) & recMask;
    }
    out->sumValid = false; // a writer may have compressed less than we would
    return Status::ok();
}

Status decodeInterior(const uint8_t* page, uint32_t offset, CdxNode* out)
{
    const size_t n = getU16LE(page + 2);
    const size_t len = out->keyLen;
    if (n > interiorCapacity(out->keyLen))
        return damaged(offset, "key count past the end of the page");
    out->keys.resize(n * len);
    out->recnos.resize(n);
    out->children.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* e = page + kInteriorHeader + i * (len + 8);
        std::memcpy(out->key(i), e, len);
        out->recnos[i] = getU32BE(e + len);
        out->children[i] = getU32BE(e + len + 4);
        if (out->children[i] == 0 || out->children[i] % kPageSize != 0)
            return damaged(offset, "bad child page offset");
    }
    return Status::ok();
}

bool encodeLeaf(const CdxNode& node, uint8_t* page)
{
    const LeafBits bits = chooseLeafBits(node.keyLen, maxRecno(node), node.count() == 0);
    const size_t n = node.count();
    size_t p = kPageSize;
    const size_t floor = kLeafHeader + n * bits.entryBytes;
    if (floor > kPageSize)
        return false;
    for (size_t i = 0; i < n; ++i) {
        const Packed pk = packEntry(node, i);
        const size_t stored = node.keyLen - pk.dup - pk.trail;
        if (p < floor + stored)
            return false;
        p -= stored;
        std::memcpy(page + p, node.key(i) + pk.dup, stored);
        uint64_t e = uint64_t(node.recnos[i]) | (uint64_t(pk.dup) << bits.recBits)
            | (uint64_t(pk.trail) << (bits.recBits + bits.countBits));
        for (int b = 0; b < bits.entryBytes; ++b, e >>= 8)
            page[kLeafHeader + i * bits.entryBytes + b] = uint8_t(e);
    }
    std::memset(page + floor, 0, p - floor);
    writeCommonHeader(node, page);
    putU16LE(page + 12, uint16_t(p - floor));
    putU32LE(page + 14, bits.recBits >= 32 ? 0xFFFFFFFFu : ((1u << bits.recBits) - 1));
    page[18] = page[19] = uint8_t((1u << bits.countBits) - 1);
    page[20] = uint8_t(bits.recBits);
    page[21] = page[22] = uint8_t(bits.countBits);
    page[23] = uint8_t(bits.entryBytes);
    return true;
}

bool encodeInterior(const CdxNode& node, uint8_t* page)
{
    const size_t n = node.count();
    const size_t len = node.keyLen;
    if (n > interiorCapacity(node.keyLen))
        return false;
    std::memset(page, 0, kPageSize);
    writeCommonHeader(node, page);
    for (size_t i = 0; i < n; ++i) {
        uint8_t* e = page + kInteriorHeader + i * (len + 8);
        std::memcpy(e, node.key(i), len);
        putU32BE(e + len, node.recnos[i]);
        putU32BE(e + len + 4, node.children[i]);
    }
    return true;
}

} // namespace

size_t CdxNode::storedBytes(size_t i) const
{
    const Packed pk = packEntry(*this, i);
    return keyLen - pk.dup - pk.trail;
}

void CdxNode::insertAt(size_t i, const uint8_t* k, uint32_t recno, uint32_t child)
{
    const bool track = leaf && sumValid;
    if (track && i < count())
        storedSum -= storedBytes(i);
    keys.insert(keys.begin() + std::ptrdiff_t(i * keyLen), k, k + keyLen);
    recnos.insert(recnos.begin() + std::ptrdiff_t(i), recno);
    if (!leaf)
        children.insert(children.begin() + std::ptrdiff_t(i), child);
    if (track)
        storedSum += storedBytes(i) + (i + 1 < count() ? storedBytes(i + 1) : 0);
}

void CdxNode::eraseAt(size_t i)
{
    const bool track = leaf && sumValid;
    if (track)
        storedSum -= storedBytes(i) + (i + 1 < count() ? storedBytes(i + 1) : 0);
    keys.erase(keys.begin() + std::ptrdiff_t(i * keyLen), keys.begin() + std::ptrdiff_t((i + 1) * keyLen));
    recnos.erase(recnos.begin() + std::ptrdiff_t(i));
    if (!leaf)
        children.erase(children.begin() + std::ptrdiff_t(i));
    if (track && i < count())
        storedSum += storedBytes(i);
}

void CdxNode::clear()
{
    keys.clear();
    recnos.clear();
    children.clear();
    storedSum = 0;
    sumValid = true;
}

void CdxNode::moveTail(size_t from, CdxNode& to)
{
    sumValid = to.sumValid = false;
    to.keys.insert(to.keys.end(), keys.begin() + std::ptrdiff_t(from * keyLen), keys.end());
    to.recnos.insert(to.recnos.end(), recnos.begin() + std::ptrdiff_t(from), recnos.end());
    keys.resize(from * keyLen);
    recnos.resize(from);
    if (!leaf) {
        to.children.insert(to.children.end(), children.begin() + std::ptrdiff_t(from), children.end());
        children.resize(from);
    }
}

void CdxNode::setEntry(size_t i, const uint8_t* k, uint32_t recno)
{
    sumValid = false;
    std::memcpy(key(i), k, keyLen);
    recnos[i] = recno;
}

Status decodeNode(const uint8_t* page, uint32_t offset, uint16_t keyLen, uint8_t fill, CdxNode* out)
{
    const uint16_t attr = getU16LE(page);
    out->offset = offset;
    out->root = attr & 1;
    out->leaf = attr & 2;
    out->left = getU32LE(page + 4);
    out->right = getU32LE(page + 8);
    out->keyLen = keyLen;
    out->fill = fill;
    out->dirty = false;
    out->keys.clear();
    out->recnos.clear();
    out->children.clear();
    if (attr > 7)
        return damaged(offset, "not a tree page");
    return out->leaf ? decodeLeaf(page, offset, fill, out) : decodeInterior(page, offset, out);
}

bool encodeNode(const CdxNode& node, uint8_t* page)
{
    return node.leaf ? encodeLeaf(node, page) : encodeInterior(node, page);
}

size_t leafEncodedSize(const CdxNode& node)
{
    const LeafBits bits = chooseLeafBits(node.keyLen, maxRecno(node), node.count() == 0);
    if (!node.sumValid) {
        node.storedSum = 0;
        for (size_t i = 0; i < node.count(); ++i)
            node.storedSum += node.storedBytes(i);
        node.sumValid = true;
    }
    return kLeafHeader + node.count() * bits.entryBytes + node.storedSum;
}

int leafEntryBytes(uint16_t keyLen, uint32_t maxRecno, bool empty)
{
    return chooseLeafBits(keyLen, maxRecno, empty).entryBytes;
}

bool nodeFits(const CdxNode& node)
{
    return node.leaf ? leafEncodedSize(node) <= kPageSize : node.count() <= interiorCapacity(node.keyLen);
}

} // namespace xbase::cdx
