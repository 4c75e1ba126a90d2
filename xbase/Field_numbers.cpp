#include "xbase/Field.h"

#include "xbase/Coding.h"
#include "xbase/NumberText.h"
#include "xbase/Table.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace xbase {
namespace {

const uint8_t* bytes(const char* p) { return reinterpret_cast<const uint8_t*>(p); }

bool fitsInt32(double v) { return v >= -2147483648.0 && v <= 2147483647.0; }

} // namespace

int64_t Field::asLong() const
{
    switch (type()) {
    case 'I': return int32_t(coding::getU32LE(bytes(ptr())));
    case 'Y': return int64_t(coding::getU64LE(bytes(ptr()))) / 10000;
    case 'B': return number::truncate(coding::getDoubleLE(bytes(ptr())));
    default: return number::parseWhole(ptr(), size_t(length()));
    }
}

double Field::asDouble() const
{
    switch (type()) {
    case 'I': return double(int32_t(coding::getU32LE(bytes(ptr()))));
    case 'Y': return double(int64_t(coding::getU64LE(bytes(ptr())))) / 10000.0;
    case 'B': return coding::getDoubleLE(bytes(ptr()));
    default: return number::parse(ptr(), size_t(length()));
    }
}

Status Field::assignLong(int64_t value)
{
    const FieldDescriptor& f = descriptor();
    std::string text;
    switch (f.type) {
    case 'N': case 'F':
        if (!number::formatWhole(value, f.length, f.decimals, &text))
            break;
        return fitNumber(text);
    case 'C':
        return assignText(std::to_string(value));
    default:
        return assignDouble(double(value));
    }
    return Status::invalidArgument(m_table.path() + ": " + std::to_string(value) + " does not fit field " + f.name);
}

Status Field::assignDouble(double value)
{
    const FieldDescriptor& f = descriptor();
    // The message only when it is needed: appends assign numbers by the million.
    auto tooWide = [&] {
        return Status::invalidArgument(m_table.path() + ": the number does not fit field " + f.name);
    };
    if (!std::isfinite(value))
        return Status::invalidArgument(m_table.path() + ": not a number for field " + f.name);
    uint8_t* p = nullptr;
    std::string text;
    switch (f.type) {
    case 'N': case 'F':
        if (!number::format(value, f.length, f.decimals, &text))
            return tooWide();
        return fitNumber(text);
    case 'C': {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, value);
        if (size_t(r.ptr - buf) > f.length)
            return tooWide();
        return assignText(std::string_view(buf, size_t(r.ptr - buf)));
    }
    case 'I':
        if (!fitsInt32(std::round(value)))
            return tooWide();
        p = m_table.recordForUpdate() + f.offset;
        coding::putU32LE(p, uint32_t(int32_t(std::lround(value))));
        break;
    case 'B':
        p = m_table.recordForUpdate() + f.offset;
        coding::putDoubleLE(p, value);
        break;
    case 'Y':
        if (std::fabs(value) >= 9.2e14)
            return tooWide();
        p = m_table.recordForUpdate() + f.offset;
        coding::putU64LE(p, uint64_t(std::llround(value * 10000.0)));
        break;
    default:
        return Status::invalidArgument(m_table.path() + ": field " + f.name + " holds no number");
    }
    setBit(f.nullBit, false);
    return Status::ok();
}

} // namespace xbase
