#pragma once

#include "xbase/Status.h"

#include <cstdint>
#include <string>

namespace xbase::cdx {

constexpr uint32_t kHeaderSize = 1024;

// Option bits of a tag header.
enum TagOption : uint8_t {
    kOptUnique = 0x01,
    kOptNullable = 0x02,
    kOptCandidate = 0x04,
    kOptFor = 0x08,
    kOptCompact = 0x20,
    kOptCompound = 0x40,
    kOptDirectory = 0x80,
};

// The 1024-byte header of a tag; the one at offset 0 heads the directory
// of tags and also holds the free-page list and the change counter.
struct CdxTagHeader {
    uint32_t root = 0;
    uint32_t freeList = 0;   // 0 when empty (a stored 0xFFFFFFFF reads as 0)
    uint32_t counter = 0;    // change counter, stored big-endian
    uint16_t keyLen = 0;
    uint8_t options = kOptCompact | kOptCompound;
    bool descending = false;
    std::string keyExpr;
    std::string forExpr;

    bool unique() const { return options & kOptUnique; }
    bool candidate() const { return options & kOptCandidate; }
    bool nullable() const { return options & kOptNullable; }
};

// Decodes a header; a key length outside 1..240 or expressions that overrun
// the pool give Corruption.
Status decodeTagHeader(const uint8_t* data, uint32_t offset, CdxTagHeader* out);
// Encodes into 1024 bytes; InvalidArgument when the expressions don't fit.
Status encodeTagHeader(const CdxTagHeader& h, uint8_t* data);

// The change counter word at offset 8 of the file.
constexpr uint32_t kCounterOffset = 8;

} // namespace xbase::cdx
