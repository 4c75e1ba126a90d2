#pragma once

#include "xbase/RecordLayout.h"
#include "xbase/Status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace xbase {

class Table;

// One field of an open table, read and written in the table's current record.
// Assignments change the record image in memory; the table writes it when
// the record is flushed, left, appended or unlocked (Table). A field belongs
// to its table and lives as long as the table is open.
//
// Numbers: N and F fields hold right-aligned ASCII text; I a 32-bit integer;
// B a double; Y an integer of ten-thousandths. Texts are the field's bytes in
// the table's code page.
class Field {
public:
    Field(Table& table, size_t index);

    const FieldDescriptor& descriptor() const { return *m_descriptor; }
    const std::string& name() const { return descriptor().name; }
    char type() const { return descriptor().type; }
    int length() const { return descriptor().length; }
    int decimals() const { return descriptor().decimals; }
    bool isMemo() const { return descriptor().isMemo(); }
    Table& table() const { return m_table; }

    // The field's bytes in the current record (length() of them, no NUL),
    // valid until the table moves or the record changes.
    const char* ptr() const { return reinterpret_cast<const char*>(*m_image) + m_descriptor->offset; }
    std::string raw() const { return std::string(ptr(), size_t(length())); }

    // True when the field is NULL (Visual FoxPro nullable fields only).
    bool isNull() const;

    // Text fields: the text cut to the field's width and padded with blanks
    // (numbers right-aligned). Binary types (I B Y T) refuse text.
    Status assignText(std::string_view text);
    // A V (varchar) field's text without its padding; raw() for other types.
    std::string text() const;

    // The value as a whole number (fractions cut toward zero) or a double.
    // Blank or unreadable numbers read as 0.
    int64_t asLong() const;
    double asDouble() const;
    // Writes a number in the field's type; a number too wide for an N or F
    // field is refused (InvalidArgument) and the field keeps its value.
    Status assignLong(int64_t value);
    Status assignDouble(double value);

    // L fields: 'T', 't', 'Y', 'y' are true.
    bool asBool() const;
    Status assignBool(bool value);

    // T fields: the Julian day and milliseconds since midnight (0, 0 blank).
    void dateTime(int32_t* julianDay, int32_t* millis) const;

    // Memo fields: the text of the current record's memo (any length),
    // loaded on first use; an assigned text once assigned.
    Status memo(const std::string** out);
    Status assignMemo(std::string_view text);
    // The memo's block number in the current record image (0 when empty).
    Status memoBlock(uint32_t* out) const;
    void setMemoBlock(uint32_t block);

    // Memo state of the current record; the table resets it when the record
    // changes and stores changed memos when it writes the record.
    bool memoChanged() const { return m_memoChanged; }
    const std::string& memoText() const { return m_memo; }
    void resetMemo()
    {
        if (m_memoLoaded || m_memoChanged) // else nothing to drop: a walk passes here per record
            dropMemo();
    }

private:
    void dropMemo();
    Status fitNumber(std::string_view digits);
    void setVarLength(size_t used);
    bool bit(int n) const;
    void setBit(int n, bool on);

    Table& m_table;
    size_t m_index;
    const FieldDescriptor* m_descriptor; // the table's layout is fixed while it is open
    const uint8_t* const* m_image;       // where the table keeps its current image
    std::string m_memo;
    bool m_memoLoaded = false;
    bool m_memoChanged = false;
};

} // namespace xbase
