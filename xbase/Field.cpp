#include "xbase/Field.h"

#include "xbase/Coding.h"
#include "xbase/Table.h"

#include <algorithm>
#include <cstring>

namespace xbase {
namespace {

bool isBinaryType(char type)
{
    return type == 'I' || type == 'B' || type == 'Y' || type == 'T' || type == '0';
}

} // namespace

Field::Field(Table& table, size_t index)
    : m_table(table), m_index(index), m_descriptor(&table.layout().field(index)), m_image(&table.m_view)
{
}


bool Field::bit(int n) const
{
    const FieldDescriptor* flags = m_table.layout().nullFlags();
    if (!flags || n < 0)
        return false;
    return (m_table.record()[flags->offset + size_t(n) / 8] >> (n % 8)) & 1;
}

void Field::setBit(int n, bool on)
{
    const FieldDescriptor* flags = m_table.layout().nullFlags();
    if (!flags || n < 0 || bit(n) == on)
        return;
    uint8_t& byte = m_table.recordForUpdate()[flags->offset + size_t(n) / 8];
    byte = uint8_t(on ? byte | (1u << (n % 8)) : byte & ~(1u << (n % 8)));
}

bool Field::isNull() const { return bit(descriptor().nullBit); }

Status Field::assignText(std::string_view text)
{
    const FieldDescriptor& f = descriptor();
    if (isBinaryType(f.type) || f.isMemo())
        return Status::invalidArgument(m_table.path() + ": field " + f.name + " of type " + std::string(1, f.type) +
                                       " takes no text");
    if (f.type == 'N' || f.type == 'F')
        return fitNumber(text);
    const size_t used = std::min(text.size(), size_t(f.length));
    uint8_t* p = m_table.recordForUpdate() + f.offset;
    std::memcpy(p, text.data(), used);
    std::memset(p + used, ' ', f.length - used);
    if (f.type == 'V' || f.type == 'Q')
        setVarLength(used);
    setBit(f.nullBit, false);
    return Status::ok();
}

// Number text keeps its value only whole, so it is right-aligned and never cut.
Status Field::fitNumber(std::string_view text)
{
    const FieldDescriptor& f = descriptor();
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    if (e - b > f.length)
        return Status::invalidArgument(m_table.path() + ": \"" + std::string(text.substr(b, e - b)) +
                                       "\" is wider than field " + f.name);
    uint8_t* p = m_table.recordForUpdate() + f.offset;
    std::memset(p, ' ', f.length);
    std::memcpy(p + f.length - (e - b), text.data() + b, e - b);
    setBit(f.nullBit, false);
    return Status::ok();
}

// A varchar shorter than its field stores its length in the last byte and
// says so in its _NullFlags bit.
void Field::setVarLength(size_t used)
{
    const FieldDescriptor& f = descriptor();
    if (f.varLengthBit < 0)
        return;
    const bool shorter = used < f.length;
    if (shorter)
        m_table.recordForUpdate()[f.offset + f.length - 1] = uint8_t(used);
    setBit(f.varLengthBit, shorter);
}

std::string Field::text() const
{
    const FieldDescriptor& f = descriptor();
    if ((f.type == 'V' || f.type == 'Q') && bit(f.varLengthBit))
        return std::string(ptr(), std::min<size_t>(uint8_t(ptr()[f.length - 1]), f.length - 1u));
    return raw();
}

bool Field::asBool() const
{
    const char c = ptr()[0];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

Status Field::assignBool(bool value)
{
    if (type() != 'L')
        return Status::invalidArgument(m_table.path() + ": field " + name() + " is not logical");
    m_table.recordForUpdate()[descriptor().offset] = value ? 'T' : 'F';
    setBit(descriptor().nullBit, false);
    return Status::ok();
}

void Field::dateTime(int32_t* julianDay, int32_t* millis) const
{
    const auto* p = reinterpret_cast<const uint8_t*>(ptr());
    *julianDay = type() == 'T' ? int32_t(coding::getU32LE(p)) : 0;
    *millis = type() == 'T' ? int32_t(coding::getU32LE(p + 4)) : 0;
}

} // namespace xbase
