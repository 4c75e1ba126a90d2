#include "xbase/CdxTagHeader.h"

#include "xbase/CdxNode.h"
#include "xbase/Coding.h"

#include <cstring>

namespace xbase::cdx {
namespace {

using namespace xbase::coding;

constexpr size_t kPool = 512;

// Text of [start, start + len) of the pool up to its first NUL.
bool poolText(const uint8_t* pool, size_t start, size_t len, std::string* out)
{
    if (len == 0) {
        out->clear();
        return true;
    }
    if (start + len > kPool)
        return false;
    const auto* s = reinterpret_cast<const char*>(pool + start);
    *out = std::string(s, strnlen(s, len));
    return true;
}

} // namespace

Status decodeTagHeader(const uint8_t* data, uint32_t offset, CdxTagHeader* out)
{
    out->root = getU32LE(data);
    const uint32_t freeList = getU32LE(data + 4);
    out->freeList = freeList == 0xFFFFFFFFu ? 0 : freeList;
    out->counter = getU32BE(data + kCounterOffset);
    out->keyLen = getU16LE(data + 12);
    out->options = data[14];
    out->descending = getU16LE(data + 502) != 0;
    const std::string where = "index tag header at " + std::to_string(offset);
    if (out->keyLen < 1 || out->keyLen > kMaxKeyLen)
        return Status::corruption(where + ": bad key length");
    const uint8_t* pool = data + 512;
    if (!poolText(pool, getU16LE(data + 508), getU16LE(data + 510), &out->keyExpr)
        || !poolText(pool, getU16LE(data + 504), getU16LE(data + 506), &out->forExpr))
        return Status::corruption(where + ": expressions overrun the header");
    return Status::ok();
}

Status encodeTagHeader(const CdxTagHeader& h, uint8_t* data)
{
    const size_t keyLen = h.keyExpr.size() + 1, forLen = h.forExpr.size() + 1;
    if (keyLen + forLen > kPool)
        return Status::invalidArgument("index expressions too long: " + h.keyExpr);
    std::memset(data, 0, kHeaderSize);
    putU32LE(data, h.root);
    putU32LE(data + 4, h.freeList);
    putU32BE(data + kCounterOffset, h.counter);
    putU16LE(data + 12, h.keyLen);
    data[14] = h.options;
    data[15] = 0x01;
    putU16LE(data + 502, h.descending ? 1 : 0);
    putU16LE(data + 504, uint16_t(keyLen));
    putU16LE(data + 506, uint16_t(forLen));
    putU16LE(data + 508, 0);
    putU16LE(data + 510, uint16_t(keyLen));
    std::memcpy(data + 512, h.keyExpr.data(), h.keyExpr.size());
    std::memcpy(data + 512 + keyLen, h.forExpr.data(), h.forExpr.size());
    return Status::ok();
}

} // namespace xbase::cdx
