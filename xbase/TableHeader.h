#pragma once

#include "xbase/Status.h"

#include <cstdint>
#include <string>

namespace xbase {

// Version bytes of the tables this engine reads; it creates the first two.
enum TableVersion : uint8_t {
    kFoxBase = 0x03,          // FoxPro 2.x / dBase III without memo
    kFoxPro2Memo = 0xF5,      // FoxPro 2.x with a memo file
    kVisualFoxPro = 0x30,
    kVisualFoxProAuto = 0x31, // with autoincrement fields
    kVisualFoxProVar = 0x32,  // with varchar / varbinary fields
};

// Table flags (header byte 28).
enum TableFlag : uint8_t {
    kTableHasStructuralIndex = 0x01,
    kTableHasMemo = 0x02,
    kTableIsDatabase = 0x04,
};

// The fixed first 32 bytes of a table file.
struct TableHeader {
    static constexpr size_t kSize = 32;
    // Offsets of the words that change while a table is in use.
    static constexpr size_t kDateOffset = 1;
    static constexpr size_t kCountOffset = 4;
    static constexpr size_t kFlagsOffset = 28;

    uint8_t version = kFoxBase;
    uint8_t year = 0; // last update: year modulo 100, as FoxPro writes it
    uint8_t month = 1;
    uint8_t day = 1;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    uint8_t flags = 0;
    uint8_t codePage = 0x03; // Windows-1252

    bool isVisualFoxPro() const { return version == kVisualFoxPro || version == kVisualFoxProAuto || version == kVisualFoxProVar; }

    // Decodes and checks the header against the size of its file: known
    // version, a header that holds at least one field descriptor and fits the
    // file, a record length above 1, and no more records than the file holds.
    static Status decode(const uint8_t* p, uint64_t fileSize, const std::string& fileName, TableHeader* out);
    void encode(uint8_t* p) const;

    // Sets the last-update date to today (local time).
    void touch();
};

} // namespace xbase
