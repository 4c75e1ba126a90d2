#include "xbase/TableHeader.h"

#include "xbase/Coding.h"

#include <ctime>

namespace xbase {
namespace {

bool knownVersion(uint8_t v)
{
    return v == kFoxBase || v == kFoxPro2Memo || v == kVisualFoxPro || v == kVisualFoxProAuto || v == kVisualFoxProVar;
}

std::string hex(uint8_t v)
{
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[v >> 4] + digits[v & 15];
}

} // namespace

Status TableHeader::decode(const uint8_t* p, uint64_t fileSize, const std::string& fileName, TableHeader* out)
{
    if (fileSize < kSize)
        return Status::corruption(fileName + ": truncated header (" + std::to_string(fileSize) + " bytes)");
    TableHeader h;
    h.version = p[0];
    h.year = p[1];
    h.month = p[2];
    h.day = p[3];
    h.recordCount = coding::getU32LE(p + kCountOffset);
    h.headerLength = coding::getU16LE(p + 8);
    h.recordLength = coding::getU16LE(p + 10);
    h.flags = p[kFlagsOffset];
    h.codePage = p[29];
    if (!knownVersion(h.version))
        return Status::corruption(fileName + ": not a FoxPro table (version byte " + hex(h.version) + ")");
    if (h.headerLength < kSize + 1 || h.headerLength > fileSize)
        return Status::corruption(fileName + ": header length " + std::to_string(h.headerLength) +
                                  " does not fit the file (" + std::to_string(fileSize) + " bytes)");
    if (h.recordLength < 2)
        return Status::corruption(fileName + ": record length " + std::to_string(h.recordLength) + " is too small");
    const uint64_t holds = (fileSize - h.headerLength) / h.recordLength;
    if (h.recordCount > holds)
        return Status::corruption(fileName + ": record count " + std::to_string(h.recordCount) +
                                  " is more than the file holds (" + std::to_string(holds) + ")");
    *out = h;
    return Status::ok();
}

void TableHeader::encode(uint8_t* p) const
{
    std::fill(p, p + kSize, uint8_t(0));
    p[0] = version;
    p[1] = year;
    p[2] = month;
    p[3] = day;
    coding::putU32LE(p + kCountOffset, recordCount);
    coding::putU16LE(p + 8, headerLength);
    coding::putU16LE(p + 10, recordLength);
    p[kFlagsOffset] = flags;
    p[29] = codePage;
}

void TableHeader::touch()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    year = uint8_t(local.tm_year % 100);
    month = uint8_t(local.tm_mon + 1);
    day = uint8_t(local.tm_mday);
}

} // namespace xbase
