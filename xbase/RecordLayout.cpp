#include "xbase/RecordLayout.h"

#include "xbase/Coding.h"

#include <algorithm>
#include <cctype>

namespace xbase {
namespace {

constexpr size_t kDescriptorSize = 32;
constexpr size_t kFirstDescriptor = 32;

bool isTerminator(uint8_t b) { return b == 0x0D || b == 0x00; }

std::string upper(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

// The stored length every reader relies on for the fixed-width types; 0 when
// the type takes any length.
int requiredLength(char type)
{
    switch (type) {
    case 'D': return 8;
    case 'L': return 1;
    case 'I': return 4;
    case 'B': case 'Y': case 'T': return 8;
    default: return 0;
    }
}

FieldDescriptor decodeDescriptor(const uint8_t* p, bool visualFoxPro)
{
    FieldDescriptor f;
    size_t n = 0;
    while (n < 11 && p[n] != 0)
        ++n;
    f.name.assign(reinterpret_cast<const char*>(p), n);
    f.type = char(p[11]);
    f.length = p[16];
    f.decimals = p[17];
    f.flags = visualFoxPro ? p[18] : 0;
    return f;
}

} // namespace

Status RecordLayout::check(const FieldDescriptor& f, const std::string& fileName)
{
    if (f.name.empty())
        return Status::corruption(fileName + ": a field descriptor has no name");
    if (f.length == 0)
        return Status::corruption(fileName + ": field " + f.name + " has length 0");
    // A memo pointer of 4 bytes belongs to Visual FoxPro files, 10 digits to
    // FoxPro 2.x; both appear in the wild, so either is accepted for memos.
    if (f.isMemo() && (f.length == 4 || f.length == 10))
        return Status::ok();
    const int required = requiredLength(f.type);
    if (required != 0 && f.length != required)
        return Status::corruption(fileName + ": field " + f.name + " of type " + std::string(1, f.type) +
                                  " has length " + std::to_string(f.length));
    return Status::ok();
}

Status RecordLayout::decode(const uint8_t* header, size_t headerLength, uint32_t recordLength, bool visualFoxPro,
                            const std::string& fileName, RecordLayout* out)
{
    RecordLayout layout;
    size_t pos = kFirstDescriptor;
    uint32_t offset = 1;
    while (pos < headerLength && !isTerminator(header[pos])) {
        if (pos + kDescriptorSize > headerLength)
            return Status::corruption(fileName + ": field descriptors run past the header");
        FieldDescriptor f = decodeDescriptor(header + pos, visualFoxPro);
        XB_RETURN_IF_ERROR(check(f, fileName));
        f.offset = offset;
        offset += f.length;
        layout.m_fields.push_back(std::move(f));
        pos += kDescriptorSize;
    }
    if (layout.m_fields.empty())
        return Status::corruption(fileName + ": the table has no fields");
    if (offset > recordLength)
        return Status::corruption(fileName + ": record length " + std::to_string(recordLength) +
                                  " does not hold the fields (" + std::to_string(offset) + " bytes)");
    layout.m_recordLength = recordLength;
    layout.assignNullBits();
    *out = std::move(layout);
    return Status::ok();
}

Status RecordLayout::build(std::vector<FieldDescriptor> fields, const std::string& fileName, RecordLayout* out)
{
    RecordLayout layout;
    uint32_t offset = 1;
    for (FieldDescriptor& f : fields) {
        f.name = upper(f.name);
        const bool nameOk = !f.name.empty() && f.name.size() <= 10 && !std::isdigit(static_cast<unsigned char>(f.name[0])) &&
            std::all_of(f.name.begin(), f.name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
        if (!nameOk)
            return Status::invalidArgument(fileName + ": invalid field name \"" + f.name + "\"");
        if (layout.find(f.name))
            return Status::invalidArgument(fileName + ": field " + f.name + " appears twice");
        XB_RETURN_IF_ERROR(check(f, fileName));
        f.offset = offset;
        offset += f.length;
        layout.m_fields.push_back(std::move(f));
    }
    if (layout.m_fields.empty())
        return Status::invalidArgument(fileName + ": a table needs at least one field");
    layout.m_recordLength = offset;
    layout.assignNullBits();
    *out = std::move(layout);
    return Status::ok();
}

void RecordLayout::encode(std::vector<uint8_t>* out) const
{
    for (const FieldDescriptor& f : m_fields) {
        uint8_t d[kDescriptorSize] = {};
        std::copy_n(f.name.begin(), std::min<size_t>(f.name.size(), 10), d);
        d[11] = uint8_t(f.type);
        coding::putU32LE(d + 12, f.offset);
        d[16] = f.length;
        d[17] = f.decimals;
        d[18] = f.flags;
        out->insert(out->end(), d, d + kDescriptorSize);
    }
    out->push_back(0x0D);
}

bool RecordLayout::hasMemo() const
{
    return std::any_of(m_fields.begin(), m_fields.end(), [](const FieldDescriptor& f) { return f.isMemo(); });
}

std::optional<size_t> RecordLayout::find(std::string_view name) const
{
    // Called per field and row by the data store: no copies.
    auto same = [name](const std::string& stored) {
        if (stored.size() != name.size())
            return false;
        for (size_t i = 0; i < name.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(stored[i])) != std::toupper(static_cast<unsigned char>(name[i])))
                return false;
        return true;
    };
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (same(m_fields[i].name))
            return i;
    return std::nullopt;
}

const FieldDescriptor* RecordLayout::nullFlags() const
{
    for (const FieldDescriptor& f : m_fields)
        if (f.type == '0')
            return &f;
    return nullptr;
}

void RecordLayout::assignNullBits()
{
    const FieldDescriptor* flags = nullFlags();
    if (!flags)
        return;
    // A variable-length field's length bit comes first, then its null bit.
    const int available = flags->length * 8;
    int next = 0;
    for (FieldDescriptor& f : m_fields) {
        if ((f.type == 'V' || f.type == 'Q') && next < available)
            f.varLengthBit = next++;
        if (f.isNullable() && f.type != '0' && next < available)
            f.nullBit = next++;
    }
}

} // namespace xbase
