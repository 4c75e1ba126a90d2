#pragma once

#include "xbase/Status.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// Field flags of a Visual FoxPro field descriptor (byte 18).
enum FieldFlag : uint8_t {
    kFieldSystem = 0x01,   // hidden system field such as _NullFlags
    kFieldNullable = 0x02, // may hold NULL (a bit in _NullFlags)
    kFieldBinary = 0x04,   // no code-page translation
};

// One field of a record: where it lies in the record image and how it is
// stored. offset counts from the start of the record, whose first byte is
// the deletion flag, so the first field has offset 1.
struct FieldDescriptor {
    std::string name; // as stored: upper case in files made by FoxPro and by us
    char type = 'C';  // C N F D L M G W P I B Y T V Q 0 ...
    uint32_t offset = 0;
    uint8_t length = 0;
    uint8_t decimals = 0;
    uint8_t flags = 0;
    // Bit numbers in the _NullFlags field, or -1 when the field has none.
    int nullBit = -1;      // set when the value is NULL
    int varLengthBit = -1; // V/Q: set when the value is shorter than the field

    bool isMemo() const { return type == 'M' || type == 'G' || type == 'W' || type == 'P'; }
    bool isNullable() const { return (flags & kFieldNullable) != 0; }
};

// The fields of a table in file order, and the record length they give.
class RecordLayout {
public:
    RecordLayout() = default;

    // Decodes the field descriptors of a table header (`header` holds the
    // whole header, `headerLength` bytes, which must be at least 32).
    // `recordLength` is the length the header states; the fields must fit it.
    // `fileName` names the file in error messages.
    static Status decode(const uint8_t* header, size_t headerLength, uint32_t recordLength, bool visualFoxPro,
                         const std::string& fileName, RecordLayout* out);

    // A layout from field descriptors (offsets and null bits computed).
    static Status build(std::vector<FieldDescriptor> fields, const std::string& fileName, RecordLayout* out);

    // Writes the descriptors and the 0x0D terminator (32·n + 1 bytes).
    void encode(std::vector<uint8_t>* out) const;

    const std::vector<FieldDescriptor>& fields() const { return m_fields; }
    size_t fieldCount() const { return m_fields.size(); }
    const FieldDescriptor& field(size_t i) const { return m_fields[i]; }
    uint32_t recordLength() const { return m_recordLength; }
    bool hasMemo() const;

    // Index of the field named `name` (letter case ignored), if any.
    std::optional<size_t> find(std::string_view name) const;
    // The _NullFlags system field, or null.
    const FieldDescriptor* nullFlags() const;

private:
    static Status check(const FieldDescriptor& f, const std::string& fileName);
    void assignNullBits();

    std::vector<FieldDescriptor> m_fields;
    uint32_t m_recordLength = 1;
};

} // namespace xbase
