#pragma once

#include "xbase/CdxTagHeader.h"
#include "xbase/Env.h"

#include <string>
#include <vector>

namespace xbase::cdx {

// One tag of an index file about to be written: its header fields and its
// (key, record number) pairs in any order.
struct TagImage {
    std::string name; // stored upper case, at most 10 characters
    CdxTagHeader header;
    uint8_t fill = 0x20;
    std::vector<uint8_t> keys; // header.keyLen bytes per pair
    std::vector<uint32_t> recnos;

    void add(const uint8_t* key, uint32_t recno)
    {
        keys.insert(keys.end(), key, key + header.keyLen);
        recnos.push_back(recno);
    }
};

// Writes a complete compound index file at `path` (created or truncated):
// the directory of tags, each tag header, and each tag's tree built bottom-up
// from its sorted pairs with full pages. A unique tag keeps the lowest record
// of each key; a candidate tag with two records of one key, tags with
// duplicate names, names that don't fit or too many tags for one directory
// page give InvalidArgument. Given `like` (the table), the file takes the
// table's group and permission bits.
Status writeCdx(Env* env, const std::string& path, std::vector<TagImage>& tags, const std::string& like = {});

// Where writeCdx puts the header of tags[i].
inline uint32_t tagHeaderOffset(size_t i) { return 0x600 + uint32_t(i) * kHeaderSize; }

} // namespace xbase::cdx
